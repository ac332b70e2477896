#include "session_oracles.h"

#include <algorithm>
#include <cstdio>

#include "checks/host_checks.h"
#include "expected_rows.h"
#include "windowinterface"

namespace oracles {

using script::action_kind;
using host::host_session;
using script::script_action;
using host::shape_node;

namespace {

bool clicked(script_action const& a, char const* name) { return a.kind == action_kind::click && a.value == name; }

// Whether the window must write nothing for a click, because the host locked what it would
// write: "Snap" asks the shown shape, "App." also the line or mesh holding a part's point.
// The window asks at the click, so a lock it was not told of (it was hidden) counts too.
bool locked(shape_node* shape, int index, bool app) {
    if (shape == nullptr) return false;
    if (!shape->modifiable) return true;
    if (!app || index < 0) return false;
    std::optional<held_index> held = resolve(*shape, index);
    return held && !held->shape->modifiable;
}

std::optional<window_view> view_of(host_session& session) {
    if (!session.app().loaded()) return std::nullopt;
    return read_window(session.window());
}

void subtree(shape_node* node, std::vector<shape_node*>& out) {
    out.push_back(node);
    for (auto const& child : node->children()) subtree(child.get(), out);
}

// What deleting node removes, and the shapes it lay in, which stay.
void removal_of(shape_node* node, std::vector<shape_node*>& gone, std::vector<shape_node*>& under) {
    subtree(node, gone);
    for (shape_node* up = node->parent(); up != nullptr; up = up->parent()) under.push_back(up);
}

std::string promise(int n) { return "promise " + std::to_string(n) + ": "; }

void add(std::vector<std::string>& out, int n, std::vector<std::string> const& problems) {
    for (std::string const& p : problems) out.push_back(promise(n) + p);
}

bool same_rows(window_view const& a, window_view const& b) {
    for (int row = 0; row < 5; ++row)
        for (int axis = 0; axis < 3; ++axis) {
            box_view const& x = a.rows[row].box[axis];
            box_view const& y = b.rows[row].box[axis];
            if (x.text != y.text || !(x.number == y.number || (x.number != x.number && y.number != y.number)))
                return false;
        }
    return a.links[2] == b.links[2] && a.links[4] == b.links[4];
}

char const* kind_name(point_kind k) {
    switch (k) {
    case point_kind::control_points: return "a control point";
    case point_kind::vertices: return "a vertex";
    case point_kind::two_fixed: return "a two-point joint";
    case point_kind::one_fixed: return "a centre or pivot";
    case point_kind::none: break;
    }
    return "nothing";
}

// "a control point in Glo., In/Out O b." for the judged counts.
std::string shown_as(shape_node const& shape, window_view const& w) {
    char const* const modes[4] = {"Abs.", "Rel.", "I b.", "O b."};
    std::string text = std::string(kind_name(kind_of(shape))) + (w.local ? " in Loc." : " in Glo.");
    if (kind_of(shape) == point_kind::control_points && w.modes[1] >= 0)
        text += std::string(", In/Out ") + modes[w.modes[1]];
    if (w.rows[0].box[0].number_box) text += ", number boxes";
    return text;
}

// The point-number text a refresh writes for the shown point.
std::string point_number_text(shape_node const* shape, int index) {
    point_kind k = shape ? kind_of(*shape) : point_kind::none;
    if (k != point_kind::control_points && k != point_kind::vertices) return "       ";
    if (index == -1) return "un sel.";
    char text[16];
    std::snprintf(text, sizeof text, "%7i", index);
    return text;
}

}  // namespace

int session_oracles::settings_word(host_session& session) {
    if (!session.app().loaded()) return 0;
    return session.app().preferences().value(session.app().window()->get_uuid(nullptr)).value_or(0);
}

void session_oracles::before(host_session& session, script_action const& action) {
    scene = session.scene();
    fired_before = host::faults().fired();
    if (!fired_before) held_before = host::audit().outstanding();
    if (!started && scene != nullptr) window.announced(*scene);
    started = true;
    rows_before.reset();
    state_before.reset();
    typed.reset();
    untouched.reset();
    snapped.reset();
    deleted.clear();
    deleted_under.clear();
    doomed_alive.reset();
    doomed.clear();
    doomed_under.clear();
    // A second `during` replaces the armed one, whichever its kind.
    if (action.kind == action_kind::during) pending_delete = action.path;
    if (scene == nullptr) return;
    if (!pending_delete.empty())
        if (shape_node* node = scene->find(pending_delete)) {
            doomed_alive = node->token();
            removal_of(node, doomed, doomed_under);
        }
    marks_before = session.marker().requests().size();
    calls_before = host::faults().calls();
    steps_before = scene->undo_records().step_count();
    settings = settings_word(session);
    if (action.kind == action_kind::delete_shape)
        if (shape_node* node = scene->find(action.path)) removal_of(node, deleted, deleted_under);
    bool app = clicked(action, "App."), snap = clicked(action, "Snap");
    if (!(app || snap || clicked(action, "Load")) || suspended) return;
    rows_before = view_of(session);
    if (!(app || snap) || !rows_before) return;
    state_before = scene_state::of(*scene);
    double unit = scene->figure_unit();
    shape_node* target = locked(window.shape(), window.index(), app) ? nullptr : window.shape();
    if (app) {
        typed = expect_typed_apply(target, window.index(), *rows_before, unit);
        if (window.rows_current())
            untouched = expect_untouched_apply(target, window.index(), *rows_before, unit);
    }
    if (snap) snapped = expect_snap(target, window.index(), *rows_before, unit, window.rows_current());
}

std::vector<std::string> session_oracles::after(host_session& session, script_action const& action) {
    std::vector<std::string> out;
    bool undo_pending = undoable_now;
    bool undo_after_fault = undoable_after_fault;
    undoable_now = false;
    undoable_after_fault = false;
    bool faulted = !fired_before && host::faults().fired();
    // The armed deletion fired inside this action (a `delete` of the shape or one it lay in
    // frees it too, but the hook never fires inside a notification).
    bool deleted_inside = doomed_alive && !*doomed_alive && action.kind != action_kind::delete_shape;
    if (deleted_inside) pending_delete.clear();
    if (faulted || deleted_inside) {
        // Where the click stopped decides what it wrote: only its undo step is judged.
        typed.reset();
        untouched.reset();
        snapped.reset();
    }
    if (scene == nullptr || scene != session.scene()) {
        // A new scene: the window lets go of everything it showed or saved.
        if (session.scene()) window.follow(action, *session.scene(), {});
        check_host(session, out);
        if (faulted) check_fault(action, out);
        else if (window.rebound()) suspended = false;
        return out;
    }
    check_host(session, out);
    double unit = scene->figure_unit();

    if (typed || snapped || (faulted && state_before)) {
        scene_state after_state = scene_state::of(*scene);
        if (typed) {
            count("6 App. of " + (typed->shape ? shown_as(*typed->shape, *rows_before) : std::string("nothing shown")));
            add(out, 6, check_write(*typed, *state_before, after_state, "App. of the rows as they show"));
        }
        if (untouched && untouched->shape) {
            count("2 untouched App. of " + shown_as(*untouched->shape, *rows_before));
            add(out, 2, check_write(*untouched, *state_before, after_state, "untouched App."));
        }
        if (snapped) {
            if (snapped->shape) count(std::string(snapped->untouched ? "3 untouched " : "6 typed ") + "Snap of " +
                                      shown_as(*snapped->shape, *rows_before));
            add(out, snapped->untouched ? 3 : 6, check_snap(*snapped, *state_before, after_state, "Snap"));
        }
        // The host's deletion is no change of the click's: an undo does not bring it back.
        check_undo_records(*scene, !deleted_inside && !differences(*state_before, after_state).empty(), out);
        undoable_after_fault = undoable_now && faulted;
    }
    if (action.kind == action_kind::undo && undo_pending && undoable) {
        count(undo_after_fault ? "7 undo right after a failed App. or Snap" : "7 undo right after App. or Snap");
        add(out, 7, differences(*undoable, scene_state::of(*scene)));
    }

    action_outcome outcome;
    outcome.notified = host::faults().calls() > calls_before;
    outcome.deleted = deleted;
    outcome.deleted_under = deleted_under;
    window.follow(action, *scene, outcome);
    if (deleted_inside) {
        count("8 the action in which the host deleted a shape");
        action_outcome inside;
        inside.deleted = doomed;
        inside.deleted_under = doomed_under;
        window.deleted_inside(action, inside);
    }
    if (faulted) {
        check_fault(action, out);
    } else if (window.left_open()) {
        suspended = true;
    } else if (suspended && window.rebound()) {
        suspended = false;
        count("8 full refresh after a failed host call");
    }
    if (deleted_inside) suspended = true;
    if (suspended) return out;

    bool load = clicked(action, "Load");
    if (window.refreshed() || load) {
        std::optional<window_view> now = view_of(session);
        if (now && window.refreshed()) check_refresh(session, *now, out);
        if (now && load) check_load(action, *now, unit, out);
    }
    if (window.saved() || action.kind == action_kind::slot) check_marks(session, out);
    return out;
}

void session_oracles::check_host(host_session& session, std::vector<std::string>& out) {
    if (session.scene() == nullptr) return;
    count("1 host checks");
    for (std::string const& v : session.scene()->violations())
        if (reported.insert(v).second) out.push_back(promise(1) + v);
}

void session_oracles::check_fault(script_action const& action, std::vector<std::string>& out) {
    count("8 the action in which a host call failed");
    window.fault_struck(action.kind);
    suspended = true;
    // A restart makes a new window, whose own objects are new: the check after the session
    // finds any it keeps once released.
    if (action.kind == action_kind::restart) return;
    for (std::string const& held : host::audit().outstanding())
        if (std::find(held_before.begin(), held_before.end(), held) == held_before.end())
            out.push_back(promise(8) + "after the failed host call the window holds " + held +
                          ", which it did not hold before the action");
}

void session_oracles::check_undo_records(host::scene_model& s, bool changed, std::vector<std::string>& out) {
    std::size_t steps = s.undo_records().step_count();
    bool undo_on = (settings & 4) != 0;
    count(undo_on ? "7 undo steps with undo on" : "7 no undo record with undo off");
    if (!undo_on) {
        if (steps != steps_before) out.push_back(promise(7) + "with undo off an undo record was made");
        return;
    }
    if (steps > steps_before + 1) out.push_back(promise(7) + "one click made more than one undo step");
    if (changed && steps != steps_before + 1) out.push_back(promise(7) + "with undo on the change made no undo step");
    // The host's undo passes over a step that changes nothing: an undo right after such a
    // click restores an earlier step, which this promise does not follow.
    if (changed && steps == steps_before + 1) {
        undoable = state_before;
        undoable_now = true;
    }
}

void session_oracles::check_refresh(host_session&, window_view const& now, std::vector<std::string>& out) {
    if (!window.refreshed()) return;
    shape_node* shape = window.shape();
    std::string where = "after the refresh, " + point_name(*shape, window.index());
    if (auto expected = rows_for_point(*shape, window.index(), now, scene->figure_unit())) {
        count("4 rows of " + shown_as(*shape, now));
        add(out, 4, compare_rows(*expected, now, where));
    }
    if (!window.rebound()) return;
    std::string name = "[" + shape->name() + "]";
    if (now.title.size() < name.size() || now.title.compare(now.title.size() - name.size(), name.size(), name) != 0)
        out.push_back(promise(4) + where + ": the title is \"" + now.title + "\", not the shape's name");
    std::string number = point_number_text(shape, window.index());
    if (now.point_number != number)
        out.push_back(promise(4) + where + ": the point number shows \"" + now.point_number + "\", not \"" + number +
                      "\"");
}

void session_oracles::check_load(script_action const& action, window_view const& now, double unit,
                                 std::vector<std::string>& out) {
    int chosen = window.chosen();
    if (chosen < 0 || !rows_before) return;
    saved_point const& slot = window.slot(chosen);
    if (!slot.known) return;
    if (slot.shape == nullptr || !window_contract::still_there(slot)) {
        count(std::string("5 Load of a slot whose point is gone") + (slot.line ? " from a surface part's line" : ""));
        if (!same_rows(*rows_before, now))
            out.push_back(promise(5) + "Load of slot " + std::to_string(chosen) +
                          ", whose point was deleted, changed the rows");
        return;
    }
    int flat = window_contract::flat_index(slot);
    std::string where = "Load of slot " + std::to_string(chosen) + " (" + point_name(*slot.shape, flat) + ")";
    shape_node* shown = window.shape();
    bool shown_control = shown && kind_of(*shown) == point_kind::control_points && window.index() >= 0;
    bool saved_control = kind_of(*slot.shape) == point_kind::control_points;
    std::optional<expected_rows> expected;
    if (shown_control && saved_control) {
        if (auto point = control_point(*slot.shape, flat)) expected = rows_for_control_point(*point, now, unit);
    } else {
        bool second_row = shown && kind_of(*shown) == point_kind::two_fixed && (action.number & 2) != 0;
        expected = row_for_position(*slot.shape, flat, second_row ? 1 : 0, now, unit);
    }
    if (expected) {
        count(std::string("5 Load of ") + kind_name(kind_of(*slot.shape)) + (slot.line ? " in a surface part's line" : ""));
        add(out, 5, compare_rows(*expected, now, where));
    }
}

void session_oracles::check_marks(host_session& session, std::vector<std::string>& out) {
    std::vector<host::mark_request> const& all = session.marker().requests();
    host::mark_request const* last = nullptr;
    for (std::size_t i = marks_before; i < all.size(); ++i)
        if (all[i].operation == 3) last = &all[i];
    bool marking = (settings & 1) != 0;
    if (!marking) {
        if (last) out.push_back(promise(5) + "a point was marked with marking off");
        return;
    }
    int chosen = window.chosen();
    if (chosen < 0) return;
    saved_point const& slot = window.slot(chosen);
    if (!slot.known || !window_contract::still_there(slot)) return;
    int flat = window_contract::flat_index(slot);
    std::string what = "slot " + std::to_string(chosen) + " holds " + point_name(*slot.shape, flat);
    if (is_camera_joint(*slot.shape)) {
        if (last) out.push_back(promise(5) + what + ", a camera joint, which is never marked, but a mark was made");
        return;
    }
    count(std::string("5 mark of ") + kind_name(kind_of(*slot.shape)) + (slot.line ? " in a surface part's line" : ""));
    if (!last) {
        out.push_back(promise(5) + what + " and marking is on, but no mark was made");
        return;
    }
    bool names_it = last->shape == &slot.shape->iface() && last->indices.size() == 1 && last->indices[0] == flat;
    if (!names_it) {
        shape_node* marked = shape_node::from(last->shape);
        out.push_back(promise(5) + what + ", but the mark names " +
                      (marked ? marked->path() : std::string("another shape")) + " point " +
                      (last->indices.empty() ? std::string("(none)") : std::to_string(last->indices[0])));
    }
}

}  // namespace oracles
