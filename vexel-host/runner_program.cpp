#include "runner_program.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "command_line.h"
#include "dump_scene_command.h"
#include "prefs_location.h"
#include "runner_session.h"
#include "runner_sweep.h"
#include "services/host_app.h"
#include "session/interface_query.h"
#include "text/iid_text.h"
#include "text/uuid_text.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int print_info(std::string const& module_path, std::string const& lang,
               std::vector<com_iid> const& iids) {
    host::registration answers = host::host_app("", lang).inspect(module_path);
    std::printf("name: %s\n", answers.name.c_str());
    std::printf("identifier: %s\n", host::uuid_text(answers.uuid).c_str());
    std::printf("version: %d.%d.%d build %d\n", answers.version.major, answers.version.minor,
                answers.version.micro, answers.version.build);
    std::printf("resident: %s\n", answers.resident ? "yes" : "no");
    std::printf("window-plug-in interface: %s\n",
                answers.offers_window ? "offered" : "not offered");
    if (iids.empty()) return 0;
    host::interface_answers asked = host::ask_interfaces(module_path, lang, iids);
    for (host::interface_answer const& a : asked.answers) {
        std::string iid = host::iid_text(a.iid);
        std::printf("has_interface %s: %s\n", iid.c_str(), a.offered ? "true" : "false");
        if (asked.window_problem.empty())
            std::printf("QueryInterface %s: 0x%08x%s\n", iid.c_str(),
                        static_cast<unsigned>(a.window_status),
                        a.window_status == VX_E_NOINTERFACE ? " (no interface)" : "");
        else
            std::printf("QueryInterface %s: no window (%s)\n", iid.c_str(),
                        asked.window_problem.c_str());
    }
    return 0;
}

// The script of the command line (standard input without a file); false, with the reason
// said, when it cannot be read or holds no action: a script that does nothing passing is
// more likely a wrong file than a test.
bool read_script(command_line const& c, script::script& actions) {
    try {
        actions = c.script_file.empty() ? script::parse_script(std::cin, "<stdin>")
                                        : script::load_script_file(c.script_file);
    } catch (script::script_error const& e) {
        std::cerr << e.what() << "\n";
        return false;
    }
    if (actions.actions.empty()) {
        std::cerr << actions.name << ": the script holds no action\n";
        return false;
    }
    return true;
}

int run_scenario(command_line const& c, std::string const& default_module, script::action_watcher& promises) {
    script::script actions;
    if (!read_script(c, actions)) return 1;
    runner::runner_options options = c.options;
    if (options.module_path.empty()) options.module_path = default_module;
    if (!c.prefs_given) {
        options.prefs_file = front_end::default_prefs_file("vexel-host");
        if (options.prefs_file.empty())
            std::cerr << "vexel-host: no folder for the preference file; settings are kept for "
                         "this run only\n";
    }
    runner::runner_session session(options, std::cout, std::cerr);
    if (c.oracles) session.watch(&promises);
    if (session.start(c.scene_file)) session.run(actions);
    session.finish();
    return session.ok() ? 0 : 1;
}

int run_fault_sweep(command_line const& c, std::string const& default_module) {
    script::script actions;
    if (!read_script(c, actions)) return 1;
    runner::runner_options options = c.options;
    if (options.module_path.empty()) options.module_path = default_module;
    runner::sweep_result r = runner::fault_sweep(options, c.scene_file, actions);
    std::cout << "fault sweep of " << c.script_file << " on " << c.scene_file << "\n";
    if (!r.clean_failures.empty()) {
        for (std::string const& f : r.clean_failures) std::cerr << f << "\n";
        std::cerr << "vexel-host: the script fails without any fault; nothing was swept\n";
        return 1;
    }
    std::cout << r.calls << " host calls of " << r.operations.size()
              << " host operations, each made to throw in a run of its own\n";
    std::cout << r.text_object_calls << " of them on the text fields' text objects\n";
    std::cout << r.construction_faults
              << " of them hit the making or release of a window, which was made again\n";
    if (r.probe_shape.empty())
        std::cout << "busy check: not made (the scene has no sphere, disk or light to move)\n";
    else
        std::cout << "busy check: the host activates and moves \"" << r.probe_shape
                  << "\" after the faulted line\n";
    for (runner::sweep_failure const& f : r.failures)
        std::cerr << "call " << f.call << " (" << f.operation << ", " << f.place
                  << "): " << f.problem << "\n";
    std::set<long> failed_calls;
    for (runner::sweep_failure const& f : r.failures) failed_calls.insert(f.call);
    std::cout << r.calls << " runs, " << failed_calls.size() << " failed\n";
    return r.ok() ? 0 : 1;
}

}  // namespace

int runner::run_program(int argc, char** argv, std::string const& default_module,
                        script::action_watcher& promises) {
#if defined(_WIN32)
    // The same bytes as on Linux: no line end becomes CR LF, no CR of a script is dropped.
    for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
#endif
    command_line c;
    try {
        c = parse_command_line(argc, argv);
    } catch (front_end::usage_error const& e) {
        std::fputs(refusal_text(e).c_str(), stderr);
        return 2;
    }
    try {
        switch (c.what) {
        case command_line::mode::help: std::fputs(help_text().c_str(), stdout); return 0;
        case command_line::mode::info: return print_info(c.info_module, c.options.lang, c.iids);
        case command_line::mode::dump_scene: return runner::run_dump_scene(c.scene_file, std::cout, std::cerr);
        case command_line::mode::run: return run_scenario(c, default_module, promises);
        case command_line::mode::fault_sweep: return run_fault_sweep(c, default_module);
        }
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-host: %s\n", e.what());
        return 1;
    }
    return 1;
}
