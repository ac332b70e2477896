// The host's own components, by identifier: the plug-in asks the host for them, the
// reference host answers to them and keeps its link lists under them. Constants, so they
// are in place before any code of the module runs.
#pragma once

#include "uuid_class.h"

// The joint extension window: the shapes a joint drags along (get_linked_shapes).
inline constexpr tq::uuid_class extend_joint_window_uuid(0x50090010u);
// The skin extension window: the shapes a skin binds (get_linked_shapes).
inline constexpr tq::uuid_class extend_skin_window_uuid(0x50090082u);
// The element-preference (marking) component (get_plugin_interface).
inline constexpr tq::uuid_class elements_preference_uuid(0x50030010u);
