// Flat point numbering: a part's points run across its descendants in child order; a
// line gives its control points, a polygon mesh its vertices, any other shape one point.
#include "required_view.h"
#include "shape_class.h"

namespace {

// Resolves *index inside shape. A part that counts the index among its points but cannot
// say which shape holds it (a link not followed, or a part whose children do not add up
// to its count) sets `settled`: the point exists but is unreachable, and the search must
// not go on to hand the index to a later sibling, which would name the wrong point.
shape_class* resolve(shape_class& shape, int* index, bool follow_links, bool& settled) {
    shape_class* current = &shape;
    for (;;) {
        int kind = current->get_object_kind();
        if (kind == kind_part) {
            int n = current->point_count();
            if (*index >= n) {
                *index -= n;
                return nullptr;
            }
            settled = true;
            part_class& part = require(current->as_part());
            if (part.get_part_kind() == part_link && follow_links) {
                // A link stands for its target; links inside the target are not followed.
                current = part.link_target();
                if (current == nullptr) return nullptr;
                follow_links = false;
                settled = false;
                continue;
            }
            if (!current->has_children()) return nullptr;
            shape_class* end = current->child_end();
            for (shape_class* child = current->first_child(); child != nullptr && child != end;
                 child = child->next_sibling()) {
                bool child_settled = false;
                shape_class* found = resolve(*child, index, false, child_settled);
                if (found != nullptr || child_settled) return found;
            }
            return nullptr;
        }
        if (kind == kind_line || kind == kind_polygon_mesh) {
            int n = current->point_count();
            if (*index < n) return current;
            *index -= n;
            return nullptr;
        }
        if (*index <= 0) return current;
        *index -= 1;
        return nullptr;
    }
}

// How many points shape adds to its parent's numbering.
long long points_of(shape_class& shape) {
    int kind = shape.get_object_kind();
    bool listed = kind == kind_part || kind == kind_line || kind == kind_polygon_mesh;
    return listed ? shape.point_count() : 1;
}

}  // namespace

long long flat_index_of(shape_class& part, shape_class const& child, int index) {
    if (index < 0 || !part.has_children()) return -1;
    long long before = 0;
    shape_class* end = part.child_end();
    for (shape_class* c = part.first_child(); c != nullptr && c != end; c = c->next_sibling()) {
        if (c == &child) return index < points_of(*c) ? before + index : -1;
        before += points_of(*c);
    }
    return -1;
}

shape_class* substance_shape(shape_class& shape, int* index, bool follow_links) {
    bool settled = false;
    return resolve(shape, index, follow_links, settled);
}

shape_class* Shape_class::substance_shape(int* index) const {
    if (shape == nullptr || *index < 0 || *index >= shape->point_count()) return nullptr;
    return ::substance_shape(*shape, index, false);
}
