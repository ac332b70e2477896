#include "session_player.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <sstream>

#include "checks/host_checks.h"
#include "random_actions.h"
#include "random_scene.h"
#include "runner_session.h"
#include "session_oracles.h"

namespace {

int const header_lines = 2;

std::string script_header(long fail_call) {
    std::string fault = fail_call > 0 ? "--fail-call " + std::to_string(fail_call) + " --keep-going " : "";
    return "# A random session of fuzz_window_session, on scene.json (a `scene` line opens scene2.json).\n"
           "# Replay: vexel-host --oracles " + fault + "--prefs EMPTY_FILE scene.json session.vxs\n";
}

// Where a faulted session's host call throws: armed before action `action`, it is the
// `offset`-th host call from there (in a later action when that one makes fewer calls).
struct fault_plan {
    bool faulted = false;
    int action = 0;
    long offset = 0;
    bool in_edit = false;  // armed at the first "App." or "Snap" from `action` on instead
    // Instead: the preference store's first call of this operation after the window was
    // made (a store of the settings) throws.
    char const* store = nullptr;
};

// An eighth of the inputs (by their fifth byte from the end) reach states the generator
// learnt later: skins that drag whole parts, a preference store that fails to store the
// settings, and a shape the host deletes in the middle of "App." or "Snap". No input of the
// corpus selects them, so each replays the session it was found in; the others decode as
// before.
bool later_states(std::uint8_t const* data, std::size_t size) { return size >= 5 && data[size - 5] % 8 == 0; }

// From the input's last three bytes, which the session may read as well: the sessions
// without a fault play as they did before there were faults.
fault_plan fault_plan_of(std::uint8_t const* data, std::size_t size, int max_actions) {
    fault_plan plan;
    if (later_states(data, size)) {
        plan.store = data[size - 5] & 8 ? "write_int" : "open_write_stream";
        return plan;
    }
    if (size < 3 || max_actions < 1 || data[size - 1] % 3 != 0) return plan;
    plan.faulted = true;
    plan.action = data[size - 2] % max_actions;
    // Half of them strike inside an edit, whose undo step must hold what it wrote.
    plan.in_edit = data[size - 2] / max_actions % 2 != 0;
    plan.offset = plan.in_edit ? 1 + data[size - 3] % 48 : 1 + data[size - 3] * 2;
    return plan;
}
// A quarter of the sessions start with the host's number boxes, which the window takes
// when it is made: the settings, then a restart. From the input's fourth byte from the end;
// the others play as they did before.
std::string number_box_settings(std::uint8_t const* data, std::size_t size) {
    if (size < 4 || data[size - 4] % 4 != 0) return "";
    return std::string("settings mark=") + (data[size - 4] & 4 ? "1" : "0") + " number=1 undo=1";
}

char const second_scene_file[] = "scene2.json";

// A `during` line for the "App." or "Snap" about to be clicked: the host deletes the shown
// shape, the shape it lies in or one inside it from a host call of the click that is not
// about it (App. reads a link check box or a number box, Snap opens the update bracket),
// where the undo step is already open. "" when no shape is shown.
std::string deletion_inside(byte_source& in, host::shape_node* shown, bool app) {
    if (shown == nullptr) return "";
    host::shape_node* doomed = shown;
    int which = in.below(4);
    if (which == 1 && shown->parent() != nullptr) doomed = shown->parent();
    if (which == 2 && !shown->children().empty())
        doomed = shown->children()[in.below(static_cast<int>(shown->children().size()))].get();
    char const* operation = !app ? "scene.begin_update" : in.chance(70) ? "get_check_box_int_value"
                                                                        : "get_number_float_value";
    return std::string("during ") + operation + " delete " + doomed->path();
}

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
    bool later = later_states(data, size);
    record.scene = random_scene(scene_bytes, 6, later);
    record.second_scene = random_scene(second_bytes, 3, later);
    fault_plan plan = fault_plan_of(data, size, max_actions);
    std::string lines;
    write_file(dir + "/scene.json", record.scene);
    write_file(dir + "/" + second_scene_file, record.second_scene);

