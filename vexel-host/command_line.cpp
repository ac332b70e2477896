#include "command_line.h"

#include <cerrno>
#include <cstdlib>

#include "quoted_word.h"

char const usage_text[] =
    "usage: vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] [--no-announce] "
    "SCENE.json [SCRIPT]\n"
    "       vexel-host --fault-sweep [--module PATH] [--lang en|ja] [--no-announce] SCENE.json "
    "SCRIPT\n"
    "       vexel-host --dump-scene SCENE.json\n"
    "       vexel-host --info PATH_TO_MODULE [--lang en|ja]\n"
    "The script (standard input without SCRIPT) holds one action a line; see examples/*.vxs.\n";

std::string help_text() {
    return std::string(usage_text) +
           "\noptions:\n"
           "  --module PATH      the plug-in module (default: the one built beside vexel-host)\n"
           "  --lang en|ja       the host's language for the plug-in's texts and dialogs (en)\n"
           "  --prefs FILE       the preference store (default: $XDG_CONFIG_HOME/vexel-host/prefs.json\n"
           "                     or ~/.config/vexel-host/prefs.json)\n"
           "  --view             echo each action and draw the window as text at every dump, in\n"
           "                     place of the dump's JSON line\n"
           "  --json             with --view: print each dump's JSON line above its drawing too\n"
           "  --no-announce      do not announce the scene at start: the script may act on the\n"
           "                     window first and announce it with the action announce\n"
           "  --keep-going       a refused line is reported and the script goes on\n"
           "  --oracles          check the window's promises after every action (an untouched App. or\n"
           "                     Snap changes nothing, the rows show the point, a slot gives back\n"
           "                     what was saved, a typed value lands, undo is exact; README,\n"
           "                     Reliability); each broken promise is a failure. Replays what the\n"
           "                     session fuzzer found\n"
           "  --fail-call N      the N-th host call counted from loading the plug-in throws\n"
           "                     (to reproduce one run of a fault-injection sweep)\n"
           "  --fault-sweep      play SCRIPT once per host call of its clean run, that call made to\n"
           "                     throw, and check each run (it finishes, nothing non-finite written,\n"
           "                     no undo record or bracket open, no counted object held, the window\n"
           "                     not stuck busy); prints the calls swept and each failure with its\n"
           "                     call; exit status 0 only when no run failed. Preferences are kept\n"
           "                     in memory, empty at the start of each run\n"
           "  --dump-scene FILE  print the scene file's shapes and points as JSON, then exit\n"
           "  --info MODULE      print the module's registration answers, then exit\n"
           "  --help, -h         this text\n"
           "\nactions:\n" +
           script::action_forms();
}

command_line parse_command_line(int argc, char const* const* argv) {
    command_line c;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw usage_error(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            c.what = command_line::mode::help;
        } else if (arg == "--info") {
            c.what = command_line::mode::info;
            c.info_module = value();
        } else if (arg == "--fault-sweep") {
            c.what = command_line::mode::fault_sweep;
        } else if (arg == "--dump-scene") {
            c.what = command_line::mode::dump_scene;
            c.scene_file = value();
        } else if (arg == "--module") {
            c.options.module_path = value();
        } else if (arg == "--lang") {
            c.options.lang = value();
            if (c.options.lang != "en" && c.options.lang != "ja")
                throw usage_error("--lang: " + host::quoted_word(c.options.lang) + " is not en or ja");
        } else if (arg == "--prefs") {
            c.options.prefs_file = value();
            c.prefs_given = true;
        } else if (arg == "--view") {
            c.options.view = true;
        } else if (arg == "--no-announce") {
            c.options.announce = false;
        } else if (arg == "--json") {
            c.options.json = true;
        } else if (arg == "--oracles") {
            c.oracles = true;
        } else if (arg == "--keep-going") {
            c.options.keep_going = true;
        } else if (arg == "--fail-call") {
            std::string n = value();
            char* end = nullptr;
            errno = 0;
            c.options.fail_call = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end != '\0' || errno != 0 || c.options.fail_call < 1)
                throw usage_error("--fail-call: " + host::quoted_word(n) + " is not a call number 1 or more");
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw usage_error("unknown option " + host::quoted_word(arg));
        } else if (positional == 0) {
            c.scene_file = arg, ++positional;
        } else if (positional == 1) {
            c.script_file = arg, ++positional;
        } else {
            throw usage_error("unexpected argument " + host::quoted_word(arg));
        }
    }
    if (c.what == command_line::mode::run && c.scene_file.empty())
        throw usage_error("no scene file given");
    if (c.what == command_line::mode::fault_sweep && c.script_file.empty())
        throw usage_error("--fault-sweep needs a scene file and a script file");
    if (c.oracles && c.what != command_line::mode::run && c.what != command_line::mode::help)
        throw usage_error("--oracles checks a script's run; it takes no --fault-sweep, --info or --dump-scene");
    if (c.what == command_line::mode::fault_sweep && (c.prefs_given || c.options.fail_call > 0))
        throw usage_error("--fault-sweep takes no --prefs or --fail-call (each run has its own)");
    if (c.what == command_line::mode::dump_scene && positional > 0)
        throw usage_error("--dump-scene takes no scene or script besides its file");
    return c;
}
