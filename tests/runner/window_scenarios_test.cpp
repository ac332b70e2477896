// What a user sees and changes through scripts where the window once went wrong: modes
// left over from a line, signs, boxes that hold no number, "Snap" through a rotated line,
// and a line deleted under the shown point.
#include <cmath>
#include <sstream>

#include "checks/host_checks.h"
#include "runner_fixture.h"

namespace runner_test {
namespace {

using namespace script::vexel_controls;

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

// --- memory slots of surface parts whose lines differ in length ---

// "u": lines of 2, 4 and 3 points; "n": a simple part of two lines, then the line "l2".
char const* const uneven_lines = R"({
  "shapes": [
    {"name": "u", "type": "part", "part": "surface", "direction": true, "children": [
      {"name": "a", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
      {"name": "b", "type": "line", "points": [{"anchor": [0, 1, 0]}, {"anchor": [1, 1, 0]},
                                              {"anchor": [2, 1, 0]}, {"anchor": [3, 1, 0]}]},
      {"name": "c", "type": "line", "points": [{"anchor": [0, 2, 0]},
        {"anchor": [1, 2, 0], "in": [0.5, 2, 0], "out": [1.5, 2.25, 0], "linked": true},
        {"anchor": [2, 2, 0]}]}
    ]},
    {"name": "n", "type": "part", "part": "surface", "children": [
      {"name": "inner", "type": "part", "part": "simple", "children": [
        {"name": "i0", "type": "line", "points": [{"anchor": [0, 0, 5]}, {"anchor": [1, 0, 5]}]},
        {"name": "i1", "type": "line", "points": [{"anchor": [0, 1, 5]}, {"anchor": [1, 1, 5]}]}
      ]},
      {"name": "l2", "type": "line", "points": [{"anchor": [0, 2, 5]}, {"anchor": [7, 2, 5]}]}
    ]},
    {"name": "s", "type": "sphere", "center": [9, 9, 9]}
  ]
})";

class SavedPoints : public session_fixture {
protected:
    void SetUp() override { open(uneven_lines); }
    // The marking requests printed by `marks`, parsed.
    std::vector<json> marks() {
        out.str("");
        EXPECT_TRUE(play("marks"));
        std::vector<json> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
        return lines;
    }
    // Saves point `point` of `shape` with marking on, and returns the mark it made.
    json save(std::string const& shape, int point) {
        EXPECT_TRUE(play("settings mark=1\nactive " + shape + "\nselect " + shape + " " +
                         std::to_string(point) + "\nidle 2\nclick Save"))
            << errors();
        std::vector<json> made = marks();
        return made.empty() ? json() : made.back();
    }
    // Row 0 after "Load" on the sphere.
    std::vector<double> loaded() {
        EXPECT_TRUE(play("active s\nidle 2\nclick Load")) << errors();
        json d = dump();
        return {box_number(d, 0, 0), box_number(d, 0, 1), box_number(d, 0, 2)};
    }
};

TEST_F(SavedPoints, ALinesPointIsMarkedAndLoadedWhateverTheOtherLinesHold) {
    struct {
        char const* shape;
        int point;
        char const* part;
        int flat;  // points of the shapes before the line, plus the point's index
        std::vector<double> anchor;
    } const cases[] = {
        {"u/c", 1, "u", 7, {1, 2, 0}},  // after lines of 2 and 4 points
        {"u/a", 1, "u", 1, {1, 0, 0}},
        {"n/l2", 1, "n", 5, {7, 2, 5}},  // after a simple part of 4 points
        {"u", 7, "u", 7, {1, 2, 0}},     // the surface part itself, direction flag on
    };
    for (auto const& c : cases) {
        open(uneven_lines);
        json mark = save(c.shape, c.point);
        EXPECT_EQ(mark["marks"], c.part) << c.shape;
        EXPECT_EQ(mark["indices"], json::array({c.flat})) << c.shape;
        EXPECT_EQ(loaded(), c.anchor) << c.shape;
    }
}

TEST_F(SavedPoints, LoadWhileAControlPointIsShownGivesTheSavedPointsHandles) {
    save("u/c", 1);
    ASSERT_TRUE(play("active u/b\nselect u/b 0\nidle 2\nclick Load")) << errors();
    json d = dump();
    EXPECT_DOUBLE_EQ(box_number(d, 0, 0), 1);
    EXPECT_DOUBLE_EQ(box_number(d, 1, 0), -0.5);  // "Rel.": In minus the anchor
    EXPECT_DOUBLE_EQ(box_number(d, 2, 1), 0.25);
    EXPECT_EQ(d["controls"][extra(2)]["value"], 1);
}

TEST_F(SavedPoints, AnEarlierLinesDeletionKeepsTheSavedPointAndItsOwnDeletionEmptiesTheSlot) {
    save("u/c", 1);
    ASSERT_TRUE(play("delete u/a")) << errors();
    EXPECT_EQ(loaded(), (std::vector<double>{1, 2, 0}));
    ASSERT_TRUE(play("slot 1\nslot 0")) << errors();
    EXPECT_EQ(marks().back()["indices"], json::array({5})) << "4 points before line c now";
    ASSERT_TRUE(play("delete u/c")) << errors();
    EXPECT_FALSE(dump()["controls"][load]["enabled"].get<bool>());
}

TEST_F(SavedPoints, TheSavedPointIsFoundAfterEarlierLinesChangeAndTheDirectionFlips) {
    save("u/c", 1);
    ASSERT_TRUE(play("insert-point u/a 0 5 5 5\ninsert-point u/b 4 6 6 6\nremove-point u/a 1\n"
                     "direction u off"))
        << errors();
    EXPECT_EQ(loaded(), (std::vector<double>{1, 2, 0}));
    ASSERT_TRUE(play("slot 1\nslot 0")) << errors();
    EXPECT_EQ(marks().back()["indices"], json::array({8})) << "2 + 5 points before line c";
}

// --- rows that show only a length ---

// Point 1's In and point 3's handles lie on their anchors; point 0 has no Out.
char const* const zero_handles = R"({
  "shapes": [
    {"name": "h", "type": "line", "points": [
      {"anchor": [0, 0, 0], "in": [-3, -4, 0]},
      {"anchor": [10, 0, 0], "out": [12, 1, 0]},
      {"anchor": [20, 0, 0], "in": [17, 4, 0], "out": [20, 5, 0]},
      {"anchor": [30, 0, 0]}
    ]},
    {"name": "v", "type": "part", "part": "surface", "children": [
      {"name": "r", "type": "line", "points": [{"anchor": [1, 1, 1], "out": [1, 7, 9]}]}
    ]}
  ]
})";

