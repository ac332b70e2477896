#include "command_line_reader.h"

#include <utility>

#include "text/quoted_word.h"

namespace front_end {

namespace {

int const description_column = 21;

// The help as the programs always showed it: the usage lines in place of CLI11's, an
// option's long name before its short one ("--help, -h"), no line CLI11 adds of its own.
class help_layout : public CLI::Formatter {
public:
    explicit help_layout(std::string usage) : usage_(std::move(usage)) {
        column_width(description_column);
    }
    std::string make_help(CLI::App const* app, std::string, CLI::AppFormatMode mode) const override {
        std::string footer = app->get_footer();
        return usage_ + make_groups(app, mode) + (footer.empty() ? "" : "\n" + footer);
    }
    std::string make_option_name(CLI::Option const* option, bool) const override {
        std::string names;
        for (std::string const& n : option->get_lnames()) names += (names.empty() ? "--" : ", --") + n;
        for (std::string const& n : option->get_snames()) names += (names.empty() ? "-" : ", -") + n;
        return names;
    }

private:
    std::string usage_;
};

}  // namespace

command_line_reader::command_line_reader(std::string const& program, std::string usage, std::string footer) {
    app_.formatter(std::make_shared<help_layout>(std::move(usage)));
    app_.footer(std::move(footer));
    app_.set_help_flag();  // declared last, by declare_help()
    // Arguments that are no option come back from parse(): the programs word what is wrong
    // with them.
    app_.allow_extras();
    app_.option_defaults()->group("options")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app_.add_option("--module", common_.module_path,
                    "the plug-in module to load (default: the one built beside " + program + ")")
        ->option_text("PATH");
    app_.add_option("--lang", common_.lang, "the host's language for the plug-in's texts and dialogs (en)")
        ->option_text("en|ja")
        ->check([](std::string const& lang) {
            return lang == "en" || lang == "ja" ? "" : host::quoted_word(lang) + " is not en or ja";
        });
    app_.add_option("--prefs", common_.prefs_file,
                    "the preference store (default: $XDG_CONFIG_HOME/" + program + "/prefs.json\nor ~/.config/" +
                        program + "/prefs.json)")
        ->option_text("FILE");
    app_.add_flag_callback("--no-announce", [this] { common_.announce = false; },
                           "do not announce the scene at start: the script may act on the\n"
                           "window first and announce it with the action announce");
}

void command_line_reader::declare_help() {
    if (help_declared_) return;
    app_.add_flag("--help,-h", common_.help, "this text");
    help_declared_ = true;
}

std::vector<std::string> command_line_reader::parse(int argc, char const* const* argv) {
    declare_help();
    try {
        app_.parse(argc, argv);
    } catch (CLI::ArgumentMismatch const&) {
        // CLI11 takes whatever follows an option as its value, so a value is missing only
        // when the option is the last argument.
        throw usage_error(std::string(argv[argc - 1]) + " needs a value");
    } catch (CLI::ValidationError const& e) {
        throw usage_error(e.what());  // "--lang: ..." worded by the check above
    } catch (CLI::ParseError const& e) {
        throw usage_error("cannot read the command line: " + std::string(e.what()));
    }
    common_.prefs_given = app_.count("--prefs") > 0;
    std::vector<std::string> rest;
    for (std::string const& arg : app_.remaining()) {
        if (arg.size() > 1 && arg[0] == '-') throw usage_error("unknown option " + host::quoted_word(arg));
        rest.push_back(arg);
    }
    return rest;
}

std::string command_line_reader::help() {
    declare_help();
    return app_.help();
}

std::string refusal_text(std::string const& program, usage_error const& e, std::string const& usage,
                         std::string const& help_lists) {
    return program + ": " + e.what() + "\n" + usage + "--help lists " + help_lists + ".\n";
}

}  // namespace front_end
