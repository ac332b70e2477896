// What the vexel window must be showing after each action, followed from the outside by
// the rules of its contract: which shape and point it shows (a refresh binds the active
// shape and its first active point; notifications and the idle tick re-read the values
// or follow the active point; a deletion inside the shown shape or a new scene lets it go),
// whether the rows still hold that point as it is (nothing typed, loaded or ticked since
// they were filled, and nothing changed under them unseen), and what the ten memory slots
// hold. The oracles judge the window against it.
#pragma once

#include <memory>
#include <vector>

#include "scene/scene_model.h"
#include "script_syntax.h"

namespace oracles {

// A point kept in a memory slot: a line's point inside a surface part by the part, the line
// and its index in the line; any other by its shape and index. Like the window's slot it
// keeps that index when points are inserted or removed: it then names the point now there,
// or none past the end.
struct saved_point {
    host::shape_node* shape = nullptr;  // null: the slot is empty
    host::shape_node* line = nullptr;
    int index = -1;
    bool known = true;  // false: what the slot holds is left open (see window_contract)
};

// What the host did during one action, as far as the contract depends on it.
struct action_outcome {
    bool notified = false;     // undo: the host told the window of restored shapes
    // delete: the shapes removed (addresses only: they are freed), and the shapes the
    // removed one lay in, which stay.
    std::vector<host::shape_node*> deleted;
    std::vector<host::shape_node*> deleted_under;
};

class window_contract {
public:
    // The host announced scene: with an active shape it also tells the window of that
    // shape, which a shown window then shows (at start, after `scene`, `announce`, `restart`).
    void announced(host::scene_model& scene);
    // Follows one action the host carried out on scene.
    void follow(script::script_action const& action, host::scene_model& scene, action_outcome const& outcome);

    // The shown shape (null: none) and point: a control point's or vertex's index, 0 for a
    // shape with fixed points, -1 for none (and for a one-point shape after "App.").
    host::shape_node* shape() const { return alive() ? bound : nullptr; }
    int index() const { return point; }
    // The rows hold the shown point as a refresh showed it, and nothing changed it since
    // except the window's own writes.
    bool rows_current() const { return current; }
    // This action filled the rows from the shown point; and it bound the shape anew.
    bool refreshed() const { return filled_now; }
    bool rebound() const { return rebound_now; }
    // This action stored the shown point in the chosen slot ("Save").
    bool saved() const { return saved_now; }

    // A host call failed during the action just followed: what the slots hold and which is
    // chosen are left open (the window may have stopped halfway through a Save or a choice),
    // until a slot is chosen and saved again. In a tick (of `idle N`, any of them) it also
    // leaves open whether the window saw itself hidden and the state flag it last saw.
    void fault_struck(script::action_kind kind);
    // The host deleted shapes in the middle of the action just followed (`during OPERATION
    // delete PATH`): the window lets go of them as after `delete`. Whether a "Save" in it
    // stored before the deletion is left open, and so is what "Save" stores until a refresh
    // binds a shape again.
    void deleted_inside(script::script_action const& action, action_outcome const& outcome);
    // This action ticked while the tick's own state was left open by a failed tick: the
    // window may have refreshed whole or only followed its point, so what it shows is left
    // open until the next full refresh.
    bool left_open() const { return left_open_now; }

    saved_point const& slot(int n) const { return slots[n]; }
    int chosen() const { return chosen_slot; }
    // The flat index of a slot's point in the slot's shape; -1 when it names none now.
    static int flat_index(saved_point const& p);
    // Whether the slot's point still exists as it was saved.
    static bool still_there(saved_point const& p);

private:
    bool alive() const { return bound_alive && *bound_alive; }
    void let_go();
    void bind(host::shape_node* shape);
    void full_refresh(host::scene_model& scene);
    void values_refresh();
    void idle_tick(host::scene_model& scene);
    void save();
    void forget(action_outcome const& outcome);

    host::shape_node* bound = nullptr;
    std::shared_ptr<host::shape_node*> bound_alive;
    int point = -1;
    bool current = false;
    bool filled_now = false;
    bool rebound_now = false;
    bool saved_now = false;
    bool shown = true;  // the user has not hidden the window (it is made shown)
    bool shown_at_last_idle = true;
    bool state_mirror = false;
    // Left open by a failed tick: shown_at_last_idle (the window counts a failed tick as
    // hidden, unless a later tick of the same action saw it) and state_mirror.
    bool shown_open = false;
    bool mirror_open = false;
    bool left_open_now = false;
    // false from a failed host call to the next refresh that binds the shape: which shape
    // the window shows (a rebinding may have failed) is left open.
    bool bound_known = true;
    saved_point slots[10];
    int chosen_slot = 0;
    int popup_value = 0;
};

}  // namespace oracles