class LengthRows : public session_fixture {
protected:
    void SetUp() override { open(zero_handles); }
    // The points of the shape at path, as dump-scene prints them.
    json points(std::string const& path) {
        out.str("");
        EXPECT_TRUE(play("dump-scene " + path));
        return json::parse(out.str().substr(0, out.str().find('\n')))["points"];
    }
};

TEST_F(LengthRows, ALengthRowShowsTheShownPointsOwnLength) {
    struct {
        char const* mode_clicks;  // from "Rel."
        int point;
        int row;
    } const cases[] = {
        {"click mode1\nclick mode1\n", 1, 1},  // "O b.": In on its anchor, after point 0's 5
        {"click mode1\n", 3, 2},               // "I b.": no Out, after point 2's 5
    };
    for (auto const& c : cases) {
        open(zero_handles);
        ASSERT_TRUE(play(std::string("active h\nselect h ") + (c.point == 1 ? "0" : "2") +
                         "\nidle 2\n" + c.mode_clicks + "select h " + std::to_string(c.point) +
                         "\nidle"));
        EXPECT_EQ(text(box(c.row, 0)), " 0.000000") << c.mode_clicks;
    }
}

TEST_F(LengthRows, AHandleWhosePartnerHasNoDirectionKeepsItsOwn) {
    // In on the anchor, Out 10 long: "I b." shows the Out row as a length only.
    ASSERT_TRUE(play("active v/r\nselect v/r 0\nidle 2\nclick mode1\nidle"));
    EXPECT_EQ(text(box(2, 0)), "10.000000");
    ASSERT_TRUE(play("click App.\nidle"));
    json out_handle = points("v/r")[0]["out"]["local"];
    EXPECT_EQ(out_handle, json::array({1.0, 7.0, 9.0}));
}

// The distance of a point's handle from its anchor, from dump-scene's JSON.
double handle_length(json const& point, char const* handle) {
    double sum = 0;
    for (int a = 0; a < 3; ++a) {
        double d = point[handle]["local"][a].get<double>() - point["local"][a].get<double>();
        sum += d * d;
    }
    return std::sqrt(sum);
}

// The clicks that take a mode button from "Rel." to mode.
std::string clicks_to(char const* button, int mode) {
    std::string s;
    for (int i = 0; i < (mode + 3) % 4; ++i) s += std::string("click ") + button + "\n";
    return s;
}

