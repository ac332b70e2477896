// The plain records that cross the host boundary, compiled by clang for each target with
// their layouts dumped (never linked).
#include "interface_id.h"
#include "mark_elements.h"
#include "uuid_class.h"
#include "window_geometry.h"

unsigned long const record_sizes[] = {
    sizeof(mark_elements), sizeof(com_iid),           sizeof(mac_iid),
    sizeof(tq::uuid_class), sizeof(tq::rectangle_class), sizeof(tq::point_class),
};