    std::ostringstream out, err;
    runner::runner_options options;
    options.module_path = module;
    runner::runner_session session(options, out, err);
    oracles::session_oracles promises;
    session.watch(&promises);
    // What the host refused or failed to do in the line the fault struck (a dialog that was
    // never shown, a window that could not be made again) is the fault's doing, not the
    // generator's: failures [excused_from, excused_to) of the session.
    std::size_t excused_from = 0, excused_to = 0;
    auto going = [&] { return session.failures().size() == excused_to; };
    // Plays one line and keeps it; false when the generator made a line the parser refuses.
    auto play_line = [&](std::string const& line) {
        script::script one;
        try {
            one = script::parse_script_text(line, "session.vxs");
        } catch (script::script_error const& e) {
            record.refused.push_back(e.what());
            return false;
        }
        one.dir = dir;
        one.actions.front().line = header_lines + record.actions + 1;
        lines += line + "\n";
        ++record.actions;
        bool fired = host::faults().fired();
        std::size_t failed = session.failures().size();
        session.run(one);
        if (fired || !host::faults().fired()) return true;
        std::vector<runner::runner_failure> const& all = session.failures();
        bool host_side = std::all_of(all.begin() + failed, all.end(), [](runner::runner_failure const& f) {
            return f.kind == host::failure_kind::refused || f.kind == host::failure_kind::host;
        });
        if (host_side && failed == excused_to) {
            excused_from = failed;
            excused_to = all.size();
        }
        return true;
    };
    if (session.start(dir + "/scene.json")) {
        std::string boxes = number_box_settings(data, size);
        if (plan.store)
            host::faults().before_call(plan.store, "planned fault", [&record] {
                record.fail_call = host::faults().calls() + 1;
                host::faults().fail_any(1);
            });
        if (!boxes.empty() && play_line(boxes)) play_line("restart");
        bool after_edit = false;
        // A choice that comes to nothing (no control to reach) costs an attempt, not an action.
        for (int tries = 0; tries < 4 * max_actions && record.actions < max_actions && !in.empty() && going();
             ++tries) {
            std::string line = random_action(in, session, second_scene_file, after_edit);
            if (line.empty()) continue;
            bool edit = line == "click App." || line == "click Snap";
            if (plan.faulted && record.fail_call == 0 && record.actions >= plan.action && (edit || !plan.in_edit)) {
                record.fail_call = host::faults().calls() + plan.offset;
                host::faults().fail_any(plan.offset);
            }
            // Only the later states' sessions read a byte for it: the others decode as before.
            if (later && edit && in.chance(30)) {
                std::string during = deletion_inside(in, promises.contract().shape(), line == "click App.");
                if (!during.empty() && record.actions + 1 < max_actions) play_line(during);
            }
            bool fired = host::faults().fired();
            if (!play_line(line)) continue;
            after_edit = edit;
            // A window whose making failed may stay inert, by its contract: the user makes
            // it again, and the new one must work.
            if (!fired && host::faults().fired() && line == "restart" && going()) play_line("restart");
        }
        // A window the fault left busy ignores a selection; the rows then fail promise 4.
        if (host::faults().fired() && going() && session.app().loaded()) {
            if (!session.window().shown) {
                play_line("show");
                play_line("idle");
            }
            std::vector<host::shape_node*> shapes = session.scene()->all_shapes();
            if (!shapes.empty()) play_line("active " + shapes.front()->path());
        }
    }
    record.script = script_header(record.fail_call) + lines;
    session.finish();
    record.judged = promises.judged();
    std::vector<runner::runner_failure> const& all = session.failures();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (i < excused_from || i >= excused_to)
            (all[i].kind == host::failure_kind::refused ? record.refused : record.failures).push_back(all[i].message);
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
