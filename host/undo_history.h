// The scene's undo records: begin captures a deep copy of the geometry of the named
// shapes, their subtrees, a link part's target and the shapes linked to them through the
// extension components (which joint writes move along), end closes the record, commit files it as one undo step, and
// undo restores the last step exactly. Protocol faults (end without begin, a second begin
// while one is open, commit without a closed record) throw host_error and are counted.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shape_geometry.h"

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
    // Files the closed record as one step. Throws host_error when no record is closed.
    void commit();
    // Restores the geometry of the last committed step (shapes since deleted are
    // skipped) and returns the restored shapes; empty when there is nothing to undo.
    std::vector<shape_node*> undo();

    record_state state() const { return current_state; }
    // Whether a record was begun and not yet ended ("no undo record left open").
    bool record_open() const { return current_state == record_state::open; }
    std::size_t step_count() const { return steps.size(); }
    std::vector<undo_call> const& calls() const { return call_log; }
    int protocol_errors() const { return errors; }
    int mismatches() const { return mismatch_count; }

private:
    using snapshot = std::vector<std::pair<std::shared_ptr<shape_node*>, shape_geometry>>;
    record_state current_state = record_state::idle;
    snapshot pending;
    undo_call pending_call;
    std::vector<snapshot> steps;
    std::vector<undo_call> call_log;
    int errors = 0;
    int mismatch_count = 0;
};

}  // namespace host
