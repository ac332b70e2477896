// The reference host's platform text object: what get_text_object returns for a child
// window on this platform, standing in for the rich edit control (Windows) and the
// NSTextField/NSText (Mac OS X). Borrowed from the host. The reference host can make each
// call throw (fault injection), as it can every host operation.
#pragma once

class host_text_object {
public:
    // Replaces the shown text; the text is taken as UTF-8 and copied.
    virtual void set_text(char const* text) = 0;
    // The current text. Borrowed: valid until the next set_text or user edit.
    virtual char const* get_text() = 0;
    // Font size in points and vertical offset of the text in the field, as the platform
    // text fields adjust them.
    virtual void set_font_size(float points) = 0;
    virtual void set_vertical_offset(float offset) = 0;

protected:
    ~host_text_object() = default;
};
