#include "scene/flat_numbering.h"

#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "scene/scene_model.h"

namespace host {

namespace {

// A part on the walk's way down: the next shape it numbers and the points counted so far.
struct step {
    shape_node const* part;
    std::size_t next;
    int sum;
    int links_above;  // link parts above it on the way down
};

// The walk's way down, kept from walk to walk so that a warm count allocates nothing. No
// walk calls out while it runs, so one per thread is enough.
std::vector<step>& way_down() {
    thread_local std::vector<step> steps;
    steps.clear();
    return steps;
}

// The points a shape that is not a part numbers itself.
int own_points(shape_node const& shape) {
    switch (shape.object_kind()) {
    case kind_line: return static_cast<int>(shape.geometry.points.size());
    case kind_polygon_mesh: return static_cast<int>(shape.geometry.vertices.size());
    default: return 1;
    }
}

// The i-th shape whose points part numbers (a link part's only one is its target), or
// null after the last.
shape_node* numbered(shape_node const& part, std::size_t i) {
    if (part.part_kind() == part_link) return i == 0 ? part.link_to : nullptr;
    return i < part.children().size() ? part.children()[i].get() : nullptr;
}

// Puts part on the way down, refusing a link part that closes a cycle.
void enter(std::vector<step>& steps, shape_node const& part, int links_above) {
    if (part.part_kind() == part_link && links_above >= part.scene().link_part_count())
        throw host_error("point_count: link parts form a cycle at " + part.path());
    steps.push_back({&part, 0, 0, links_above});
}

// The count of shape; known, when given, holds counts found before and takes the new ones.
int count(shape_node const& shape, std::unordered_map<shape_node const*, int>* known) {
    if (!shape.is_part()) return own_points(shape);
    if (known) {
        auto found = known->find(&shape);
        if (found != known->end()) return found->second;
    }
    std::vector<step>& steps = way_down();
    enter(steps, shape, 0);
    for (;;) {
        step& top = steps.back();
        if (shape_node const* next = numbered(*top.part, top.next++)) {
            if (!next->is_part()) {
                top.sum += own_points(*next);
                continue;
            }
            if (known) {
                auto found = known->find(next);
                if (found != known->end()) {
                    top.sum += found->second;
                    continue;
                }
            }
            enter(steps, *next, top.links_above + (top.part->part_kind() == part_link));
            continue;
        }
        int sum = top.sum;
        if (known) known->emplace(top.part, sum);
        steps.pop_back();
        if (steps.empty()) return sum;
        steps.back().sum += sum;
    }
}

// Calls found(holder, first) for each shape that is not a part in the order shape numbers
// them, with the flat index of its first point, until found returns true.
template <class Found>
void numbered_in_order(shape_node& shape, Found&& found) {
    // The count refuses a cycle, so the walk below may follow links freely.
    flat_point_count(shape);
    if (!shape.is_part()) {
        found(shape, 0);
        return;
    }
    std::vector<step>& steps = way_down();
    steps.push_back({&shape, 0, 0, 0});
    int first = 0;
    while (!steps.empty()) {
        step& top = steps.back();
        shape_node* next = numbered(*top.part, top.next++);
        if (!next) {
            steps.pop_back();
        } else if (next->is_part()) {
            steps.push_back({next, 0, 0, 0});
        } else {
            if (found(*next, first)) return;
            first += own_points(*next);
        }
    }
}

}  // namespace

int flat_point_count(shape_node const& shape) { return count(shape, nullptr); }

int flat_point_counts::of(shape_node const& shape) { return count(shape, &known); }

std::pair<shape_node*, int> resolve_flat_index(shape_node& shape, int index) {
    if (index < 0) return {nullptr, 0};
    std::pair<shape_node*, int> found{nullptr, 0};
    numbered_in_order(shape, [&](shape_node& holder, int first) {
        if (index >= first + own_points(holder)) return false;
        found = {&holder, index - first};
        return true;
    });
    return found;
}

std::vector<int> flat_starts_of(shape_node& shape, shape_node const& holder) {
    std::vector<int> starts;
    numbered_in_order(shape, [&](shape_node& each, int first) {
        if (&each == &holder) starts.push_back(first);
        return false;
    });
    return starts;
}

int flat_index_of(shape_node const& ancestor, shape_node const& shape, int index) {
    int flat = index;
    for (shape_node const* at = &shape; at != &ancestor; at = at->parent()) {
        shape_node const* up = at->parent();
        if (!up) return -1;
        for (auto const& sibling : up->children()) {
            if (sibling.get() == at) break;
            flat += flat_point_count(*sibling);
        }
    }
    return flat;
}

}  // namespace host
