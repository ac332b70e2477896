#include "command_line.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "text/iid_text.h"
#include "text/quoted_word.h"

using front_end::command_line_reader;
using front_end::common_options;
using front_end::usage_error;

namespace {

char const usage_text[] =
    "usage: vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] [--no-announce] "
    "SCENE.json [SCRIPT]\n"
    "       vexel-host --fault-sweep [--module PATH] [--lang en|ja] [--no-announce] SCENE.json "
    "SCRIPT\n"
    "       vexel-host --dump-scene SCENE.json\n"
    "       vexel-host --info PATH_TO_MODULE [--lang en|ja] [--iid IID ...]\n"
    "The script (standard input without SCRIPT) holds one action a line; see examples/*.vxs.\n";

// The reader with the runner's own options declared, writing into c and the mode flags.
struct runner_command_line {
    explicit runner_command_line(command_line& c)
        : reader("vexel-host", usage_text, "actions:\n" + script::action_forms()) {
        CLI::App& app = reader.app();
        app.add_flag("--view", c.options.view,
                     "echo each action and draw the window as text at every dump, in\n"
                     "place of the dump's JSON line");
        app.add_flag("--json", c.options.json, "with --view: print each dump's JSON line above its drawing too");
        app.add_flag("--keep-going", c.options.keep_going, "a refused line is reported and the script goes on");
        app.add_flag("--oracles", c.oracles,
                     "check the window's promises after every action (an untouched App. or\n"
                     "Snap changes nothing, the rows show the point, a slot gives back\n"
                     "what was saved, a typed value lands, undo is exact;\n"
                     "docs/reliability.md); each broken promise is a failure. Replays what the\n"
                     "session fuzzer found; with --fail-call, also what a failed host call may\n"
                     "leave, and every promise again from the next full refresh");
        app.add_option("--fail-call", c.options.fail_call,
                       "the N-th host call counted from loading the plug-in throws\n"
                       "(to reproduce one run of a fault-injection sweep; a trace line's\n"
                       "\"call\" is that number; AddRef and Release of counted host\n"
                       "objects are not host calls: they are not counted and never throw)")
            ->option_text("N")
            ->check([](std::string const& n) {
                char* end = nullptr;
                errno = 0;
                long call = std::strtol(n.c_str(), &end, 10);
                bool ok = !n.empty() && *end == '\0' && errno == 0 && call >= 1;
                return ok ? "" : host::quoted_word(n) + " is not a call number 1 or more";
            });
        app.add_flag("--fault-sweep", fault_sweep,
                     "play SCRIPT once per host call of its clean run, that call made to\n"
                     "throw, and check each run (it finishes, nothing non-finite written,\n"
                     "no undo record or bracket open, no counted object held, the window\n"
                     "still following the host); prints the calls swept and each failure with its\n"
                     "call; exit status 0 only when no run failed. Preferences are kept\n"
                     "in memory, empty at the start of each run");
        app.add_option("--dump-scene", dump_scene, "print the scene file's shapes and points as JSON, then exit")
            ->option_text("FILE");
        app.add_option("--info", c.info_module, "print the module's registration answers, then exit")
            ->option_text("MODULE");
        app.add_option("--iid", iids,
                       "with --info: also print the module's has_interface and its window's\n"
                       "QueryInterface status for this interface identifier, written\n"
                       "50e47d74-8922-11d1-9a00-00c04fcc9c26; may be given more than once")
            ->option_text("IID")
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->check([](std::string const& text) {
                return host::iid_from_text(text)
                           ? ""
                           : host::quoted_word(text) +
                                 " is not an interface identifier (expected 8-4-4-4-12 "
                                 "hexadecimal digits)";
            });
    }

    command_line_reader reader;
    bool fault_sweep = false;
    std::string dump_scene;
    std::vector<std::string> iids;
};

}  // namespace

std::string refusal_text(usage_error const& e) {
    return front_end::refusal_text("vexel-host", e, usage_text, "every option and action");
}

std::string help_text() {
    command_line c;
    return runner_command_line(c).reader.help();
}

command_line parse_command_line(int argc, char const* const* argv) {
    command_line c;
    runner_command_line line(c);
    std::vector<std::string> positional = line.reader.parse(argc, argv);
    common_options const& common = line.reader.common();
    c.options.module_path = common.module_path;
    c.options.lang = common.lang;
    c.options.prefs_file = common.prefs_file;
    c.options.announce = common.announce;
    c.prefs_given = common.prefs_given;

    bool dump_scene = line.reader.app().count("--dump-scene") > 0;
    if (common.help) c.what = command_line::mode::help;
    else if (line.reader.app().count("--info") > 0) c.what = command_line::mode::info;
    else if (dump_scene) c.what = command_line::mode::dump_scene;
    else if (line.fault_sweep) c.what = command_line::mode::fault_sweep;

    if (positional.size() > 2) throw usage_error("unexpected argument " + host::quoted_word(positional[2]));
    if (dump_scene && !positional.empty())
        throw usage_error("--dump-scene takes no scene or script besides its file");
    if (positional.size() > 0) c.scene_file = positional[0];
    if (positional.size() > 1) c.script_file = positional[1];
    if (dump_scene) c.scene_file = line.dump_scene;

    if (c.what == command_line::mode::run && c.scene_file.empty())
        throw usage_error("no scene file given");
    if (c.what == command_line::mode::fault_sweep && c.script_file.empty())
        throw usage_error("--fault-sweep needs a scene file and a script file");
    if (!line.iids.empty() && c.what != command_line::mode::info && c.what != command_line::mode::help)
        throw usage_error("--iid goes with --info");
    for (std::string const& text : line.iids) c.iids.push_back(*host::iid_from_text(text));
    if (c.oracles && c.what != command_line::mode::run && c.what != command_line::mode::help)
        throw usage_error("--oracles checks a script's run; it takes no --fault-sweep, --info or --dump-scene");
    if (c.what == command_line::mode::fault_sweep && (c.prefs_given || c.options.fail_call > 0))
        throw usage_error("--fault-sweep takes no --prefs or --fail-call (each run has its own)");
    return c;
}
