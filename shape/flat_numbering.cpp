// Flat point numbering: a part's points run across its descendants in child order; a
// line gives its control points, a polygon mesh its vertices, any other shape one point.
#include "required_view.h"
#include "shape_class.h"

shape_class* substance_shape(shape_class& shape, int* index, bool follow_links) {
    shape_class* current = &shape;
    for (;;) {
        int kind = current->get_object_kind();
        if (kind == 2) {
            int n = current->point_count();
            if (*index >= n) {
                *index -= n;
                return nullptr;
            }
            part_class& part = require(current->as_part());
            if (part.get_part_kind() == 101 && follow_links) {
                // A link stands for its target; links inside the target are not followed.
                current = part.link_target();
                if (current == nullptr) return nullptr;
                follow_links = false;
                continue;
            }
            if (!current->has_children()) return nullptr;
            shape_class* end = current->child_end();
            for (shape_class* child = current->first_child(); child != nullptr && child != end;
                 child = child->next_sibling()) {
                if (shape_class* found = substance_shape(*child, index, false)) return found;
            }
            return nullptr;
        }
        if (kind == 4 || kind == 7) {
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

shape_class* Shape_class::substance_shape(int* index) const {
    if (shape == nullptr || *index < 0 || *index >= shape->point_count()) return nullptr;
    return ::substance_shape(*shape, index, false);
}
