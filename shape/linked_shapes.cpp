#include "linked_shapes.h"

#include <algorithm>

#include "array.h"
#include "host_component_ids.h"
#include "point_arithmetic.h"

namespace {

// The shapes linked through one extension component. The count of the second call is
// clamped to the buffer, whatever the host answers.
struct linked_list {
    int capacity;
    Array<shape_class*> shapes;
    int count;

    linked_list(shape_class& shape, tq::uuid_class const& component)
        : capacity(std::max(0, shape.get_linked_shapes(component, nullptr, 0))),
          shapes(static_cast<unsigned>(capacity)),
          count(capacity == 0 ? 0
                              : std::min(capacity, shape.get_linked_shapes(component, shapes.data,
                                                                           capacity))) {}
    shape_class* at(int i) const { return shapes.data[i]; }
};

void move_children(shape_class& part, mat4 const& t) {
    shape_class* end = part.child_end();
    for (shape_class* child = part.first_child(); child != nullptr && child != end;
         child = child->next_sibling())
        child->apply_transformation(t);
}

}  // namespace

bool drag_linked_shapes(Shape_class& wrapper, vec3 const& new_point0) {
    shape_class& shape = *wrapper.shape;
    linked_list joints(shape, extend_joint_window_uuid);
    linked_list skins(shape, extend_skin_window_uuid);
    if (joints.count <= 0 && skins.count <= 0) return true;

    vec3 d = subtract(new_point0, wrapper.get_position(0, false));
    if (!is_finite(d)) return false;
    mat4 t = translation(d);

    for (int i = 0; i < joints.count; ++i)
        if (shape_class* s = joints.at(i)) s->apply_transformation(t);
    for (int i = 0; i < skins.count; ++i) {
        shape_class* s = skins.at(i);
        if (s == nullptr) continue;
        // A skinned part is moved through its contents.
        if (s->get_object_kind() == kind_part)
            move_children(*s, t);
        else
            s->apply_transformation(t);
    }
    return true;
}
