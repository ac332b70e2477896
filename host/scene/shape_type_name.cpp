#include "scene/shape_type_name.h"

#include "object_types.h"
#include "scene/shape_node.h"

namespace host {

char const* shape_type_name(shape_node const& shape) {
    return object_type_row_of(object_type_of(shape.object_kind(), shape.part_kind())).name;
}

}  // namespace host
