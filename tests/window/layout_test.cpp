// The window's construction and its layout per object type: rows, titles, the point
// number, the top buttons, the window title and the client size.
#include "window_fixture.h"

#include "scene_files/scene_dump.h"

using namespace window_test;

namespace {

class Layout : public window_fixture {};

TEST_F(Layout, StartsWithTheTopBarOnlyAndLoadDisabled) {
    host::window_state s = state();
    ASSERT_EQ(s.controls.size(), 32u);
    EXPECT_EQ(s.client.x, 263);  // right edge of row 4's "link" box: 229 + 34
    EXPECT_EQ(s.client.y, 15);
    EXPECT_EQ(text(app), "App.");
    EXPECT_EQ(text(snap), "Snap");
    EXPECT_EQ(text(ref), "Ref.");
    EXPECT_EQ(text(save), "Save");
    EXPECT_EQ(text(load), "Load");
    EXPECT_FALSE(enabled(load));
    EXPECT_TRUE(enabled(app));
    EXPECT_TRUE(enabled(save));
    EXPECT_EQ(control(slots).items.size(), 10u);
    EXPECT_EQ(control(slots).value.value(), 0);
    EXPECT_EQ(control(app).tooltip, "Move selected point to viewed value.");
    EXPECT_EQ(control(load).tooltip, "Load from appinted number area to view area");
}

// Any host call that makes the window's controls may throw. The window then stays inert
// with the controls made so far: a click on one of them, a notification or a tick does
// nothing (there are no rows or slots to use), nothing is left held once it goes, and the
// next window works. A control whose routing failed is taken away again, so no control
// is left sending its events to a wrapper that is gone.
TEST_F(Layout, AWindowWhoseMakingFailedStaysInertAndTheNextOneWorks) {
    struct {
        char const* operation;
        long n;
        int settings;  // 2: host number boxes
    } const cases[] = {{"create_button", 1, 0},         // nothing made
                       {"create_static_text", 1, 0},    // App. and Snap made
                       {"create_popup", 1, 0},          // the five buttons made
                       {"create_child_window", 1, 0},   // row 0's own text field
                       {"create_number", 1, 2},         // row 0's host number box
                       {"create_check_box", 1, 0},      // row 2's link box
                       {"set_handler", 4, 0},           // Ref. made, then taken away
                       {"set_client_size", 1, 0}};      // every control made
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.n));
        TearDown();
        host::faults().reset();
        host::audit().reset();
        hostapp = std::make_unique<host::host_app>("", "en");
        hostapp->preferences().store(vexel_id, c.settings);
        host::faults().fail_operation(c.operation, c.n);
        hostapp->load(VEXEL_MODULE_PATH);
        ASSERT_TRUE(host::faults().fired());
        host::faults().reset();
        open(mixed_scene);
        activate("ball");
        tick(2);
        std::string const before = host::dump_scene_text(*scene);
        int const made = static_cast<int>(state().controls.size());
        for (host::control_state const& left : state().controls) {
            if (left.kind != host::control_kind::text_field) {
                EXPECT_EQ(left.owner, vexel_id);
            }
        }
        for (int button : {app, snap, ref, save, load}) {
            if (button >= made) continue;
            for (int action : {0, 2}) {  // 2: Ref.'s settings dialog
                try {
                    click(button, action);
                } catch (std::invalid_argument const&) {  // disabled
                }
            }
        }
        EXPECT_EQ(state().title, "");
        EXPECT_EQ(hostapp->last_dialog().resource, "") << "no settings dialog";
        EXPECT_EQ(host::dump_scene_text(*scene), before);
        expect_clean();
        hostapp->restart();
        EXPECT_EQ(state().controls.size(), 32u);
        hostapp->active_scene_changed();
        activate("ball");
        EXPECT_EQ(state().title, "Sphere        [ball]");
    }
}

TEST_F(Layout, TopBarRunsLeftToRightInCreationOrder) {
    host::window_state s = state();
    for (int i : {snap, point_number, ref, save, load, slots}) {
        EXPECT_GT(s.controls[i].x, s.controls[i - 1].x) << i;
        EXPECT_EQ(s.controls[i].y, s.controls[app].y) << i;
    }
}

TEST_F(Layout, RowsSitAtTheirFixedPlaces) {
    int const tops[5] = {16, 32, 46, 61, 75};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(control(row_title(r)).y, tops[r]);
        EXPECT_EQ(control(box(r, 0)).x, 40);
        EXPECT_EQ(control(box(r, 1)).x, 103);
        EXPECT_EQ(control(box(r, 2)).x, 166);
        EXPECT_EQ(control(extra(r)).x, 229);
    }
    EXPECT_EQ(text(row_title(2)), "Out   ");
    EXPECT_EQ(text(row_title(3)), "L in  ");
    EXPECT_EQ(text(row_title(4)), "L out ");
    EXPECT_EQ(text(extra(0)), "Loc.");
    EXPECT_EQ(text(extra(1)), "Rel.");
    EXPECT_EQ(text(extra(2)), "link");
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::text_field);
}

