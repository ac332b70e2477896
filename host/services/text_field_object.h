// The reference host's text object behind a child window: what the plain text fields talk
// to on this platform instead of a rich edit control or an NSTextField. Like every host
// operation, each call is counted and can be made to throw (fault injection).
#pragma once

#include <string>

#include "checks/host_checks.h"
#include "host_text_object.h"

namespace host {

class text_field_object final : public host_text_object {
public:
    void set_text(char const* new_text) override {
        host_call("text_object.set_text", nullptr, new_text);
        text = new_text ? new_text : "";
    }
    char const* get_text() override {
        host_call("text_object.get_text");
        return text.c_str();
    }
    void set_font_size(float points) override {
        host_call("text_object.set_font_size", nullptr, points);
        font_size = points;
    }
    void set_vertical_offset(float offset) override {
        host_call("text_object.set_vertical_offset", nullptr, offset);
        vertical_offset = offset;
    }

    std::string text;
    float font_size = 0;        // 0 until the field sets one
    float vertical_offset = 0;
};

}  // namespace host
