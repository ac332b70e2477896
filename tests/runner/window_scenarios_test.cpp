// What a user sees and changes through scripts where the window once went wrong: modes
// left over from a line, signs, boxes that hold no number, "Snap" through a rotated line,
// and a line deleted under the shown point.
#include <cmath>

#include "runner_fixture.h"

namespace runner_test {
namespace {

using namespace host::vexel_controls;

// One shape of each kind with points, values exact in six decimals.
char const* const every_kind = R"({
  "shapes": [
    {"name": "curve", "type": "line", "points": [
      {"anchor": [1, 2, 3], "in": [0, 2, 3], "out": [3, 2.5, 3], "l_in": [1, 1, 3], "l_out": [1, 2, 4.25],
       "linked": false, "l_linked": true},
      {"anchor": [10, 0, 0], "in": [8, 1, 0], "out": [12, 0.5, 0]}
    ]},
    {"name": "wing", "type": "part", "part": "surface", "direction": true,
     "matrix": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  5, 0, 0, 1],
     "children": [
       {"name": "rib0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [5, 0, 1]}]},
       {"name": "rib1", "type": "line",
        "matrix": [0, 2, 0, 0,  -2, 0, 0, 0,  0, 0, 2, 0,  1, 2, 3, 1],
        "points": [{"anchor": [0, 5, 0]}, {"anchor": [5, 5, 2], "in": [3, 5, 2], "out": [7, 5.5, 2]}]},
       {"name": "rib2", "type": "line", "points": [{"anchor": [0, 10, 0]}, {"anchor": [5, 10, 1]}]}
     ]},
    {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1.5, 2, 3]]},
    {"name": "ball", "type": "sphere", "center": [1, 2, 3]},
    {"name": "zero", "type": "sphere", "center": [0, 0, 0]},
    {"name": "lamp", "type": "light", "center": [0, 5, 0]},
    {"name": "plate", "type": "disk", "center": [0, 0, -1]},
    {"name": "arm", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
    {"name": "rail", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 5, 0]},
    {"name": "grow", "type": "part", "part": "scale", "first_point": [1, 0, 0], "second_point": [1, 0, 0]},
    {"name": "swell", "type": "part", "part": "uniscale", "first_point": [0, 1, 0]},
    {"name": "socket", "type": "part", "part": "ball", "pivot": [0, 0, 2]},
    {"name": "cam", "type": "part", "part": "camera", "eye": [0, -20, 8], "target": [0, 0, 2]}
  ]
})";

class WindowScenarios : public session_fixture {
protected:
    void SetUp() override { open(every_kind); }
    // The whole scene as dump-scene prints it.
    std::string scene_text() {
        out.str("");
        EXPECT_TRUE(play("dump-scene"));
        return out.str();
    }
    json control(int index) { return dump()["controls"][index]; }
    double shown(int row, int axis) { return box_number(dump(), row, axis); }
};

// --- a handle mode left over from a line ---

// The line's In/Out pair in "O b." and its L pair in "I b.", then another shape.
char const* const leave_line_in_length_modes =
    "active curve\nselect curve 0\nidle 2\nclick mode1\nclick mode1\nclick mode3\n";

TEST_F(WindowScenarios, ALengthModeLeftOverFromALineShowsAsRelElsewhere) {
    ASSERT_TRUE(play(leave_line_in_length_modes));
    ASSERT_EQ(control(extra(1))["text"], "O b.");
    ASSERT_TRUE(play("active cam\nidle 2"));
    for (int row : {1, 3}) EXPECT_EQ(control(extra(row))["text"], "Rel.") << "row " << row;
    for (int row = 1; row <= 4; ++row)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_TRUE(control(box(row, axis))["shown"].get<bool>()) << row << "/" << axis;
    EXPECT_TRUE(control(extra(2))["shown"].get<bool>());
    EXPECT_TRUE(control(extra(4))["shown"].get<bool>());
    EXPECT_DOUBLE_EQ(shown(1, 2), -6);  // target minus eye, all three components

    // One click toggles "Rel." and "Abs." and the boxes stay; back on the line (its modes
    // were reset), the rows agree with the labels.
    ASSERT_TRUE(play("click mode1\nidle"));
    EXPECT_EQ(control(extra(1))["text"], "Abs.");
    EXPECT_TRUE(control(box(1, 1))["shown"].get<bool>());
    ASSERT_TRUE(play("click mode1\nactive curve\nidle 2"));
    EXPECT_EQ(control(extra(1))["text"], "Rel.");
    for (int row = 1; row <= 4; ++row)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_TRUE(control(box(row, axis))["shown"].get<bool>()) << row << "/" << axis;
}

