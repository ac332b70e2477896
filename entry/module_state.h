// Module-level state: one set per loaded module, shared by every window it creates.
#pragma once

#include "host_component_ids.h"
#include "mark_elements.h"
#include "shape_class.h"
#include "tessel_interface.h"
#include "uuid_class.h"

// The plug-in's own identifier, built at load time before any entry point runs. The host's
// components are named in host_component_ids.h.
extern tq::uuid_class vexel_UUID;

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