TEST_F(Layout, NothingIsShownBeforeASceneIsAnnounced) {
    auto s = host::load_scene_text(mixed_scene, "test scene");
    hostapp->set_scene(s.get());
    s->set_active_shape("ball");
    hostapp->active_shapes_changed({}, {&s->find("ball")->iface()});
    tick(2);
    EXPECT_EQ(height(), 15);
    EXPECT_EQ(state().title, "");
    hostapp->set_scene(nullptr);
}

struct type_layout {
    char const* path;
    std::vector<int> points;
    char const* title;
    int height;
    char const* row0;
    char const* row1;
    char const* number;
    bool buttons;
};
// The case as test names and messages show it: its shape, not its bytes.
void PrintTo(type_layout const& c, std::ostream* os) {
    *os << c.path;
    for (int p : c.points) *os << " " << p;
}

class LayoutPerType : public window_fixture, public ::testing::WithParamInterface<type_layout> {};

TEST_P(LayoutPerType, LaysTheWindowOutForTheObjectType) {
    type_layout const& want = GetParam();
    open(mixed_scene);
    activate(want.path, want.points);
    EXPECT_EQ(state().title, want.title);
    EXPECT_EQ(height(), 15) << "the size follows at the next idle tick";
    tick();
    EXPECT_EQ(height(), want.height);
    EXPECT_EQ(text(row_title(0)), want.row0);
    EXPECT_EQ(text(row_title(1)), want.row1);
    EXPECT_EQ(text(point_number), want.number);
    EXPECT_EQ(enabled(app), want.buttons);
    EXPECT_EQ(enabled(snap), want.buttons);
    EXPECT_EQ(enabled(save), want.buttons);
    expect_clean();
}

INSTANTIATE_TEST_SUITE_P(
    types, LayoutPerType,
    ::testing::Values(
        type_layout{"curve", {1}, "Line          [curve]", 89, "Anchor", "In    ", "      1", true},
        type_layout{"curve", {}, "Line          [curve]", 15, "", "", "un sel.", false},
        type_layout{"mesh", {2}, "Polygon mesh  [mesh]", 30, "Vertex", "", "      2", true},
        type_layout{"mesh", {}, "Polygon mesh  [mesh]", 15, "", "", "un sel.", false},
        type_layout{"arm", {}, "Rotator joint [arm]", 46, "1st p.", "End p.", "       ", true},
        type_layout{"rail", {}, "Slider joint  [rail]", 46, "1st p.", "End p.", "       ", true},
        type_layout{"cam", {}, "Camera joint  [cam]", 46, "Eye p.", "Target", "       ", true},
        type_layout{"grow", {}, "Uniscale joint[grow]", 30, "Pivot", "", "       ", true},
        type_layout{"knee", {}, "Ball joint    [knee]", 30, "Pivot", "", "       ", true},
        type_layout{"ball", {}, "Sphere        [ball]", 30, "Center", "", "       ", true},
        type_layout{"plate", {}, "Disk          [plate]", 30, "Center", "", "       ", true},
        type_layout{"lamp", {}, "Light         [lamp]", 30, "Center", "", "       ", true},
        type_layout{"body", {}, "Simple part   [body]", 15, "", "", "       ", false},
        type_layout{"thing", {}, "Other         [thing]", 15, "", "", "       ", false},
        type_layout{"surf", {4}, "Surface part  [surf]", 89, "Anchor", "In    ", "      4", true}));

TEST_F(Layout, SeveralActivePointsShowTheFirstOfTheList) {
    open(mixed_scene);
    activate("curve", {1, 0});
    EXPECT_EQ(text(point_number), "      1");
    EXPECT_VEC3_NEAR(row(0), 10, 0, 0, 1e-5);
}

TEST_F(Layout, ALargePointNumberWidensItsField) {
    std::string points;
    for (int i = 0; i <= 12345; ++i) points += std::string(i ? "," : "") + "[0, 0, 0]";
    open(R"({"shapes": [{"name": "big", "type": "polygon_mesh", "vertices": [)" + points + "]}]}");
    activate("big", {12345});
    EXPECT_EQ(text(point_number), "  12345");
    activate("big", {0});
    EXPECT_EQ(text(point_number), "      0");
}

