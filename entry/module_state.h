// Module-level state: one set per loaded module, shared by every window it creates.
#pragma once

#include "mark_elements.h"
#include "shape/shape_class.h"
#include "tessel_interface.h"
#include "uuid_class.h"

// Identities, built at load time before any entry point runs.
extern tq::uuid_class vexel_UUID;                // the plug-in's own identifier
extern tq::uuid_class extend_skin_window_uuid;   // the host's skin extension window
extern tq::uuid_class extend_joint_window_uuid;  // the host's joint extension window
extern tq::uuid_class elements_preference_uuid;  // the host's marking component

// The version get_info reports; the string table holds the same numbers.
int const vexel_major_version = 10;
int const vexel_minor_version = 0;
int const vexel_micro_version = 0;
int const vexel_build_number = 12;

extern tessel_interface* xtessel;  // the host root the window was created for
extern Shape_class Shape;          // the shape the window shows
extern int p_index;                // the shown point; -1 = none
extern float unit_factor;          // displayed value = stored value * unit_factor
extern bool local;                 // true: local frame ("Loc."), false: world ("Glo.")
extern bool mark_mode;             // mark the memorised element (settings bit 0)
extern mark_elements mark;         // the marking request record
