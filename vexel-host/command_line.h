// vexel-host's command line, read without any library:
//   vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] SCENE.json [SCRIPT]
//   vexel-host --dump-scene SCENE.json
//   vexel-host --info PATH_TO_MODULE [--lang en|ja]
// Hidden, for reproducing a fault-injection sweep: --fail-call N (the n-th host call
// throws) and --keep-going (a refused line is reported and the script goes on).
#pragma once

#include <stdexcept>
#include <string>

#include "runner_session.h"

// A command line that cannot be run; what() says why in one line.
struct usage_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct command_line {
    enum class mode { run, info, dump_scene, help };
    mode what = mode::run;
    std::string info_module;
    std::string scene_file;   // run: the scene; dump_scene: the file to dump
    std::string script_file;  // "" reads standard input
    bool prefs_given = false;
    host::runner_options options;  // module_path "" means the module built beside it
};

// Throws usage_error.
command_line parse_command_line(int argc, char const* const* argv);

extern char const usage_text[];
