#include "scene/undo_history.h"

#include <set>

#include "checks/host_checks.h"
#include "scene/shape_node.h"

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
    undone.clear();
    current_state = record_state::idle;
}

void undo_history::begin_host_step(std::vector<shape_node*> const& shapes) {
    host_pending.clear();
    std::set<shape_node*> seen;
    for (shape_node* node : shapes) capture(*node, seen, host_pending);
    host_begun = true;
}

void undo_history::commit_host_step() {
    if (!host_begun) return;
    host_begun = false;
    steps.push_back(std::move(host_pending));
    host_pending.clear();
    undone.clear();
}

std::vector<shape_node*> undo_history::cancel_host_step() {
    std::vector<shape_node*> restored;
    if (!host_begun) return restored;
    host_begun = false;
    for (auto& [token, geometry] : host_pending)
        if (shape_node* node = *token; node && !same_geometry(node->geometry, geometry)) {
            node->geometry = std::move(geometry);
            restored.push_back(node);
        }
    host_pending.clear();
    return restored;
}

bool undo_history::changes_something(snapshot const& step) {
    for (auto const& [token, geometry] : step)
        if (*token && !same_geometry((*token)->geometry, geometry)) return true;
    return false;
}

bool undo_history::any_changes(std::vector<snapshot> const& list) {
    for (auto step = list.rbegin(); step != list.rend(); ++step)
        if (changes_something(*step)) return true;
    return false;
}

std::vector<shape_node*> undo_history::step_across(std::vector<snapshot>& from,
                                                   std::vector<snapshot>& to) {
    std::vector<shape_node*> restored;
    while (!from.empty() && !changes_something(from.back())) from.pop_back();
    if (from.empty()) return restored;
    snapshot step = std::move(from.back());
    from.pop_back();
    snapshot replaced;
    for (auto& [token, geometry] : step) {
        shape_node* node = *token;
        if (!node) continue;
        // Moved, not copied: a million-vertex mesh changes hands without a copy. Element
        // views address geometry by index, so whole assignment keeps them valid.
        replaced.emplace_back(token, std::move(node->geometry));
        node->geometry = std::move(geometry);
        restored.push_back(node);
    }
    to.push_back(std::move(replaced));
    return restored;
}

std::vector<shape_node*> undo_history::undo() { return step_across(steps, undone); }

std::vector<shape_node*> undo_history::redo() { return step_across(undone, steps); }

bool undo_history::can_undo() const { return any_changes(steps); }

bool undo_history::can_redo() const { return any_changes(undone); }

}  // namespace host
