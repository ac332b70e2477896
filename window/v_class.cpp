// The plug-in's own text field for a number: reads the typed text like atof, writes "%9f".
#include "box_text.h"
#include "decimal_text.h"
#include "vexel_window.h"

vexel_window::one_data::value_class::v_class::v_class(window_interface& parent,
                                                      tq::rectangle_class frame)
    : edit_text_class(parent, frame) {}

bool vexel_window::one_data::value_class::v_class::read(float& number) {
    return read_decimal(get_text(), number);
}

float vexel_window::one_data::value_class::v_class::get_value() {
    float number;
    read(number);
    return number;
}

void vexel_window::one_data::value_class::v_class::set_value(float f) {
    set_text(format_box_number(f).text);
}
