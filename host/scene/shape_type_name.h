// The name of a shape's type as the plug-in names it ("Line", "Rotator joint", ...);
// "Other" for anything the plug-in does not know.
#pragma once

namespace host {

class shape_node;

char const* shape_type_name(shape_node const& shape);

}  // namespace host
