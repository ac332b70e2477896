// Definitions in load order: the identity from text, then Shape and mark.
#include "module_state.h"

tq::uuid_class vexel_UUID("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");

Shape_class Shape;
mark_elements mark = {nullptr, 0, mark_elements::points, false, 0, nullptr};

tessel_interface* xtessel = nullptr;
int p_index = 0;
float unit_factor = 0.0f;
bool local = false;
bool mark_mode = false;
