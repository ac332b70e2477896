// The Windows text field against a real rich edit control: the test plays the host, makes
// the control, hands it over as the CWnd of the field's child window and watches the
// messages the field sends it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "edit_text_class.h"
#include "text_field_host.h"

#include "cwnd.h"

#include <richedit.h>

namespace cross_test {
namespace {

// What reached the control's window procedure.
struct message_log {
    struct format_write {
        WPARAM which;
        CHARFORMATA format;
    };
    std::vector<format_write> format_writes;        // EM_SETCHARFORMAT
    std::vector<std::pair<WPARAM, LPARAM>> colours;  // EM_SETBKGNDCOLOR
};

message_log* current_log = nullptr;
WNDPROC control_procedure = nullptr;

LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (current_log && message == EM_SETCHARFORMAT && l) {
        message_log::format_write entry{w, {}};
        CHARFORMATA const* sent = reinterpret_cast<CHARFORMATA const*>(l);
        std::memcpy(&entry.format, sent, std::min<UINT>(sent->cbSize, sizeof entry.format));
        current_log->format_writes.push_back(entry);
    }
    if (current_log && message == EM_SETBKGNDCOLOR) current_log->colours.emplace_back(w, l);
    return ::CallWindowProcA(control_procedure, window, message, w, l);
}

CHARFORMATA default_format(HWND control) {
    CHARFORMATA format;
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
    ::SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format;
}

std::string window_text(HWND control) {
    char buffer[1024] = {};
    ::GetWindowTextA(control, buffer, sizeof buffer);
    return buffer;
}

tq::rectangle_class const frame = {10, 20, 60, 33};

class WindowsTextField : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(::LoadLibraryA("riched20.dll"), nullptr);
        top = ::CreateWindowExA(0, "STATIC", "vexel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(top, nullptr);
        control = ::CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 13,
                                    top, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(control, nullptr) << "no rich edit control, error " << ::GetLastError();
        control_procedure = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recording_procedure)));
        current_log = &log;
        handed_over.m_hWnd = control;
        host.services.text_object = &handed_over;
    }
    void TearDown() override {
        current_log = nullptr;
        if (top) ::DestroyWindow(top);
    }

    HWND top = nullptr;
    HWND control = nullptr;
    CWnd handed_over{};
    message_log log;
    text_field_root host;
    parent_window parent{host};
};

TEST_F(WindowsTextField, ConstructionCreatesTheChildWindowAtTheFrame) {
    edit_text_class field(parent, frame);
    ASSERT_EQ(host.services.child_requests.size(), 1u);
    EXPECT_EQ(host.services.child_requests[0].child, &field);
    EXPECT_EQ(host.services.child_requests[0].parent, &parent);
    EXPECT_EQ(host.services.child_requests[0].flags, 0x2003000);
    EXPECT_EQ(field.child_handle, &host.services.child_token);
    ASSERT_EQ(host.services.frames.size(), 1u);
    EXPECT_EQ(host.services.frames[0].left, 10);
    EXPECT_EQ(host.services.frames[0].top, 20);
    EXPECT_EQ(host.services.frames[0].right, 60);
    EXPECT_EQ(host.services.frames[0].bottom, 33);
    EXPECT_TRUE(host.services.canvas_sizes.empty()) << "the canvas is a Mac OS X adjustment";
    EXPECT_EQ(host.services.text_object_requests, 1);
    EXPECT_FALSE(field.is_resizable(nullptr));
    EXPECT_EQ(field.get_tessel_version(), 430286);
}

