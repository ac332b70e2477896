// Concrete classes over the host's interface classes, compiled by clang for the host ABIs
// (never linked): building them makes the compiler lay out, and dump, the complete virtual
// table of a window class and of each control kind.
#include "windowinterface"

struct probe_window final : window_interface {
    explicit probe_window(tessel_interface& host) : window_interface(host) {}
    int get_tessel_version() const override { return 0; }
};

struct probe_push_button final : window_interface::push_button_class {
    using push_button_class::push_button_class;
};
struct probe_checkbox final : window_interface::checkbox_class {
    using checkbox_class::checkbox_class;
};
struct probe_number final : window_interface::number_class {
    using number_class::number_class;
};
struct probe_popup_menu final : window_interface::popup_menu_class {
    using popup_menu_class::popup_menu_class;
};
struct probe_static_text final : window_interface::static_text_class {
    using static_text_class::static_text_class;
};

// The vtables are emitted where the objects are built.
void build_probes(tessel_interface& host) {
    probe_window* window = new probe_window(host);
    new probe_push_button(*window, 0, 0, 0, 1, 1, "");
    new probe_checkbox(*window, 0, 0, 0, 1, 1, "");
    new probe_number(*window, 0, 0, 0, 1, 1, "");
    new probe_popup_menu(*window, 0, 0, 0, "", 1, "");
    new probe_static_text(*window, 0, 0, 0, 1, 1, "");
}