TEST_F(Layout, AShapeThatCannotBeModifiedCanOnlyBeSaved) {
    open(mixed_scene);
    activate("fixed");
    EXPECT_FALSE(enabled(app));
    EXPECT_FALSE(enabled(snap));
    EXPECT_TRUE(enabled(save));
}

TEST_F(Layout, SwitchingFromALineToASphereShrinksOneTickLater) {
    open(mixed_scene);
    activate("curve", {0});
    tick();
    EXPECT_EQ(height(), 89);
    activate("ball");
    EXPECT_EQ(text(row_title(0)), "Center");
    EXPECT_EQ(text(row_title(1)), "In    ") << "row 1 keeps its old title";
    EXPECT_EQ(height(), 89);
    tick();
    EXPECT_EQ(height(), 30);
}

TEST_F(Layout, AFrameOffScreenIsMovedIntoViewByARefresh) {
    open(mixed_scene);
    // Off the left edge, off the top edge, or both; a frame on screen stays where it is.
    struct {
        tq::rectangle_class frame;
        tq::point_class after;
    } const cases[] = {{{0, 120, 200, 220}, {300, 30}},
                       {{120, 0, 320, 100}, {300, 30}},
                       {{-50, -8, 150, 92}, {300, 30}},
                       {{120, 40, 320, 140}, {120, 40}}};
    for (auto const& c : cases) {
        hostapp->window()->set_frame_rectangle(c.frame);
        click(ref);
        EXPECT_EQ(state().frame.left, c.after.x) << c.frame.left << ", " << c.frame.top;
        EXPECT_EQ(state().frame.top, c.after.y) << c.frame.left << ", " << c.frame.top;
    }
}

// A host with no active scene (one closed, the next not yet announced) may still send a
// selection or see "Ref." clicked: the window keeps what it shows.
TEST_F(Layout, WithoutAnActiveSceneRefAndASelectionKeepWhatIsShown) {
    open(mixed_scene);
    activate("ball");
    hostapp->set_scene(nullptr);
    click(ref);
    hostapp->active_shapes_changed({}, {shape("curve")});
    hostapp->set_scene(scene.get());
    EXPECT_EQ(state().title, "Sphere        [ball]");
    EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 0);
    expect_clean();
}

// The host may delete the shown shape from inside a read of its points (a notification
// sent from within a host call): the window lets go of it and the rows keep what they
// showed rather than the failed read's values, which "App." would write somewhere.
TEST_F(Layout, AJointDeletedWhileItsPointsAreReadLeavesTheRowsAlone) {
    struct {
        char const* joint;
        char const* operation;
    } const cases[] = {{"rail", "joint.get_first_point"},   // the first of two points
                       {"rail", "joint.get_second_point"},  // between the two
                       {"knee", "joint.get_pivot"}};        // the only point
    for (auto const& c : cases) {
        SCOPED_TRACE(c.operation);
        open(mixed_scene);
        activate("ball");
        vec3 const hidden_row = row(1);
        scene->set_active_shape(c.joint);
        host::faults().before_call(c.operation, "delete", [&] {
            scene->delete_shape(c.joint, [&](std::vector<shape_class*> const& shapes) {
                hostapp->shapes_being_deleted(shapes);
            });
        });
        click(ref);
        ASSERT_EQ(scene->find(c.joint), nullptr) << "deleted during the refresh";
        EXPECT_EQ(state().title, "");
        EXPECT_VEC3_NEAR(row(0), 1, 2, 3, 0);
        EXPECT_VEC3_NEAR(row(1), hidden_row.x, hidden_row.y, hidden_row.z, 0);
        expect_clean();
    }
}

TEST_F(Layout, NoActiveShapeShowsTheTopBarOnly) {
    open(mixed_scene);
    activate("ball");
    tick();
    scene->set_active_shape("");
    click(ref);
    tick();
    EXPECT_EQ(height(), 15);
    EXPECT_EQ(state().title, "");
    EXPECT_FALSE(enabled(app));
    EXPECT_FALSE(enabled(save));
    expect_clean();
}

TEST_F(Layout, JapaneseTableTranslatesButtonsTooltipsAndModesOnly) {
    TearDown();
    start(-1, "ja");
    open(mixed_scene);
    activate("curve", {0});
    EXPECT_NE(text(app), "App.");
    EXPECT_NE(text(snap), "Snap");
    EXPECT_NE(text(extra(1)), "Rel.");
    EXPECT_NE(control(app).tooltip, "Move selected point to viewed value.");
    EXPECT_EQ(text(row_title(0)), "Anchor");
    EXPECT_EQ(text(extra(0)), "Loc.");
    EXPECT_EQ(text(extra(2)), "link");
    EXPECT_EQ(text(point_number), "      0");
}

}  // namespace