TEST_F(WindowsTextField, ConstructionWritesOffsetFiveKeepingTheRestOfTheDefaultFormat) {
    CHARFORMATA before = default_format(control);
    edit_text_class field(parent, frame);

    ASSERT_EQ(log.format_writes.size(), 1u);
    message_log::format_write const& write = log.format_writes[0];
    EXPECT_EQ(write.which, static_cast<WPARAM>(SCF_DEFAULT));
    EXPECT_EQ(write.format.cbSize, 60u);
    EXPECT_EQ(write.format.dwMask, 0x18000000u);  // CFM_OFFSET | CFM_CHARSET
    EXPECT_EQ(write.format.yOffset, 5);
    EXPECT_EQ(write.format.bPitchAndFamily, 1);
    // Every other field goes back as the control reported it.
    EXPECT_EQ(write.format.dwEffects, before.dwEffects);
    EXPECT_EQ(write.format.yHeight, before.yHeight);
    EXPECT_EQ(write.format.crTextColor, before.crTextColor);
    EXPECT_EQ(write.format.bCharSet, before.bCharSet);
    EXPECT_STREQ(write.format.szFaceName, before.szFaceName);

    // The control took it.
    EXPECT_EQ(default_format(control).yOffset, 5);
}

TEST_F(WindowsTextField, TextSetIsShownAndReadBack) {
    edit_text_class field(parent, frame);
    std::string const texts[] = {"12.500000", "", " -0.000001", std::string(300, '7')};
    for (std::string const& text : texts) {
        field.set_text(text.c_str());
        EXPECT_EQ(window_text(control), text);
        EXPECT_EQ(std::string(field.get_text()), text);
    }
}

TEST_F(WindowsTextField, GetTextReturnsWhatTheUserTyped) {
    edit_text_class field(parent, frame);
    field.set_text("1.000000");
    ::SetWindowTextA(control, "42.5");
    EXPECT_STREQ(field.get_text(), "42.5");
    ::SetWindowTextA(control, "-3");
    EXPECT_STREQ(field.get_text(), "-3");
}

struct colour_case {
    vec3 colour;
    LPARAM sent;
};

TEST_F(WindowsTextField, BackgroundColourBytesRoundAndWrap) {
    edit_text_class field(parent, frame);
    float const nan = std::numeric_limits<float>::quiet_NaN();
    colour_case const cases[] = {
        {{1.0f, 0.5f, 0.0f}, 0x000080FF},   // red 255, green 128, blue 0
        {{1.01f, 0.0f, 0.0f}, 0x00000002},  // 258 keeps its low byte
        {{0.0f, 0.0f, 1.0f}, 0x00FF0000},
        {{0.5f, 0.5f, 0.5f}, 0x00808080},
        {{0.0f, nan, 0.0f}, 0x00000000},    // no undefined conversion
    };
    for (colour_case const& c : cases) {
        log.colours.clear();
        field.set_background_color(c.colour);
        ASSERT_EQ(log.colours.size(), 1u);
        EXPECT_EQ(log.colours[0].first, 0u) << "wParam 0: use the colour given";
        EXPECT_EQ(log.colours[0].second, c.sent)
            << "(" << c.colour.x << ", " << c.colour.y << ", " << c.colour.z << ")";
    }
    // The control keeps the value: setting another returns the previous one.
    field.set_background_color({1.0f, 0.5f, 0.0f});
    EXPECT_EQ(::SendMessageA(control, EM_SETBKGNDCOLOR, 0, 0), 0x000080FF);
}

TEST_F(WindowsTextField, WithoutATextObjectTheFieldDoesNothingAndKeepsItsCache) {
    host.services.text_object = nullptr;
    edit_text_class field(parent, frame);
    EXPECT_TRUE(log.format_writes.empty());
    field.set_text("5");
    field.set_background_color({1, 1, 1});
    EXPECT_STREQ(field.get_text(), "");
    EXPECT_EQ(window_text(control), "");
}

TEST_F(WindowsTextField, AHostExceptionWhileCreatingTheChildWindowPassesOn) {
    host.services.throw_on_child = true;
    EXPECT_THROW(edit_text_class(parent, frame), int);
    EXPECT_TRUE(host.services.frames.empty());
}

}  // namespace
}  // namespace cross_test
