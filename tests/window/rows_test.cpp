// Value rows: what each mode shows on a control point and on a two-point joint, the frame
// switch, the figure unit, both kinds of boxes and the text field's reading and writing.
#include "window_fixture.h"

using namespace window_test;

namespace {

class Rows : public window_fixture {
protected:
    void show_curve_point(int index) {
        open(mixed_scene);
        activate("curve", {index});
    }
};

TEST_F(Rows, RelativeModeShowsHandlesFromTheAnchor) {
    show_curve_point(1);
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(1), -1, 1, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(2), 1, -1, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(3), 0, 0, -2, 1e-5);
    EXPECT_VEC3_NEAR(row(4), 0, 0, 2, 1e-5);
    EXPECT_EQ(control(extra(2)).value.value(), 1);
    EXPECT_EQ(control(extra(4)).value.value(), 0);
}

TEST_F(Rows, AbsoluteModeShowsHandlesWhereTheyAre) {
    show_curve_point(1);
    set_mode(1, "Abs.");
    EXPECT_VEC3_NEAR(row(1), 9, 1, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(2), 11, -1, 0, 1e-5);
    EXPECT_VEC3_NEAR(row(3), 0, 0, -2, 1e-5);  // row 3 keeps its own mode
}

TEST_F(Rows, InBasedModeShowsTheOutHandleAsALength) {
    show_curve_point(1);
    set_mode(1, "I b.");
    EXPECT_NEAR(shown_number(box(2, 0)), std::sqrt(2.0), 1e-5);
    EXPECT_FALSE(shown(box(2, 1)));
    EXPECT_FALSE(shown(box(2, 2)));
    EXPECT_FALSE(shown(extra(2)));
    EXPECT_TRUE(shown(box(1, 1)));
}

TEST_F(Rows, OutBasedModeShowsTheInHandleAsALengthUntilAbsolute) {
    show_curve_point(1);
    set_mode(1, "O b.");
    EXPECT_NEAR(shown_number(box(1, 0)), std::sqrt(2.0), 1e-5);
    EXPECT_FALSE(shown(box(1, 1)));
    EXPECT_TRUE(shown(box(2, 1)));
    EXPECT_FALSE(shown(extra(2))) << "the link box stays hidden until Abs.";
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Abs.");
    EXPECT_TRUE(shown(box(1, 1)));
    EXPECT_TRUE(shown(extra(2)));
}

TEST_F(Rows, HostNumberBoxesHiddenByALengthShowAgainAtAbsolute) {
    TearDown();
    start(2);  // the host's number boxes
    show_curve_point(1);
    set_mode(1, "I b.");
    ASSERT_FALSE(shown(box(2, 1)));
    set_mode(1, "Abs.");
    for (int field : {1, 2}) EXPECT_TRUE(shown(box(2, field))) << "field " << field;
    EXPECT_VEC3_NEAR(row(2), 11, -1, 0, 1e-5);
}

TEST_F(Rows, ModesSurviveAChangeOfShapeAndAreReapplied) {
    show_curve_point(1);
    set_mode(3, "I b.");
    activate("surf", {1});
    EXPECT_EQ(text(extra(3)), "I b.");
    EXPECT_FALSE(shown(box(4, 1)));
}

TEST_F(Rows, RotatorJointEndPointRelativeAndAbsolute) {
    open(mixed_scene);
    activate("arm");
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 0, 0, 10, 1e-5);
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Abs.");
    EXPECT_VEC3_NEAR(row(1), 1, 2, 13, 1e-5);
}

TEST_F(Rows, CameraModeButtonOnlyTogglesRelativeAndAbsolute) {
    open(mixed_scene);
    activate("cam");
    EXPECT_VEC3_NEAR(row(0), 0, 0, 10, 1e-5);
    EXPECT_VEC3_NEAR(row(1), 0, 1, -10, 1e-5);
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Abs.");
    EXPECT_VEC3_NEAR(row(1), 0, 1, 0, 1e-5);
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Rel.");
    expect_clean();
}

