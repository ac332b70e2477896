#include "undo_history.h"

#include <set>

#include "host_checks.h"
#include "shape_node.h"

namespace host {

namespace {

// A shape's record covers what a write through it can change: its subtree, a link part's
// target, and the shapes linked to it, which a joint write drags along.
void capture(shape_node& node, std::set<shape_node*>& seen,
             std::vector<std::pair<std::shared_ptr<shape_node*>, shape_geometry>>& into) {
    if (!seen.insert(&node).second) return;
    into.emplace_back(node.token(), node.geometry);
    for (auto const& child : node.children()) capture(*child, seen, into);
    if (node.link_to) capture(*node.link_to, seen, into);
    for (auto const& set : node.linked)
        for (shape_node* linked : set.shapes) capture(*linked, seen, into);
}

bool same_arguments(undo_call const& a, undo_call const& b) {
    return a.shapes == b.shapes && a.flag_a == b.flag_a && a.flag_b == b.flag_b && a.kind == b.kind;
}

}  // namespace

void undo_history::begin(std::vector<shape_node*> const& shapes, undo_call call) {
    call.operation = "begin";
    call_log.push_back(call);
    if (current_state == record_state::open) {
        ++errors;
        throw host_error("begin_undo_record: an undo record is already open");
    }
    // A record that was ended but never committed is dropped by the next begin.
    pending.clear();
    std::set<shape_node*> seen;
    for (shape_node* node : shapes) capture(*node, seen, pending);
    pending_call = std::move(call);
    current_state = record_state::open;
}

void undo_history::end(undo_call call) {
    call.operation = "end";
    call_log.push_back(call);
    if (current_state != record_state::open) {
        ++errors;
        throw host_error("end_undo_record: no undo record is open");
    }
    if (!same_arguments(call, pending_call)) ++mismatch_count;
    current_state = record_state::closed;
}

void undo_history::commit() {
    if (current_state != record_state::closed) {
        ++errors;
        throw host_error("commit_undo: no closed undo record to commit");
    }
    steps.push_back(std::move(pending));
    pending.clear();
    current_state = record_state::idle;
}

std::vector<shape_node*> undo_history::undo() {
    std::vector<shape_node*> restored;
    if (steps.empty()) return restored;
    snapshot step = std::move(steps.back());
    steps.pop_back();
    for (auto& [token, geometry] : step) {
        shape_node* node = *token;
        if (!node) continue;
        // Element views address geometry by index, so whole assignment keeps them valid.
        node->geometry = geometry;
        restored.push_back(node);
    }
    return restored;
}

}  // namespace host
