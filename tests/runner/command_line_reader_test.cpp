// The command line reader both front ends share: what the shared options give, how an
// option given twice and the arguments that are no option come back, the help's layout and
// the refusals' words.
#include <vector>

#include <gtest/gtest.h>

#include "command_line_reader.h"

namespace {

using front_end::command_line_reader;
using front_end::common_options;
using front_end::refusal_text;
using front_end::usage_error;

// Parses args (after the program's name) with a fresh reader.
struct read_line {
    explicit read_line(std::vector<char const*> args) {
        args.insert(args.begin(), "prog");
        rest = reader.parse(static_cast<int>(args.size()), args.data());
    }
    command_line_reader reader{"prog", "usage: prog\n"};
    std::vector<std::string> rest;
};

TEST(CommandLineReader, TheSharedOptionsGiveTheirValues) {
    read_line line({"--module", "m.so", "a.json", "--lang", "ja", "--prefs", "p.json", "--no-announce", "b"});
    common_options const& o = line.reader.common();
    EXPECT_EQ(o.module_path, "m.so");
    EXPECT_EQ(o.lang, "ja");
    EXPECT_EQ(o.prefs_file, "p.json");
    EXPECT_TRUE(o.prefs_given);
    EXPECT_FALSE(o.announce);
    EXPECT_FALSE(o.help);
    EXPECT_EQ(line.rest, (std::vector<std::string>{"a.json", "b"}));
}

TEST(CommandLineReader, WithoutOptionsTheDefaultsHold) {
    read_line line({"a.json"});
    common_options const& o = line.reader.common();
    EXPECT_EQ(o.module_path, "");
    EXPECT_EQ(o.lang, "en");
    EXPECT_FALSE(o.prefs_given);
    EXPECT_TRUE(o.announce);
}

TEST(CommandLineReader, AnOptionGivenTwiceTakesItsLastValueAndAValueMayStartWithADash) {
    read_line line({"--lang", "ja", "--lang", "en", "--prefs", "--view", "-h"});
    EXPECT_EQ(line.reader.common().lang, "en");
    EXPECT_EQ(line.reader.common().prefs_file, "--view");
    EXPECT_TRUE(line.reader.common().help);
    EXPECT_TRUE(line.rest.empty());
}

TEST(CommandLineReader, ARefusalNamesTheOptionAndTheProblemInTheHouseWords) {
    struct bad {
        std::vector<char const*> args;
        char const* problem;
    } const cases[] = {
        {{"--lang", "fr"}, "--lang: \"fr\" is not en or ja"},
        {{"--lang=de", "a.json"}, "--lang: \"de\" is not en or ja"},
        {{"a.json", "--prefs"}, "--prefs needs a value"},
        {{"--module"}, "--module needs a value"},
        {{"a.json", "--colour", "b"}, "unknown option \"--colour\""},
        {{"-x"}, "unknown option \"-x\""},
    };
    for (bad const& c : cases) {
        try {
            read_line line(c.args);
            ADD_FAILURE() << "accepted: " << c.problem;
        } catch (usage_error const& e) {
            EXPECT_STREQ(e.what(), c.problem);
        }
    }
}

TEST(CommandLineReader, TheRefusalTextGivesProgramProblemUsageAndWhereToLook) {
    EXPECT_EQ(refusal_text("prog", usage_error("no scene file given"), "usage: prog FILE\n", "every option"),
              "prog: no scene file given\nusage: prog FILE\n--help lists every option.\n");
}

TEST(CommandLineReader, TheHelpListsTheSharedOptionsThenTheProgramsOwnThenHelp) {
    command_line_reader reader("prog", "usage: prog [--fast] FILE\n", "actions:\n  go\n");
    bool fast = false;
    reader.app().add_flag("--fast", fast, "go fast,\nin two lines");
    EXPECT_EQ(reader.help(),
              "usage: prog [--fast] FILE\n"
              "\noptions:\n"
              "  --module PATH      the plug-in module to load (default: the one built beside prog)\n"
              "  --lang en|ja       the host's language for the plug-in's texts and dialogs (en)\n"
              "  --prefs FILE       the preference store (default: $XDG_CONFIG_HOME/prog/prefs.json\n"
              "                     or ~/.config/prog/prefs.json)\n"
              "  --no-announce      do not announce the scene at start: the script may act on the\n"
              "                     window first and announce it with the action announce\n"
              "  --fast             go fast,\n"
              "                     in two lines\n"
              "  --help, -h         this text\n"
              "\nactions:\n  go\n");
}

}  // namespace