TEST_F(Rows, ALengthModeLeftFromALineIsRelativeOnAJoint) {
    show_curve_point(0);
    set_mode(1, "O b.");
    activate("arm");
    EXPECT_EQ(text(extra(1)), "Rel.");
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Abs.");
    click(extra(1));
    EXPECT_EQ(text(extra(1)), "Rel.");
}

TEST_F(Rows, FrameButtonSwitchesBetweenLocalAndWorldValues) {
    open(mixed_scene);
    activate("moved");
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 1e-5);
    click(extra(0));
    EXPECT_EQ(text(extra(0)), "Glo.");
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
    click(extra(0));
    EXPECT_EQ(text(extra(0)), "Loc.");
    EXPECT_VEC3_NEAR(row(0), 0, 0, 0, 1e-5);
    expect_clean();
}

TEST_F(Rows, FigureUnitMultipliesWhatIsShown) {
    open(R"({"figure_unit": 10, "shapes": [{"name": "ball", "type": "sphere", "center": [1, 2, 3]}]})");
    activate("ball");
    EXPECT_VEC3_NEAR(row(0), 10, 20, 30, 1e-4);
    scene->set_figure_unit(2);
    hostapp->figure_unit_changed();
    EXPECT_VEC3_NEAR(row(0), 2, 4, 6, 1e-5);
    click(app);
    // Shown values convert back to stored ones.
    EXPECT_VEC3_NEAR(center("ball"), 1, 2, 3, 1e-6);
}

TEST_F(Rows, ARefreshBeforeAnySceneIsAnnouncedCountsTheUnitAsOne) {
    auto s = host::load_scene_text(R"({"figure_unit": 10, "active": "ball",
        "shapes": [{"name": "ball", "type": "sphere", "center": [1, 2, 3]}]})", "test scene");
    hostapp->set_scene(s.get());
    click(ref);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-5);
    click(app);
    EXPECT_FALSE(s->has_non_finite_write());
    EXPECT_VEC3_NEAR(s->find("ball")->iface().as_sphere()->get_center(), 1, 2, 3, 1e-6);
    hostapp->set_scene(nullptr);
}

TEST_F(Rows, AWindowLeftUnbuiltIgnoresItsRowButtonsAndSlots) {
    // The window's last step of building fails: its controls are there, but a click on the
    // frame button, a mode button or the slot pop-up asks the host nothing and changes nothing.
    TearDown();
    host::faults().reset();
    host::audit().reset();
    hostapp = std::make_unique<host::host_app>("", "en");
    host::faults().fail_operation("set_client_size", 1);
    hostapp->load(VEXEL_MODULE_PATH);
    ASSERT_TRUE(host::faults().fired());
    ASSERT_EQ(text(extra(0)), "Loc.");
    ASSERT_EQ(text(extra(1)), "Rel.");
    long calls = host::faults().calls();
    click(extra(0));
    click(extra(1));
    choose_slot(4);
    EXPECT_EQ(host::faults().calls(), calls);
    EXPECT_EQ(text(extra(0)), "Loc.");
    EXPECT_EQ(text(extra(1)), "Rel.");
}

TEST_F(Rows, OwnTextFieldsShowNineCharacterFixedNumbers) {
    open(R"({"shapes": [{"name": "ball", "type": "sphere", "center": [1.5, -12.25, 0.1234567]}]})");
    activate("ball");
    EXPECT_EQ(text(box(0, 0)), " 1.500000");
    EXPECT_EQ(text(box(0, 1)), "-12.250000");
    EXPECT_EQ(text(box(0, 2)), " 0.123457");
}

TEST_F(Rows, HostNumberBoxesHaveNineColumnsAndTakeTypedValues) {
    TearDown();
    start(2);
    open(mixed_scene);
    activate("ball");
    host::control_state x = control(box(0, 0));
    EXPECT_EQ(x.kind, host::control_kind::number);
    EXPECT_EQ(x.columns, 9);
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 1e-6);
    type(box(0, 0), "4.5");
    click(app);
    EXPECT_VEC3_NEAR(center("ball"), 4.5, 2, 3, 1e-6);
    expect_clean();
}