// "App." with nothing typed, for every pair of modes and every point shown after another:
// anchors stay, a handle keeps its length, and one outside a length mode stays put.
TEST_F(LengthRows, AppWithNothingTypedNeverChangesAHandlesLength) {
    char const* const handles[] = {"in", "out", "l_in", "l_out"};
    for (int in_out = 0; in_out < 4; ++in_out)
        for (int l_pair = 0; l_pair < 4; ++l_pair)
            for (int first = 0; first < 4; ++first)
                for (int then = 0; then < 4; ++then) {
                    if (first == then) continue;
                    open(zero_handles);
                    ASSERT_TRUE(play("active h\nselect h " + std::to_string(first) + "\nidle 2\n" +
                                     clicks_to("mode1", in_out) + clicks_to("mode3", l_pair) +
                                     "select h " + std::to_string(then) + "\nidle"));
                    json before = points("h")[then];
                    ASSERT_TRUE(play("click App.\nidle"));
                    json after = points("h")[then];
                    std::string where = "modes " + std::to_string(in_out) + "/" +
                                        std::to_string(l_pair) + ", point " +
                                        std::to_string(then) + " after " + std::to_string(first);
                    EXPECT_EQ(after["local"], before["local"]) << where;
                    for (int h = 0; h < 4; ++h) {
                        EXPECT_NEAR(handle_length(after, handles[h]),
                                    handle_length(before, handles[h]), 1e-5)
                            << where << " " << handles[h];
                        if ((h < 2 ? in_out : l_pair) < 2) {
                            EXPECT_EQ(after[handles[h]], before[handles[h]]) << where << " " << handles[h];
                        }
                    }
                }
}

// --- a shape the host locks ---

TEST_F(WindowScenarios, ALockShowsAtOnceAndALockedShapeIsNeverWritten) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\nmodifiable curve off"));
    EXPECT_FALSE(control(app)["enabled"].get<bool>());
    EXPECT_FALSE(control(snap)["enabled"].get<bool>());
    EXPECT_TRUE(control(save)["enabled"].get<bool>());
    ASSERT_TRUE(play("modifiable curve on"));
    EXPECT_TRUE(control(app)["enabled"].get<bool>());

    // A lock the hidden window missed: shown again, its buttons are stale until the next
    // tick, and a click then writes nothing into the locked shape.
    for (std::string shape : {"curve", "arm"}) {
        ASSERT_TRUE(play("active " + shape + "\nidle 2\nhide\nmodifiable " + shape + " off"));
        std::string const before = scene_text();
        ASSERT_TRUE(play("show\ntype 0 x 9\nclick App.\ntype 0 x 8\nclick Snap")) << errors();
        EXPECT_EQ(scene_text(), before) << shape;
    }
}

TEST_F(WindowScenarios, AppWritesNothingIntoALockedLineOfTheShownSurfacePart) {
    // The part is not locked, so its buttons stay enabled; the line that holds the point is.
    ASSERT_TRUE(play("active wing\nselect wing 3\nidle 2\nmodifiable wing/rib1 off\nidle"));
    std::string const before = scene_text();
    ASSERT_TRUE(play("type 0 x 9\nclick App.")) << errors();
    EXPECT_EQ(scene_text(), before);
    ASSERT_TRUE(play("modifiable wing/rib1 on\ntype 0 x 9\nclick App."));
    EXPECT_NE(scene_text(), before);
}

// --- a click whose host calls fail half-way takes effect whole or not at all ---

// A moved line and a scaled, moved sphere: their local and world positions differ.
char const* const moved_shapes = R"({
  "shapes": [
    {"name": "curve", "type": "line", "matrix": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 5, 1],
     "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 2, 3]}, {"anchor": [4, 0, 0]}]},
    {"name": "a", "type": "sphere", "center": [0, 0, 0],
     "matrix": [2, 0, 0, 0,  0, 2, 0, 0,  0, 0, 2, 0,  0, 0, 1, 1]}
  ]
})";

class FailedClicks : public session_fixture {
protected:
    void SetUp() override { open(moved_shapes); }
    void TearDown() override { host::faults().reset(); }
};

TEST_F(FailedClicks, TheFrameButtonsLabelAndTheRowsAgreeAfterAFailedClick) {
    for (char const* operation : {"set_title", "get_plugin_services", "get_scene_interface"}) {
        open(moved_shapes);
        ASSERT_TRUE(play("active curve\nselect curve 1\nidle 3"));
        host::faults().fail_operation(operation, 1);
        play("click loc");
        host::faults().reset();
        ASSERT_TRUE(play("active a\nidle 3"));
        json d = dump();
        bool world = d["controls"][extra(0)]["text"] == "Glo.";
        // The sphere's centre: (0, 0, 0) in its own frame, (0, 0, 1) in the world.
        EXPECT_DOUBLE_EQ(box_number(d, 0, 2), world ? 1 : 0) << operation;
    }
}

TEST_F(FailedClicks, AModeButtonsLabelAndItsRowsAgreeAfterAFailedClick) {
    for (char const* operation : {"set_title", "hide", "get_scene_interface"}) {
        open(moved_shapes);
        ASSERT_TRUE(play("active curve\nselect curve 1\nidle 3"));
        host::faults().fail_operation(operation, 1);
        play("click mode1");  // "Rel." to "I b.": the Out row then shows a length only
        host::faults().reset();
        json d = dump();
        bool in_length = d["controls"][extra(1)]["text"] == "I b.";
        EXPECT_EQ(d["controls"][box(2, 1)]["shown"].get<bool>(), !in_length) << operation;
    }
}

}  // namespace
}  // namespace runner_test
