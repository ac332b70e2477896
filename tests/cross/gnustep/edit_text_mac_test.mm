// The Mac OS X text field compiled against GNUstep's AppKit and run under an X server: the
// test plays the host and hands the field a real NSTextField or a real NSText (an
// NSTextView) as the text object of its child window.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "edit_text_class.h"
#include "text_field_host.h"

#import <AppKit/AppKit.h>

namespace cross_test {
namespace {

tq::rectangle_class const frame = {10, 20, 60, 33};

std::string utf8(NSString* string) { return string ? [string UTF8String] : "<nil>"; }

class MacTextField : public ::testing::Test {
protected:
    void SetUp() override {
        pool = [[NSAutoreleasePool alloc] init];
        // The application object comes before any font call.
        [NSApplication sharedApplication];
        text_field = [[NSTextField alloc] initWithFrame:NSMakeRect(0, 0, 50, 23)];
        text_view = [[NSTextView alloc] initWithFrame:NSMakeRect(0, 0, 50, 23)];
        start_font = [NSFont userFontOfSize:13.0];
        ASSERT_NE(start_font, nil);
        [text_field setFont:start_font];
        [text_view setFont:start_font];
    }
    void TearDown() override {
        [text_field release];
        [text_view release];
        [pool release];
    }

    NSAutoreleasePool* pool = nil;
    NSTextField* text_field = nil;
    NSTextView* text_view = nil;
    NSFont* start_font = nil;
    text_field_root host;
    parent_window parent{host};
};

TEST_F(MacTextField, TheTestObjectsAreOfTheKindsTheFieldTellsApart) {
    EXPECT_TRUE([text_field isKindOfClass:[NSTextField class]]);
    EXPECT_FALSE([text_field isKindOfClass:[NSText class]]);
    EXPECT_TRUE([text_view isKindOfClass:[NSText class]]);
    EXPECT_FALSE([text_view isKindOfClass:[NSTextField class]]);
}

TEST_F(MacTextField, ConstructionPlacesTheChildWindowAndSizesTheCanvas) {
    host.services.text_object = text_field;
    edit_text_class field(parent, frame);
    ASSERT_EQ(host.services.child_requests.size(), 1u);
    EXPECT_EQ(host.services.child_requests[0].child, &field);
    EXPECT_EQ(host.services.child_requests[0].parent, &parent);
    EXPECT_EQ(host.services.child_requests[0].flags, 0x2003000);
    ASSERT_EQ(host.services.frames.size(), 1u);
    EXPECT_EQ(host.services.frames[0].left, 10);
    EXPECT_EQ(host.services.frames[0].bottom, 33);
    ASSERT_EQ(host.services.canvas_sizes.size(), 1u);
    EXPECT_EQ(host.services.canvas_sizes[0].x, 50);  // width
    EXPECT_EQ(host.services.canvas_sizes[0].y, 23);  // height 13, plus 10
    EXPECT_FALSE(field.is_resizable(nullptr));
}

TEST_F(MacTextField, TheFontBecomesTheSameFaceAtSize9_6) {
    NSString* face = [start_font fontName];
    ASSERT_NE(std::lround([start_font pointSize] * 10), 96) << "the start size must differ";

    host.services.text_object = text_field;
    edit_text_class field(parent, frame);
    EXPECT_EQ(utf8([[text_field font] fontName]), utf8(face));
    EXPECT_NEAR([[text_field font] pointSize], 9.6, 1e-4);

    text_field_root view_host;
    parent_window view_parent(view_host);
    view_host.services.text_object = text_view;
    edit_text_class view_field(view_parent, frame);
    EXPECT_EQ(utf8([[text_view font] fontName]), utf8(face));
    EXPECT_NEAR([[text_view font] pointSize], 9.6, 1e-4);
}

TEST_F(MacTextField, TextRoundTripsInUtf8ThroughATextField) {
    host.services.text_object = text_field;
    edit_text_class field(parent, frame);
    for (std::string text : {"12.500000", "", "-0.000001", "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xBC"}) {
        field.set_text(text.c_str());
        EXPECT_EQ(utf8([text_field stringValue]), text) << "setStringValue:";
        EXPECT_EQ(std::string(field.get_text()), text);
    }
}

TEST_F(MacTextField, TextRoundTripsInUtf8ThroughAText) {
    host.services.text_object = text_view;
    edit_text_class field(parent, frame);
    for (std::string text : {"3.250000", "\xE6\x97\xA5\xE6\x9C\xAC", ""}) {
        field.set_text(text.c_str());
        EXPECT_EQ(utf8([text_view string]), text) << "setString:";
        EXPECT_EQ(std::string(field.get_text()), text);
    }
}

TEST_F(MacTextField, GetTextReadsWhatTheUserTyped) {
    host.services.text_object = text_field;
    edit_text_class field(parent, frame);
    field.set_text("1.000000");
    [text_field setStringValue:@"42.5"];
    EXPECT_STREQ(field.get_text(), "42.5");
}

TEST_F(MacTextField, TextThatIsNotUtf8LeavesTheFieldAsItWas) {
    host.services.text_object = text_field;
    edit_text_class field(parent, frame);
    field.set_text("7.0");
    field.set_text("\xFF\xFE broken");
    EXPECT_STREQ(field.get_text(), "7.0");
    field.set_text(nullptr);
    EXPECT_STREQ(field.get_text(), "");
}

TEST_F(MacTextField, AnObjectThatIsNoTextLeavesTheCacheUnchanged) {
    NSView* plain_view = [[[NSView alloc] initWithFrame:NSMakeRect(0, 0, 50, 23)] autorelease];
    host.services.text_object = plain_view;
    edit_text_class field(parent, frame);  // no font messages to an object without a font
    char const* first = field.get_text();
    EXPECT_STREQ(first, "");
    field.set_text("5.0");
    EXPECT_STREQ(field.get_text(), "");
    EXPECT_EQ(field.get_text(), first) << "the cache itself was not touched";
}

TEST_F(MacTextField, WithoutATextObjectNothingIsSent) {
    host.services.text_object = nullptr;
    edit_text_class field(parent, frame);
    field.set_text("5.0");
    EXPECT_STREQ(field.get_text(), "");
}

}  // namespace
}  // namespace cross_test
