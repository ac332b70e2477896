// vexel-host's command line (read by command_line_reader):
//   vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] [--no-announce]
//              SCENE.json [SCRIPT]
//   vexel-host --fault-sweep [--module PATH] [--lang en|ja] [--no-announce] SCENE.json SCRIPT
//   vexel-host --dump-scene SCENE.json
//   vexel-host --info PATH_TO_MODULE [--lang en|ja] [--iid IID ...]
// with --keep-going (a refused line is reported and the script goes on), --fail-call N
// (the n-th host call throws, to reproduce one run of a fault-injection sweep) and
// --oracles (the window's promises checked after every action).
#pragma once

#include <string>
#include <vector>

#include "interface_id.h"

#include "command_line_reader.h"
#include "runner_session.h"

struct command_line {
    enum class mode { run, fault_sweep, info, dump_scene, help };
    mode what = mode::run;
    std::string info_module;
    std::vector<com_iid> iids;  // info: the identifiers to ask has_interface and QueryInterface
    std::string scene_file;   // run, fault_sweep: the scene; dump_scene: the file to dump
    std::string script_file;  // "" reads standard input
    bool prefs_given = false;
    bool oracles = false;  // check the window's promises after every action
    runner::runner_options options;  // module_path "" means the module built beside it
};

// Throws front_end::usage_error.
command_line parse_command_line(int argc, char const* const* argv);

// A refused command line as vexel-host reports it: the problem, the usage lines and where
// the full list is.
std::string refusal_text(front_end::usage_error const& e);
// --help: the usage lines, every option and every action.
std::string help_text();
