#include "window_contract.h"

#include <algorithm>

#include "reference_points.h"

namespace oracles {

using script::action_kind;
using host::shape_node;

namespace {

bool among(std::vector<shape_node*> const& shapes, shape_node const* s) {
    return s != nullptr && std::find(shapes.begin(), shapes.end(), s) != shapes.end();
}

bool has_listed_points(shape_node const& s) {
    point_kind k = kind_of(s);
    return (k == point_kind::control_points || k == point_kind::vertices) && count_points(s) > 0;
}

}  // namespace

int window_contract::flat_index(saved_point const& p) {
    if (p.shape == nullptr) return -1;
    if (p.line == nullptr) {
        bool listed = kind_of(*p.shape) == point_kind::control_points || kind_of(*p.shape) == point_kind::vertices;
        return listed && p.index >= count_points(*p.shape) ? -1 : p.index;
    }
    int before = points_before(*p.shape, *p.line);
    return before < 0 || p.index >= count_points(*p.line) ? -1 : before + p.index;
}

bool window_contract::still_there(saved_point const& p) {
    return p.shape != nullptr && p.known && flat_index(p) >= 0;
}

void window_contract::let_go() {
    bound = nullptr;
    bound_alive.reset();
    point = -1;
}

void window_contract::bind(shape_node* shape) {
    bound = shape;
    bound_alive = shape ? shape->token() : nullptr;
}

// "Ref.", an active-shape notification, a window shown again: the active shape, its first
// active point, the rows filled.
void window_contract::full_refresh(host::scene_model& scene) {
    bind(scene.active_shape());
    point = bound ? first_active_point(*bound) : -1;
    rebound_now = true;
    bound_known = true;
    values_refresh();
}

// The rows re-read from the shown point (a shape with fixed points shows point 0); nothing
// is filled without a shape with points or, for a listed shape, without a chosen point.
void window_contract::values_refresh() {
    if (!alive()) return;
    point_kind k = kind_of(*bound);
    if (k == point_kind::none) return;
    if (k == point_kind::one_fixed || k == point_kind::two_fixed) {
        point = 0;
    } else if (count_points(*bound) <= 0 || point < 0) {
        return;
    }
    filled_now = true;
    current = true;
}

void window_contract::idle_tick(host::scene_model& scene) {
    if (shown_open || mirror_open) {
        // Whichever way the window ticked, it saw whether it is shown; and a tick after one
        // that certainly found it shown read the state flag.
        if (!shown_open && shown_at_last_idle) {
            mirror_open = false;
            state_mirror = scene.state_flag_value();
        }
        shown_open = false;
        shown_at_last_idle = shown;
        left_open_now = true;
        current = false;
        bound_known = false;
        return;
    }
    if (!shown_at_last_idle) {
        if (shown) {
            shown_at_last_idle = true;
            full_refresh(scene);
        }
        return;
    }
    shown_at_last_idle = shown;
    if (scene.state_flag_value() != state_mirror) {
        state_mirror = scene.state_flag_value();
        values_refresh();
        return;
    }
    // The tick follows the active point of the shown line, surface part or mesh only.
    if (scene.active_shape() != shape() || !alive()) return;
    point_kind k = kind_of(*bound);
    if (k != point_kind::control_points && k != point_kind::vertices) return;
    int first = first_active_point(*bound);
    if (first == point) return;
    point = first;
    values_refresh();
}

void window_contract::save() {
    if (!alive()) return;
    if (has_listed_points(*bound) && point == -1) return;
    saved_point p;
    p.shape = bound;
    p.index = std::max(point, 0);
    shape_node* parent = bound->parent();
    if (is_line(*bound) && parent != nullptr && is_surface_part(*parent)) {
        p.shape = parent;
        p.line = bound;
    }
    // With no slot chosen (its shape was deleted) where "Save" stores is left open, and
    // after a failed host call what it stores is, until a refresh binds the shape again.
    if (chosen_slot < 0 || !bound_known) {
        slots[chosen_slot < 0 ? popup_value : chosen_slot].known = false;
        return;
    }
    slots[chosen_slot] = p;
    saved_now = true;
}

void window_contract::forget(action_outcome const& outcome) {
    for (int i = 0; i < 10; ++i) {
        saved_point& s = slots[i];
        if (s.shape == nullptr || !(among(outcome.deleted, s.shape) || among(outcome.deleted, s.line))) continue;
        s.shape = nullptr;
        s.line = nullptr;
        if (i == chosen_slot) chosen_slot = -1;
    }
    // The window lets go of a shape deleted itself, or whose points were renumbered by
    // the deletion of something inside it.
    if (!alive() || among(outcome.deleted, bound) || among(outcome.deleted_under, bound)) let_go();
}

void window_contract::fault_struck(action_kind kind) {
    for (saved_point& s : slots) s.known = false;
    chosen_slot = -1;
    bound_known = false;
    if (kind == action_kind::idle) {
        shown_at_last_idle = false;
        shown_open = true;
        mirror_open = true;
    }
}

void window_contract::deleted_inside(script::script_action const& a, action_outcome const& outcome) {
    if (a.kind == action_kind::click && a.value == "Save" && chosen_slot >= 0) slots[chosen_slot].known = false;
    forget(outcome);
    bound_known = false;
}

void window_contract::announced(host::scene_model& scene) {
    if (shown && scene.active_shape() != nullptr) full_refresh(scene);
}

void window_contract::follow(script::script_action const& a, host::scene_model& scene, action_outcome const& outcome) {
    filled_now = false;
    rebound_now = false;
    saved_now = false;
    left_open_now = false;
    switch (a.kind) {
    case action_kind::active:
        if (shown && scene.active_shape() != nullptr) full_refresh(scene);
        break;
    case action_kind::ref: full_refresh(scene); break;
    case action_kind::idle:
        for (int i = 0; i < a.number; ++i) idle_tick(scene);
        break;
    case action_kind::type: current = false; break;
    case action_kind::click:
        if (a.value == "App.") {
            if (alive() && kind_of(*bound) == point_kind::one_fixed) point = -1;
        } else if (a.value == "Snap") {
            // The shape moved under the rows by up to their rounding: in "Glo." they no
            // longer show it exactly as a refresh would.
            current = false;
        } else if (a.value == "Save") {
            save();
        } else if (a.value == "Load" || a.value == "link2" || a.value == "link4") {
            current = false;
        } else if (a.value == "Ref.") {
            if ((a.number & 2) == 0) full_refresh(scene);
        } else if (a.value == "loc" || a.value == "mode1" || a.value == "mode3") {
            values_refresh();
        }
        break;
    case action_kind::hide: shown = false; break;
    case action_kind::show: shown = true; break;
    case action_kind::slot:
        chosen_slot = a.number;
        popup_value = a.number;
        break;
    case action_kind::insert_point:
    case action_kind::remove_point:
    case action_kind::move:
    case action_kind::rename:
    case action_kind::modifiable:
    case action_kind::direction:
    case action_kind::undo:
        // The host tells the window of its edit (of an undo that restored something).
        if (a.kind == action_kind::undo && !outcome.notified) break;
        if (!shown) {
            current = false;
            break;
        }
        point = alive() ? first_active_point(*bound) : -1;
        values_refresh();
        break;
    case action_kind::unit:
    case action_kind::joint:
        if (shown)
            values_refresh();
        else if (a.kind == action_kind::unit)
            current = false;
        break;
    case action_kind::delete_shape: forget(outcome); break;
    case action_kind::scene:
    case action_kind::announce:
        let_go();
        current = false;
        for (saved_point& s : slots) s = saved_point{};
        // Without active_shapes_changed after it, nothing is refreshed.
        if (a.value != "scene-only") announced(scene);
        break;
    case action_kind::restart:
        *this = window_contract{};
        announced(scene);
        break;
    default: break;
    }
}

}  // namespace oracles