// One "App." with nothing typed moves nothing: on every other kind whatever modes the line
// left behind, on control points in "Rel." and in "Abs.".
TEST_F(WindowScenarios, AppWithNothingTypedLeavesEveryKindOfPointWhereItWas) {
    char const* const line_left = leave_line_in_length_modes;
    struct {
        char const* before;  // what the window went through first
        char const* shape;
        char const* select;
        char const* clicks;  // on the shape, before "App."
    } const cases[] = {
        {line_left, "mesh", "mesh 1", ""},   {line_left, "ball", "ball", ""},
        {line_left, "lamp", "lamp", ""},     {line_left, "plate", "plate", ""},
        {line_left, "arm", "arm", ""},       {line_left, "rail", "rail", ""},
        {line_left, "grow", "grow", ""},     {line_left, "swell", "swell", ""},
        {line_left, "socket", "socket", ""}, {line_left, "cam", "cam", ""},
        {"", "arm", "arm", "click mode1\n"},  // the end point in "Abs."
        {"", "curve", "curve 0", ""},
        {"", "curve", "curve 0", "click mode1\nclick mode1\nclick mode1\n"  // both pairs "Abs."
                                 "click mode3\nclick mode3\nclick mode3\n"},
        {"", "wing", "wing 3", ""},
    };
    for (auto const& c : cases) {
        open(every_kind);
        ASSERT_TRUE(play(std::string(c.before) + "active " + c.shape + "\nselect " + c.select +
                         "\nidle 2\n" + c.clicks))
            << errors();
        std::string before = scene_text();
        ASSERT_TRUE(play("click App.\nidle")) << errors();
        EXPECT_TRUE(scene_text() == before) << c.select << " after: " << c.before << c.clicks;
    }
}

// --- the text field's number reading ---

TEST_F(WindowScenarios, ATextFieldReadsOneOptionalSign) {
    struct {
        char const* text;
        double read;
    } const cases[] = {{"--5", 0}, {"+-1", 0}, {"-+5", 0}, {"++5", 0},
                       {"-5", -5}, {"+5", 5},  {"  -1.5e1x", -15}};
    for (auto const& c : cases) {
        ASSERT_TRUE(play(std::string("active ball\nidle 2\ntype 0 x \"") + c.text +
                         "\"\nclick App.\nidle\nref"));
        EXPECT_DOUBLE_EQ(shown(0, 0), c.read) << c.text;
    }
}

// --- boxes that hold no number ---

TEST_F(WindowScenarios, AZeroIsShownAndTextWithoutANumberDoesNotSurviveARefresh) {
    ASSERT_TRUE(play("active zero\nidle 2"));
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(control(box(0, axis))["text"], " 0.000000") << axis;
    ASSERT_TRUE(play("type 0 x abc\nref"));
    EXPECT_EQ(control(box(0, 0))["text"], " 0.000000");
    // A box that already reads as the value keeps the text typed into it.
    ASSERT_TRUE(play("active ball\nidle 2\ntype 0 x 1.0\nref"));
    EXPECT_EQ(control(box(0, 0))["text"], "1.0");
}

// --- "Snap" through a rotated and scaled line of a surface part ---

TEST_F(WindowScenarios, SnapInGloLandsASurfacePointOnTheTypedWorldPosition) {
    // Point 3 of the wing is rib1's second anchor, in a line rotated and scaled by 2.
    ASSERT_TRUE(play("active wing\nselect wing 3\nidle 2\nclick loc\n"
                     "type 0 x 100\ntype 0 y -7.5\ntype 0 z 12\nclick Snap\nidle\nref"));
    EXPECT_NEAR(shown(0, 0), 100, 1e-4);
    EXPECT_NEAR(shown(0, 1), -7.5, 1e-4);
    EXPECT_NEAR(shown(0, 2), 12, 1e-4);
}

TEST_F(WindowScenarios, SnapInLocMovesASurfacePointByTheTypedChangeInItsOwnFrame) {
    ASSERT_TRUE(play("active wing\nselect wing 3\nidle 2\nclick loc\n"));
    double world[3] = {shown(0, 0), shown(0, 1), shown(0, 2)};
    // One more along the line's own X (5 to 6): in the world that is two along Y.
    ASSERT_TRUE(play("click loc\ntype 0 x 6\nclick Snap\nidle\nclick loc"));
    EXPECT_NEAR(shown(0, 0), world[0], 1e-4);
    EXPECT_NEAR(shown(0, 1), world[1] + 2, 1e-4);
    EXPECT_NEAR(shown(0, 2), world[2], 1e-4);
}

// --- a deletion inside the shown shape ---

TEST_F(WindowScenarios, DeletingALineOfTheShownSurfacePartLetsGoOfIt) {
    // Point 2 is rib1's first point; once rib1 is gone, index 2 names a point of rib2.
    ASSERT_TRUE(play("active wing\nselect wing 2\nidle 2\ndelete wing/rib1\nidle"));
    EXPECT_EQ(dump()["client"][1], 15);
    for (int button : {app, snap, save})
        EXPECT_FALSE(control(button)["enabled"].get<bool>()) << button;
    EXPECT_EQ(dump()["title"], "");
}

}  // namespace
}  // namespace runner_test
