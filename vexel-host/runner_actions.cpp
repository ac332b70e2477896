// The actions of a vexel-host script: what the host does for each line, and which of it is
// a call into the plug-in (whose exceptions are the plug-in's failure) and which is the
// host's own edit (whose refusal is the line's).
#include <cstdlib>
#include <ostream>

#include "checks/host_checks.h"
#include "expected_refs.h"
#include "files/scene_dump.h"
#include "files/scene_file.h"
#include "host_shape.h"
#include "runner_controls.h"
#include "runner_dialog.h"
#include "runner_dump.h"
#include "runner_edits.h"
#include "runner_session.h"
#include "runner_view.h"
#include "windowinterface"

namespace host {

void runner_session::perform(script_action const& a) {
    // Checked here for every action, so that the refusal shows the path escaped and cut.
    if (names_a_shape(a.kind) && !a.path.empty() && !require_scene().find(a.path))
        throw script_error(a.word + ": no shape at path " + quoted_word(a.path));
    switch (a.kind) {
    case action_kind::active: do_active(a); break;
    case action_kind::select:
        refusing(a.word, [&] { require_scene().set_active_points(a.path, a.indices); });
        break;
    case action_kind::idle:
        require_window();
        for (int i = 0; i < a.number; ++i) into_plugin("idle", [&] { hostapp->idle(); });
        break;
    case action_kind::ref: {
        script_action click = a;
        click.value = "Ref.";
        click.number = 0;
        do_click(click);
        break;
    }
    case action_kind::type: do_type(a); break;
    case action_kind::click: do_click(a); break;
    case action_kind::slot: do_slot(a); break;
    case action_kind::hide:
        require_window();
        hostapp->hide_window();
        break;
    case action_kind::show:
        require_window();
        hostapp->show_window();
        break;
    case action_kind::dump: do_dump(); break;
    case action_kind::dump_scene: do_dump_scene(a); break;
    case action_kind::settings: do_settings(a); break;
    case action_kind::undo:
        // As in a host, an undo with nothing to undo does nothing.
        if (!require_scene().undo()) out << "undo: nothing to undo\n";
        break;
    case action_kind::delete_shape: do_delete(a); break;
    case action_kind::unit:
        refusing(a.word, [&] { require_scene().set_figure_unit(a.factor); });
        if (hostapp->loaded())
            into_plugin("figure_unit_changed", [&] { hostapp->figure_unit_changed(); });
        break;
    case action_kind::state: require_scene().set_state_flag(a.on); break;
    case action_kind::joint: do_joint(a); break;
    case action_kind::scene: do_scene(a); break;
    case action_kind::restart: do_restart(); break;
    case action_kind::expect_refs: do_expect_refs(a); break;
    case action_kind::marks: do_marks(); break;
    case action_kind::move_window: do_move_window(a); break;
    case action_kind::dialog: do_dialog(a); break;
    case action_kind::trace: do_trace(a); break;
    case action_kind::announce:
        require_window();
        announce_scene();
        break;
    case action_kind::move:
    case action_kind::insert_point:
    case action_kind::remove_point:
    case action_kind::rename:
    case action_kind::modifiable:
    case action_kind::direction:
        // The scene's modification listener sends shapes_modified.
        edit_shape(require_scene(), a);
        break;
    }
}

void runner_session::check_control(int index, control_kind kind, std::string const& name) const {
    std::string const& word = acting ? acting->word : name;
    window_state s = window();
    if (index >= static_cast<int>(s.controls.size()))
        throw script_error(word + ": the window has no " + name + " (it has " +
                           std::to_string(s.controls.size()) + " controls)");
    control_state const& c = s.controls[index];
    bool handled = c.kind == control_kind::text_field || c.handler != nullptr;
    check_reachable(word, name, {c.kind, c.enabled, c.shown, handled}, kind, c.y, s.client.y);
}

void runner_session::do_active(script_action const& a) {
    scene_model& s = require_scene();
    std::vector<shape_class*> before;
    if (s.active_shape()) before.push_back(&s.active_shape()->iface());
    refusing(a.word, [&] { s.set_active_shape(a.path); });
    std::vector<shape_class*> after;
    if (s.active_shape()) after.push_back(&s.active_shape()->iface());
    if (hostapp->loaded())
        into_plugin("active_shapes_changed", [&] { hostapp->active_shapes_changed(before, after); });
}

void runner_session::do_type(script_action const& a) {
    int index = vexel_controls::box(a.number, a.field - 'x');
    std::string name = "row " + std::to_string(a.number) + " " + a.field;
    check_control(index, control_kind::number, name);
    if (window().controls[index].kind == control_kind::number && !number_box_value(a.value))
        throw script_error(a.word + ": " + quoted_word(a.value) + " is not a number (" + name +
                           " is a host number box)");
    window_interface& w = require_window();
    into_plugin("type", [&] { hostapp->services().type(w, index, a.value); });
}

void runner_session::do_click(script_action const& a) {
    named_control const* target = find_named_control(a.value);
    if (!target) throw script_error(a.word + ": unknown control " + quoted_word(a.value));
    check_control(target->index, target->kind, quoted_word(a.value));
    window_interface& w = require_window();
    std::string what = "click " + a.value;
    into_plugin(what.c_str(), [&] {
        if (target->kind == control_kind::checkbox)
            hostapp->services().toggle(w, target->index, a.number);
        else
            hostapp->services().click(w, target->index, a.number);
    });
}

void runner_session::do_slot(script_action const& a) {
    check_control(vexel_controls::slots, control_kind::popup, "the slot pop-up");
    window_interface& w = require_window();
    into_plugin("slot", [&] { hostapp->services().choose(w, vexel_controls::slots, a.number); });
}

void runner_session::do_dump() {
    window_state s = window();
    // With --view the drawing tells the story; --json keeps the line beside it.
    if (!options.view || options.json) out << one_line_json(window_dump(s)) << "\n";
    if (options.view) out << draw_window(s, true);
}

void runner_session::do_dump_scene(script_action const& a) {
    scene_model& s = require_scene();
    if (a.path.empty()) {
        out << dump_scene_text(s);
        return;
    }
    // The shape and its subtree, one shape a line.
    nlohmann::ordered_json const dump = dump_scene_json(s);
    for (auto const& shape : dump["shapes"]) {
        std::string path = shape["path"];
        if (path == a.path || path.rfind(a.path + "/", 0) == 0) out << one_line_json(shape) << "\n";
    }
}

void runner_session::do_settings(script_action const& a) { ask_settings(a, a.cancel); }

void runner_session::do_dialog(script_action const& a) {
    ask_settings(a, true);
    out << one_line_json(dialog_line(hostapp->last_dialog())) << "\n";
}

void runner_session::ask_settings(script_action const& a, bool cancel) {
    check_control(vexel_controls::ref, control_kind::button, quoted_word("Ref."));
    window_interface& w = require_window();
    hostapp->queue_dialog_choices(a.choices);
    hostapp->queue_dialog_cancel(cancel);
    hostapp->forget_dialog();
    // Action code 2 asks "Ref." for the settings dialog instead of a refresh.
    into_plugin(a.word.c_str(), [&] { hostapp->services().click(w, vexel_controls::ref, 2); });
    hostapp->queue_dialog_choices({});
    hostapp->queue_dialog_cancel(false);
    // The plug-in swallows a dialog that cannot be shown; the line must not pass for it.
    if (!hostapp->dialog_problem().empty())
        throw script_error(a.word + ": the settings dialog cannot be shown: " +
                           hostapp->dialog_problem());
    if (hostapp->last_dialog().resource.empty())
        throw script_error(a.word + ": the plug-in showed no settings dialog");
}

void runner_session::do_delete(script_action const& a) {
    refusing(a.word, [&] {
        require_scene().delete_shape(a.path, [&](std::vector<shape_class*> const& doomed) {
            if (hostapp->loaded())
                into_plugin("shapes_being_deleted", [&] { hostapp->shapes_being_deleted(doomed); });
        });
    });
}

void runner_session::do_joint(script_action const& a) {
    shape_node* node = require_scene().find(a.path);
    auto* joint = dynamic_cast<part_class*>(&node->iface());
    if (!joint) throw script_error(a.word + ": " + quoted_word(a.path) + " is not a part");
    if (hostapp->loaded())
        into_plugin("current_joint_value_changed",
                    [&] { hostapp->current_joint_value_changed({joint}); });
}

void runner_session::do_scene(script_action const& a) {
    std::string path = a.path;
    if (!path.empty() && path[0] != '/' && running && !running->dir.empty())
        path = running->dir + "/" + path;
    std::unique_ptr<scene_model> next;
    try {
        next = open_scene_file(path);
    } catch (scene_file_error const& e) {
        throw script_error(a.word + ": " + e.what());
    }
    use_scene(std::move(next));
    if (hostapp->loaded()) announce_scene();
}

void runner_session::do_restart() {
    try {
        if (hostapp->loaded())
            hostapp->restart();
        else
            hostapp->load(options.module_path);  // a reload after a failed restart
    } catch (std::exception const& e) {
        fail(failure_kind::host, std::string("restart: ") + e.what());
        return;
    }
    announce_scene();
}

void runner_session::do_expect_refs(script_action const& a) {
    std::string mismatch = refs_mismatch(a.word, hostapp.get(), a.number);
    if (!mismatch.empty()) throw expectation_failed(mismatch);
}

void runner_session::do_trace(script_action const& a) {
    collect_trace();
    play_trace(a, calls_since, out);
}

void runner_session::do_marks() {
    collect_marks();
    for (collected_mark const& m : marks_since) out << one_line_json(mark_line(m)) << "\n";
    marks_since.clear();
}

void runner_session::do_move_window(script_action const& a) {
    window_interface& w = require_window();
    window_state s = window();
    // The user drags the frame by its title bar, which a hidden window does not show.
    if (!s.shown) throw script_error(a.word + ": the window is hidden");
    tq::rectangle_class r = dragged_frame(s.frame, a.at[0], a.at[1]);
    // Only the frame moves: a host sends a window no event for being dragged, so the
    // plug-in sees the new place when it next asks (a refresh, a hidden-to-shown tick).
    // The move goes through the host's frame operation and counts as one host call, but
    // it is the user's, not the plug-in's: `trace` does not show it.
    unrecorded_calls users_own;
    refusing(a.word, [&] { hostapp->services().set_frame_rectangle(w, &r); });
}

}  // namespace host
