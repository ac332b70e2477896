// vexel-host: the reference host's command line (see command_line.h for its forms).
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "command_line.h"
#include "host_app.h"
#include "prefs_location.h"
#include "runner_session.h"
#include "scene_dump.h"

namespace {

int print_info(std::string const& module_path, std::string const& lang) {
    host::host_app app("", lang);
    host::registration answers = app.inspect(module_path);
    std::printf("name: %s\n", answers.name.c_str());
    std::printf("identifier: %s\n", host::uuid_text(answers.uuid).c_str());
    std::printf("version: %d.%d.%d build %d\n", answers.version.major, answers.version.minor,
                answers.version.micro, answers.version.build);
    std::printf("resident: %s\n", answers.resident ? "yes" : "no");
    std::printf("window-plug-in interface: %s\n",
                answers.offers_window ? "offered" : "not offered");
    return 0;
}

int run_scenario(command_line const& c) {
    host::script actions;
    try {
        actions = c.script_file.empty() ? host::parse_script(std::cin, "<stdin>")
                                        : host::load_script_file(c.script_file);
    } catch (host::script_error const& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    host::runner_options options = c.options;
    if (options.module_path.empty()) options.module_path = VEXEL_DEFAULT_MODULE;
    if (!c.prefs_given) {
        options.prefs_file = default_prefs_file();
        if (options.prefs_file.empty())
            std::cerr << "vexel-host: no folder for the preference file; settings are kept for "
                         "this run only\n";
    }
    host::runner_session session(options, std::cout, std::cerr);
    if (session.start(c.scene_file)) session.run(actions);
    session.finish();
    return session.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    command_line c;
    try {
        c = parse_command_line(argc, argv);
    } catch (usage_error const& e) {
        std::fprintf(stderr, "vexel-host: %s\n%s--help lists every option and action.\n", e.what(),
                     usage_text);
        return 2;
    }
    try {
        switch (c.what) {
        case command_line::mode::help: std::fputs(help_text().c_str(), stdout); return 0;
        case command_line::mode::info: return print_info(c.info_module, c.options.lang);
        case command_line::mode::dump_scene: return host::run_dump_scene(c.scene_file, std::cout, std::cerr);
        case command_line::mode::run: return run_scenario(c);
        }
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-host: %s\n", e.what());
        return 1;
    }
    return 1;
}
