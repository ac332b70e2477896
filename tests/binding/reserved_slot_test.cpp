// Reserved slots stop the program in every build type, naming the slot, whether called by
// name or, as the host would, by position in the virtual table.
#include <gtest/gtest.h>

#include <cstddef>

#include "host_doubles.h"
#include "windowinterface"

namespace {

class any_handler : public handler_interface {
public:
    int get_tessel_version() const override { return tessel_interface_version; }
};

class any_window : public window_interface {
public:
    using window_interface::window_interface;
    int get_tessel_version() const override { return tessel_interface_version; }
};

// Calls the slot at index of object's virtual table with a null argument.
void call_slot(void* object, std::size_t index) {
    using slot = void (*)(void*, void*);
    slot const* table = *static_cast<slot* const*>(object);
    table[index](object, nullptr);
}

}  // namespace

class ReservedSlotDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ReservedSlotDeathTest, PluginSlotsNameThemselves) {
    any_handler h;
    EXPECT_DEATH(h.plugin_interface_dummy150(nullptr), "plugininterface:[0-9]+: plugin_interface_dummy150: Assertion");
    EXPECT_DEATH(h.plugin_interface_dummy120(nullptr), "plugin_interface_dummy120");
    EXPECT_DEATH(call_slot(&h, 6 + 199), "plugin_interface_dummy199");
}

TEST_F(ReservedSlotDeathTest, HandlerSlotsNameThemselves) {
    any_handler h;
    EXPECT_DEATH(h.handler_interface_dummy6(nullptr), "handlerinterface:[0-9]+: handler_interface_dummy6: Assertion");
    EXPECT_DEATH(call_slot(&h, 206 + 100), "handler_interface_dummy100");
    EXPECT_DEATH(call_slot(&h, 405), "handler_interface_dummy199");
}

TEST_F(ReservedSlotDeathTest, WindowSlotsNameThemselves) {
    doubles::fake_tessel host;
    any_window w(host);
    EXPECT_DEATH(w.window_interface_dummy89(nullptr), "windowinterface:[0-9]+: window_interface_dummy89: Assertion");
    EXPECT_DEATH(call_slot(&w, 206 + 88), "window_interface_dummy89");
    EXPECT_DEATH(call_slot(&w, 404), "window_interface_dummy199");
}

TEST_F(ReservedSlotDeathTest, ControlWrappersCarryTheHandlerSlots) {
    doubles::fake_tessel host;
    any_window w(host);
    window_interface::push_button_class button(w, 0, 0, 0, 10, 10, "b");
    EXPECT_DEATH(call_slot(&button, 206 + 6), "handler_interface_dummy6");
}
