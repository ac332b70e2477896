// The scene's undo records: begin captures a deep copy of the geometry of the named
// shapes, their subtrees, a link part's target and the shapes linked to them through the
// extension components (which joint writes move along), end closes the record, commit files it as one undo step, and
// undo restores the last step exactly; redo takes an undone step forward again. Protocol
// faults (end without begin, a second begin while one is open, commit without a closed
// record) throw host_error and are counted.
//
// A step whose restoring would change nothing (its shapes hold exactly, bit for bit, what
// it captured, or are gone) is never offered: undo and redo pass over it, and can_undo and
// can_redo do not count it. So "undo" never succeeds without a visible change, whichever
// front end asks. The front ends' own edits (a drag) are filed as steps of their own by
// begin_host_step and commit_host_step, outside the plug-in's protocol and its call log.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "scene/shape_geometry.h"

class shape_class;

namespace host {

class shape_node;

// One call of begin_undo_record or end_undo_record with its arguments as given.
struct undo_call {
    std::string operation;  // "begin" or "end"
    std::vector<shape_class*> shapes;
    bool flag_a;
    bool flag_b;
    int kind;
};

class undo_history {
public:
    enum class record_state { idle, open, closed };

    // Captures the shapes (and their subtrees). Throws host_error while a record is open.
    void begin(std::vector<shape_node*> const& shapes, undo_call call);
    // Closes the open record. Throws host_error when none is open; arguments that differ
    // from the begin's are counted as a mismatch but still close it.
    void end(undo_call call);
    // Files the closed record as one step and empties the redo list. Throws host_error
    // when no record is closed.
    void commit();
    // Captures the shapes for a host-side edit; commit_host_step files them as one step.
    // A second begin replaces the first capture.
    void begin_host_step(std::vector<shape_node*> const& shapes);
    // Files the host-side capture as one step (and empties the redo list); nothing when
    // none was begun.
    void commit_host_step();
    // Puts back the shapes of the host-side capture that changed since (an edit called off,
    // a drag escaped) and drops it, filing no step and leaving the redo list as it was;
    // returns the shapes put back (empty when none was begun or none changed).
    std::vector<shape_node*> cancel_host_step();
    // Restores the geometry of the last committed step that changes something (shapes
    // since deleted are skipped), dropping the steps on the way that would change
    // nothing, and returns the restored shapes; empty when there is nothing to undo. The
    // geometry it replaced becomes the next redo.
    std::vector<shape_node*> undo();
    // The same for the last undone step, which becomes an undo step again.
    std::vector<shape_node*> redo();
    // Whether undo or redo would change something.
    bool can_undo() const;
    bool can_redo() const;

    record_state state() const { return current_state; }
    // Whether a record was begun and not yet ended ("no undo record left open").
    bool record_open() const { return current_state == record_state::open; }
    std::size_t step_count() const { return steps.size(); }
    std::size_t redo_count() const { return undone.size(); }
    std::vector<undo_call> const& calls() const { return call_log; }
    int protocol_errors() const { return errors; }
    int mismatches() const { return mismatch_count; }

private:
    using snapshot = std::vector<std::pair<std::shared_ptr<shape_node*>, shape_geometry>>;
    // Takes the last step of from that changes something (dropping those that would not),
    // files the geometry it replaces at the back of to, restores it and returns the
    // restored shapes.
    static std::vector<shape_node*> step_across(std::vector<snapshot>& from,
                                                std::vector<snapshot>& to);
    static bool changes_something(snapshot const& step);
    static bool any_changes(std::vector<snapshot> const& list);
    record_state current_state = record_state::idle;
    snapshot pending;
    undo_call pending_call;
    snapshot host_pending;
    bool host_begun = false;
    std::vector<snapshot> steps;
    std::vector<snapshot> undone;  // redo steps, the last undone at the back
    std::vector<undo_call> call_log;
    int errors = 0;
    int mismatch_count = 0;
};

}  // namespace host