// What a text typed into row 0's X field of a sphere writes as the centre's X; NAN: the
// point is not written at all.
struct typed_case {
    char const* text;
    double x;
};
// The case as test names and messages show it: its text, not its bytes; a long one by its
// first and last characters.
void PrintTo(typed_case const& c, std::ostream* os) {
    std::string text = c.text;
    if (text.size() > 24) text = text.substr(0, 8) + "..." + text.substr(text.size() - 8);
    *os << testing::PrintToString(text);
}

class TextFieldReading : public window_fixture, public ::testing::WithParamInterface<typed_case> {};

// Past a double's range, zeros that do not move the first significant digit decide nothing:
// 1e-330 underflows to 0 and 1e309 overflows.
std::string const zeros_before_the_digit = std::string(400, '0') + "1e-330";
std::string const zeros_after_the_digit = "0.1" + std::string(400, '0') + "e310";
// Without an exponent: 1e400 and 1e-401 written out.
std::string const digits_past_a_double = "1" + std::string(400, '0');
std::string const digits_below_a_double = "0." + std::string(400, '0') + "1";
// An exponent longer than any integer type holds.
std::string const long_exponent = "1e" + std::string(30, '9');
std::string const long_negative_exponent = "1e-" + std::string(30, '9');

TEST_P(TextFieldReading, ReadsTypedTextLikeAtof) {
    open(R"({"shapes": [{"name": "ball", "type": "sphere", "center": [1, 2, 3]}]})");
    activate("ball");
    type(box(0, 0), GetParam().text);
    click(app);
    vec3 c = center("ball");
    if (std::isnan(GetParam().x))
        EXPECT_EQ(c.x, 1.0f) << "not written";
    else
        EXPECT_FLOAT_EQ(c.x, float(GetParam().x));
    EXPECT_VEC3_NEAR(c, c.x, 2, 3, 0);
    expect_clean();
}

INSTANTIATE_TEST_SUITE_P(
    texts, TextFieldReading,
    ::testing::Values(typed_case{"  -1.5e1abc", -15}, typed_case{"abc", 0}, typed_case{"", 0},
                      typed_case{"   ", 0}, typed_case{"-", 0}, typed_case{"+2", 2},
                      typed_case{".5", 0.5}, typed_case{"7.", 7}, typed_case{"3e", 3},
                      typed_case{"1e-50", 0}, typed_case{"0.1", 0.1}, typed_case{"\t42x", 42},
                      typed_case{"1e39", NAN}, typed_case{"-1e400", NAN},
                      typed_case{"1e-400", 0}, typed_case{"nan", NAN}, typed_case{"-inf", NAN},
                      typed_case{"3.4028235e38", 3.4028235e38},
                      typed_case{"3.4028236e38", NAN}, typed_case{zeros_before_the_digit.c_str(), 0},
                      typed_case{zeros_after_the_digit.c_str(), NAN},
                      typed_case{"0.00001e400", NAN}, typed_case{digits_past_a_double.c_str(), NAN},
                      typed_case{digits_below_a_double.c_str(), 0},
                      typed_case{long_exponent.c_str(), NAN},
                      typed_case{long_negative_exponent.c_str(), 0}));

}  // namespace

namespace {

TEST_F(Rows, OwnTextFieldsGetTheSmallFontAndTheTextOffset) {
#if defined(_WIN32)
    GTEST_SKIP() << "on Windows the field formats its rich edit control itself; test_cross_windows checks that format";
#endif
    for (int row = 0; row < 5; ++row)
        for (int axis = 0; axis < 3; ++axis) {
            host::control_state field = control(box(row, axis));
            ASSERT_EQ(field.kind, host::control_kind::text_field);
            EXPECT_FLOAT_EQ(field.font_size, 9.6f);
            EXPECT_FLOAT_EQ(field.vertical_offset, -7.0f);
        }
}

}  // namespace
