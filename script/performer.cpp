#include "performer.h"

#include <ostream>

#include "call_trace.h"
#include "checks/host_checks.h"
#include "dialog_line.h"
#include "expected_refs.h"
#include "scene_files/scene_dump.h"
#include "scene_files/scene_file.h"
#include "host_shape.h"
#include "mark_line.h"
#include "shape_edit_lines.h"
#include "window_dump.h"

namespace script {

namespace {

using host::control_kind;

void require_window(script_action const& a, host::host_session& s) {
    if (!s.loaded()) throw script_error(a.word + ": no plug-in window is open");
}

host::scene_model& require_scene(host::host_session& s) {
    if (!s.scene()) throw script_error("no scene is open");
    return *s.scene();
}

void click_named(script_action const& a, std::string const& name, int action, performer& p) {
    named_control const* target = find_named_control(name);
    if (!target) throw script_error(a.word + ": unknown control " + host::quoted_word(name));
    p.reach(a, target->index, target->kind, host::quoted_word(name));
    p.click(a, *target, action);
}

void type_into(script_action const& a, performer& p) {
    int index = vexel_controls::box(a.number, a.field - 'x');
    std::string name = "row " + std::to_string(a.number) + " " + a.field;
    p.reach(a, index, control_kind::number, name);
    bool number_box = p.shown_window(a).controls[index].kind == control_kind::number;
    if (number_box && !host::number_box_value(a.value))
        throw script_error(a.word + ": " + host::quoted_word(a.value) + " is not a number (" +
                           name + " is a host number box)");
    p.type(a, index, number_box);
}

// Opens the settings dialog ("Ref." with action 2), answered with the line's choices and
// OK, or Cancel.
void ask_settings(script_action const& a, bool cancel, performer& p) {
    host::host_app& app = p.session().app();
    named_control const& ref = *find_named_control("Ref.");
    p.reach(a, ref.index, ref.kind, host::quoted_word(ref.name));
    app.forget_dialog();
    p.answer_dialog(a.choices, cancel, [&] { p.click(a, ref, 2); });
    // The plug-in swallows a dialog that cannot be shown; the line must not pass for it.
    if (!app.dialog_problem().empty())
        throw script_error(a.word + ": the settings dialog cannot be shown: " +
                           app.dialog_problem());
    if (app.last_dialog().resource.empty())
        throw script_error(a.word + ": the plug-in showed no settings dialog");
}

void dump_scene(script_action const& a, host::scene_model& scene, std::ostream& out) {
    if (a.path.empty()) {
        out << host::dump_scene_text(scene);
        return;
    }
    // The shape and its subtree, one shape a line.
    nlohmann::ordered_json const dump = host::dump_scene_json(scene);
    for (auto const& shape : dump["shapes"]) {
        std::string path = shape["path"];
        if (path == a.path || path.rfind(a.path + "/", 0) == 0) out << one_line_json(shape) << "\n";
    }
}

void open_scene(script_action const& a, std::string const& dir, host::host_session& s) {
    std::string path = a.path;
    if (!path.empty() && path[0] != '/' && !dir.empty()) path = dir + "/" + path;
    try {
        s.open_scene(path);
    } catch (host::scene_file_error const& e) {
        throw script_error(a.word + ": " + e.what());
    }
}

void move_window(script_action const& a, host::host_session& s) {
    require_window(a, s);
    // The user drags the frame by its title bar, which a hidden window does not show.
    if (!s.window().shown) throw script_error(a.word + ": the window is hidden");
    refusing(a.word, [&] { s.move_window(a.at[0], a.at[1]); });
}

}  // namespace

void perform(script_action const& a, std::string const& dir, performer& p) {
    host::host_session& s = p.session();
    std::ostream& out = p.out();
    // Checked here for every action, so that the refusal shows the path escaped and cut.
    if (names_a_shape(a.kind) && !a.path.empty() && !require_scene(s).find(a.path))
        throw script_error(a.word + ": no shape at path " + host::quoted_word(a.path));
    switch (a.kind) {
    case action_kind::active: refusing(a.word, [&] { s.make_active(a.path); }); break;
    case action_kind::select: refusing(a.word, [&] { s.select_points(a.path, a.indices); }); break;
    case action_kind::idle:
        require_window(a, s);
        for (int i = 0; i < a.number; ++i) s.idle_tick();
        break;
    case action_kind::ref: click_named(a, "Ref.", 0, p); break;
    case action_kind::type: type_into(a, p); break;
    case action_kind::click: click_named(a, a.value, a.number, p); break;
    case action_kind::slot:
        p.reach(a, vexel_controls::slots, control_kind::popup, "the slot pop-up");
        p.choose(a, vexel_controls::slots, a.number);
        break;
    case action_kind::hide:
        require_window(a, s);
        s.hide_window();
        break;
    case action_kind::show:
        require_window(a, s);
        s.show_window();
        break;
    case action_kind::dump: p.dump(p.shown_window(a)); break;
    case action_kind::dump_scene: dump_scene(a, require_scene(s), out); break;
    case action_kind::settings: ask_settings(a, a.cancel, p); break;
    case action_kind::dialog:
        ask_settings(a, true, p);
        out << one_line_json(dialog_line(s.app().last_dialog())) << "\n";
        break;
    case action_kind::undo:
        // As in a host, an undo with nothing to undo does nothing.
        require_scene(s);
        if (!s.undo()) out << "undo: nothing to undo\n";
        break;
    case action_kind::delete_shape: refusing(a.word, [&] { s.delete_shape(a.path); }); break;
    case action_kind::unit: refusing(a.word, [&] { s.set_figure_unit(a.factor); }); break;
    case action_kind::state:
        require_scene(s);
        s.set_state_flag(a.on);
        break;
    case action_kind::joint: {
        auto* joint = dynamic_cast<part_class*>(&s.scene()->find(a.path)->iface());
        if (!joint) throw script_error(a.word + ": " + host::quoted_word(a.path) + " is not a part");
        s.joint_changed(joint);
        break;
    }
    case action_kind::scene: open_scene(a, dir, s); break;
    case action_kind::restart: s.restart(); break;
    case action_kind::expect_refs: {
        std::string mismatch = refs_mismatch(a.word, s.has_host() ? &s.app() : nullptr, a.number);
        if (!mismatch.empty()) throw expectation_failed(mismatch);
        break;
    }
    case action_kind::marks:
        s.collect();
        for (host::collected_mark const& m : s.take_marks()) out << one_line_json(mark_line(m)) << "\n";
        break;
    case action_kind::move_window: move_window(a, s); break;
    case action_kind::trace:
        if (!a.value.empty()) {
            host::faults().record_calls(a.value == "on");
            break;
        }
        s.collect();
        for (host::collected_call const& c : s.take_calls()) out << one_line_json(trace_line(c)) << "\n";
        break;
    case action_kind::announce:
        require_window(a, s);
        s.announce(a.value == "scene-only");
        break;
    case action_kind::during:
        if (a.path.empty())
            s.during(a.value, *host::notification_named(a.notification));
        else
            s.during_delete(a.value, a.path);
        break;
    case action_kind::move:
    case action_kind::insert_point:
    case action_kind::remove_point:
    case action_kind::rename:
    case action_kind::modifiable:
    case action_kind::direction:
        // The scene's modification listener sends shapes_modified.
        edit_shape(require_scene(s), a);
        if (a.kind == action_kind::rename) s.tree_edited();
        break;
    }
}

}  // namespace script
