#include "session_player.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <sstream>

#include "random_actions.h"
#include "random_scene.h"
#include "runner_session.h"
#include "session_oracles.h"

namespace {

char const script_header[] =
    "# A random session of fuzz_window_session, on scene.json (a `scene` line opens scene2.json).\n"
    "# Replay: vexel-host --oracles --prefs EMPTY_FILE scene.json session.vxs\n";
int const header_lines = 2;
char const second_scene_file[] = "scene2.json";

void write_file(std::string const& path, std::string const& text) { std::ofstream(path, std::ios::binary) << text; }

std::string make_work_dir() {
    std::filesystem::path base = "/dev/shm";
    std::error_code ignored;
    if (!std::filesystem::is_directory(base, ignored)) base = std::filesystem::temp_directory_path();
    std::string pattern = (base / "vexel-session-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder in " + base.string());
    return pattern;
}

}  // namespace

session_player::session_player(std::string module_path) : module(std::move(module_path)), dir(make_work_dir()) {
    // The host maps and unmaps the module with every window; one mapping of our own keeps
    // its code (and a fuzzer's coverage counters in it) in place between sessions. The
    // window starts from nothing at every initialize, so sessions stay independent.
    resident = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
}

session_player::~session_player() {
    if (resident) dlclose(resident);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

session_record session_player::play(std::uint8_t const* data, std::size_t size, int max_actions) {
    // The input: two bytes that size the two scenes' parts, the scenes, then the session.
    // A mutation inside a scene's part leaves the session's decisions where they were.
    byte_source in(data, size);
    std::size_t scene_size = in.byte() * 2u;
    std::size_t second_size = in.byte();
    byte_source scene_bytes = in.take(scene_size);
    byte_source second_bytes = in.take(second_size);
    session_record record;
    record.scene = random_scene(scene_bytes, 6);
    record.second_scene = random_scene(second_bytes, 3);
    record.script = script_header;
    write_file(dir + "/scene.json", record.scene);
    write_file(dir + "/" + second_scene_file, record.second_scene);

    std::ostringstream out, err;
    runner::runner_options options;
    options.module_path = module;
    runner::runner_session session(options, out, err);
    oracles::session_oracles promises;
    session.watch(&promises);
    if (session.start(dir + "/scene.json")) {
        bool after_edit = false;
        // A choice that comes to nothing (no control to reach) costs an attempt, not an action.
        for (int tries = 0; tries < 4 * max_actions && record.actions < max_actions && !in.empty() && session.ok();
             ++tries) {
            std::string line = random_action(in, session, second_scene_file, after_edit);
            if (line.empty()) continue;
            script::script one;
            try {
                one = script::parse_script_text(line, "session.vxs");
            } catch (script::script_error const& e) {
                record.refused.push_back(e.what());
                continue;
            }
            one.dir = dir;
            one.actions.front().line = header_lines + record.actions + 1;
            record.script += line + "\n";
            ++record.actions;
            session.run(one);
            after_edit = line == "click App." || line == "click Snap";
        }
    }
    session.finish();
    record.judged = promises.judged();
    for (runner::runner_failure const& f : session.failures())
        (f.kind == host::failure_kind::refused ? record.refused : record.failures).push_back(f.message);
    return record;
}


std::vector<std::uint8_t> session_player::seeded_input(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> input(1200);
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    return input;
}

void session_player::write(session_record const& record, std::string const& to) {
    write_file(to + "/scene.json", record.scene);
    write_file(to + "/" + second_scene_file, record.second_scene);
    write_file(to + "/session.vxs", record.script);
}
