// The shown shape's object type and the facts of its type.
#include "shape_class.h"

#include "required_view.h"

int Shape_class::set_object_type() {
    undo_flag = false;
    surface_dad = nullptr;
    if (shape == nullptr) {
        object_type = -1;
        variable_points = false;
        fixed_point_number = 0;
        return -1;
    }
    int kind = shape->get_object_kind();
    int part = kind == kind_part ? require(shape->as_part()).get_part_kind() : -1;  // parts only
    object_type = object_type_of(kind, part);
    object_type_row const& row = object_type_row_of(object_type);
    variable_points = row.variable_points;
    fixed_point_number = row.fixed_points;
    return object_type;
}

char const* Shape_class::get_type_name(bool padded) const {
    if (object_type < 0 || object_type > other_shape) return "";
    object_type_row const& row = object_type_row_of(object_type);
    return padded ? row.padded : row.name;
}

bool Shape_class::has_variable_points() const {
    if (!variable_points) return false;
    try {
        return shape->point_count() > 0;
    } catch (...) {
        return false;
    }
}

shape_class* Shape_class::get_surface_dad() {
    if (object_type != line_shape || !shape->has_parent()) return nullptr;
    shape_class* parent = shape->get_parent();
    if (parent == nullptr) return nullptr;
    part_class* part = parent->as_part();
    return part != nullptr && part->get_part_kind() == part_surface ? parent : nullptr;
}
