// The name of a shape's type as the plug-in names it ("Line", "Rotator joint", ...), from
// its object kind and part kind; "Other" for anything the plug-in does not know.
#pragma once

namespace host {

class shape_node;

char const* shape_type_name(int object_kind, int part_kind);
char const* shape_type_name(shape_node const& shape);

}  // namespace host
