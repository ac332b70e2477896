// vexel-host: the reference host's command line.
//   vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] SCENE.json [SCRIPT]
//       loads the plug-in, opens the scene, announces it, shows the window and plays the
//       script (standard input without SCRIPT); exit status 0 when nothing failed
//   vexel-host --dump-scene SCENE.json                  prints the scene as the host reads it
//   vexel-host --info PATH_TO_MODULE [--lang en|ja]   prints the module's registration answers
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

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

int run_scenario(host::runner_options options, std::string const& scene_path,
                 std::string const& script_path) {
    host::script actions;
    try {
        actions = script_path.empty() ? host::parse_script(std::cin, "<stdin>")
                                      : host::load_script_file(script_path);
    } catch (host::script_error const& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    host::runner_session session(std::move(options), std::cout, std::cerr);
    if (session.start(scene_path)) session.run(actions);
    session.finish();
    return session.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{"vexel-host: the reference host for the vexel plug-in"};
    std::string info_module;
    std::string dump_scene;
    std::string scene_path;
    std::string script_path;
    bool prefs_given = false;
    host::runner_options options;
    options.module_path = VEXEL_DEFAULT_MODULE;
    cli.add_option("--info", info_module, "print the registration answers of a module")
        ->option_text("PATH_TO_MODULE");
    cli.add_option("--dump-scene", dump_scene, "print a scene file as the host reads it")
        ->option_text("SCENE.json");
    cli.add_option("--module", options.module_path, "the plug-in module to load")
        ->option_text("PATH");
    cli.add_option("--lang", options.lang, "language of the plug-in's texts")
        ->check(CLI::IsMember({"en", "ja"}));
    cli.add_option_function<std::string>(
           "--prefs", [&](std::string const& file) { options.prefs_file = file, prefs_given = true; },
           "the preference file (default ~/.config/vexel-host/prefs.json)")
        ->option_text("FILE");
    cli.add_flag("--view", options.view, "also draw the window at every dump");
    // For reproducing a fault-injection sweep: the n-th host call throws.
    cli.add_option("--fail-call", options.fail_call)->group("");
    cli.add_flag("--keep-going", options.keep_going)->group("");
    cli.add_option("scene", scene_path, "the scene file")->option_text("SCENE.json");
    cli.add_option("script", script_path, "the script; standard input when absent")
        ->option_text("SCRIPT");
    CLI11_PARSE(cli, argc, argv);

    try {
        if (!info_module.empty()) return print_info(info_module, options.lang);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-host: %s\n", e.what());
        return 1;
    }
    if (!dump_scene.empty()) return host::run_dump_scene(dump_scene, std::cout, std::cerr);
    if (scene_path.empty()) {
        std::fprintf(stderr, "%s", cli.help().c_str());
        return 2;
    }
    if (!prefs_given) {
        options.prefs_file = default_prefs_file();
        if (options.prefs_file.empty())
            std::fprintf(stderr, "vexel-host: no folder for the preference file; settings are "
                                 "kept for this run only\n");
    }
    return run_scenario(std::move(options), scene_path, script_path);
}
