// Small plug-in-side objects for driving the reference host without the real window: a
// top-level window, controls that record their events, a child text field and a dialog
// responder. Built on the same binding classes the plug-in carries.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "host_text_object.h"
#include "services/host_app.h"
#include "windowinterface"

namespace host_test {

// Every test starts with no planned faults and an empty reference audit.
class host_test_base : public ::testing::Test {
protected:
    void SetUp() override {
        host::faults().reset();
        host::audit().reset();
    }
    void TearDown() override { host::faults().reset(); }
};

inline tq::uuid_class const test_window_uuid(0x7e570001u, 2, 3, 4);

class test_window : public window_interface {
public:
    explicit test_window(tessel_interface& root) : window_interface(root) {}
    int get_tessel_version() const override { return tessel_interface_version; }
    tq::uuid_class get_uuid(void*) override { return test_window_uuid; }
};

// A push button that remembers each click's action code and, for pop-ups and check
// boxes, the value the host showed at that moment.
struct event_log {
    std::vector<int> clicks;
    std::vector<int> values_seen;
    int value_changes = 0;
};

class logging_button : public window_interface::push_button_class {
public:
    logging_button(window_interface& window, int x, int y, int w, int h, char const* label,
                   event_log& log)
        : push_button_class(window, 0, x, y, w, h, label), log(log) {}
    void clicked(int action, void*) override { log.clicks.push_back(action); }
    event_log& log;
};

class logging_popup : public window_interface::popup_menu_class {
public:
    logging_popup(window_interface& window, int x, int y, int w, char const* items,
                  event_log& log)
        : popup_menu_class(window, 0, x, y, "", w, items), log(log) {}
    void clicked(int action, void*) override {
        log.clicks.push_back(action);
        log.values_seen.push_back(window->get_popup_int_value(*typed_handle));
    }
    event_log& log;
};

class logging_checkbox : public window_interface::checkbox_class {
public:
    logging_checkbox(window_interface& window, int x, int y, char const* label, event_log& log)
        : checkbox_class(window, 0, x, y, 34, 14, label), log(log) {}
    void clicked(int action, void*) override {
        log.clicks.push_back(action);
        log.values_seen.push_back(window->get_check_box_int_value(*typed_handle));
    }
    event_log& log;
};

class logging_number : public window_interface::number_class {
public:
    logging_number(window_interface& window, int x, int y, event_log& log)
        : number_class(window, 0, x, y, 60, 14, ""), log(log) {}
    void value_changed(int, void*) override { ++log.value_changes; }
    event_log& log;
};

// A child window holding a text object, as the plain text fields build theirs.
class test_field : public window_interface {
public:
    test_field(window_interface& parent, tq::rectangle_class frame)
        : window_interface(parent, 0x2003000) {
        set_frame_rectangle(frame);
        text = static_cast<host_text_object*>(get_text_object(nullptr));
    }
    int get_tessel_version() const override { return tessel_interface_version; }
    host_text_object* text = nullptr;
};

}  // namespace host_test
