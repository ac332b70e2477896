// Default bodies of the control event interface.
#include "handlerinterface"

void handler_interface::clicked(int, void*) {}
bool handler_interface::draw(graphic_context_interface&, tq::rectangle_class const&, bool, void*) {
    return false;
}
void handler_interface::focused(void*) {}
void handler_interface::unfocused(void*) {}
bool handler_interface::setup(void*) { return false; }
void handler_interface::value_changed(int, void*) {}
