// Instant on large scenes, and picking as in a modeller: an idle tick that changes nothing
// repaints nothing, a click on a large mesh takes the vertex under it through the view's
// grid, the active shape's points win over others at one place, repeated clicks go round
// coincident points, and handles are picked and dragged.
#include <cstring>
#include <fstream>
#include <optional>

#include <QTest>

#include "scene/scene_edits.h"
#include "studio_fixture.h"

namespace {

using studio_test::studio_fixture;
using role = studio::scene_point::role;

// A scene file: a mesh of columns x rows vertices one unit apart in the XY plane (plus
// extra shapes, as JSON text after a comma).
std::string grid_scene(studio_test::scratch_dir const& dir, int columns, int rows,
                       std::string const& extra = "") {
    std::string file = dir.file("grid.json");
    std::ofstream out(file);
    out << R"({"shapes": [{"name": "grid", "type": "polygon_mesh", "vertices": [)";
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) out << (r || c ? ", " : "") << "[" << c << ", " << r << ", 0]";
    out << "]}" << extra << "]}";
    return file;
}

struct view_fixture : studio_fixture {
    void start(std::string const& scene) {
        EXPECT_TRUE(start_for_a_person(scene));
        view().resize(640, 480);
        view().fit();
    }
    studio::scene_view& view() { return window.view(); }
    QPoint at(vec3 world) { return view().to_screen(world).toPoint(); }
    void click(QPoint where) { QTest::mouseClick(&view(), Qt::LeftButton, {}, where); }
    // Pans with the right button until world is in the middle of the view.
    void centre_on(vec3 world) {
        QPointF from(100, 100);
        QPointF to = from + QPointF(view().width() / 2.0, view().height() / 2.0) - view().to_screen(world);
        QTest::mousePress(&view(), Qt::RightButton, {}, from.toPoint());
        QMouseEvent pan(QEvent::MouseMove, to, view().mapToGlobal(to), Qt::NoButton, Qt::RightButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&view(), &pan);
        QTest::mouseRelease(&view(), Qt::RightButton, {}, to.toPoint());
    }
    std::vector<int> selected() { return host.scene()->active_shape()->active_points; }
};

TEST(LargeScene, AnIdleTickThatChangesNothingPaintsNothing) {
    view_fixture f;
    f.start(studio_test::example("tour.json"));
    f.host.make_active("curve");
    f.host.select_points("curve", {1});
    QApplication::processEvents();
    long painted = f.view().paint_count();
    for (int i = 0; i < 20; ++i) {
        f.host.idle_tick();
        QApplication::processEvents();
    }
    EXPECT_EQ(f.view().paint_count(), painted);
    host::move_point(*f.host.scene(), "ball", 0, {1, 1, 1});
    QApplication::processEvents();
    EXPECT_GT(f.view().paint_count(), painted) << "a change is drawn";
}

TEST(LargeScene, AClickOnALargeMeshSelectsTheVertexUnderIt) {
    view_fixture f;
    f.start(grid_scene(f.dir, 300, 300));  // 90,000 vertices
    f.view().zoom_by(20);                   // vertices some pixels apart
    for (int index : {0, 299, 45150, 89999}) {
        vec3 world{static_cast<float>(index % 300), static_cast<float>(index / 300), 0};
        f.centre_on(world);
        f.click(f.at(world) + QPoint(2, -1));
        ASSERT_NE(f.host.scene()->active_shape(), nullptr);
        EXPECT_EQ(f.selected(), std::vector<int>{index});
    }
}

// A drag updates only the vertex it moves: the view still finds every vertex where it is
// now, the dragged one too, after the drag, its undo and its redo.
TEST(LargeScene, ADraggedVertexIsPickedWhereItIsNowThroughUndoAndRedo) {
    view_fixture f;
    f.start(grid_scene(f.dir, 300, 300));
    f.view().zoom_by(20);  // vertices tens of pixels apart
    vec3 from{150, 150, 0};
    QApplication::processEvents();  // the view at its size in the window
    f.centre_on(from);
    QPoint was = f.at(from), apart = f.at({151, 150, 0}) - was;
    // Between four vertices, some cells of the view's grid away.
    QPoint now = was + QPoint(apart.x() * 5 / 2, -apart.x() * 5 / 2);
    QTest::mousePress(&f.view(), Qt::LeftButton, {}, was);
    for (QPoint to : {was + QPoint(5, -5), now}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), f.view().mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.view(), &move);
    }
    QTest::mouseRelease(&f.view(), Qt::LeftButton, {}, now);
    auto found = [&](QPoint at) {
        QApplication::processEvents();
        std::vector<int> indices;
        for (auto const& p : f.view().points_at(at)) indices.push_back(p.move_index);
        return indices;
    };
    int const dragged = 150 * 300 + 150;
    EXPECT_EQ(found(now), std::vector<int>{dragged});
    EXPECT_TRUE(found(was).empty());
    EXPECT_EQ(found(was + apart).size(), 1u) << "its neighbour stays where it was";
    ASSERT_TRUE(f.host.undo());
    EXPECT_EQ(found(was), std::vector<int>{dragged});
    EXPECT_TRUE(found(now).empty());
    ASSERT_TRUE(f.host.redo());
    EXPECT_EQ(found(now), std::vector<int>{dragged});
}

TEST(Picking, TheActiveShapesPointWinsOverAnotherShapesAtThePlace) {
    view_fixture f;
    // A sphere exactly on vertex 4 of the grid.
    f.start(grid_scene(f.dir, 3, 3, R"(, {"name": "ball", "type": "sphere", "center": [1, 1, 0]})"));
    f.host.make_active("grid");
    f.click(f.at({1, 1, 0}));
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "grid");
    EXPECT_EQ(f.selected(), std::vector<int>{4});
    f.host.make_active("ball");
    f.click(f.at({1, 1, 0}) + QPoint(0, 20));  // elsewhere first: a new click, not a repeat
    f.click(f.at({1, 1, 0}));
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "ball");
}

TEST(Picking, RepeatedClicksGoRoundCoincidentPoints) {
    view_fixture f;
    f.start(grid_scene(f.dir, 3, 3, R"(, {"name": "ball", "type": "sphere", "center": [1, 1, 0]})"));
    f.host.make_active("grid");
    QPoint there = f.at({1, 1, 0});
    f.click(there);
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "grid");
    f.click(there);
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "ball");
    f.click(there);
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "grid");
    EXPECT_EQ(f.selected(), std::vector<int>{4});
}

TEST(Picking, AHandleIsPickedAndDraggedWithItsGrabOffset) {
    view_fixture f;
    f.start(studio_test::example("tour.json"));
    f.view().set_projection(studio::projection::top);
    f.view().fit();
    std::optional<studio::scene_point> handle;
    for (auto const& p : f.view().points())
        if (p.kind == role::handle && p.path == "curve" && p.handle == 2 && p.move_index == 1) handle = p;
    ASSERT_TRUE(handle);
    auto const before = f.host.scene()->find("curve")->geometry.points[1];
    ASSERT_NE(std::memcmp(&before.out, &before.anchor, sizeof(vec3)), 0) << "the handle has a place of its own";
    // Grabbed two pixels off its centre: the handle keeps those two pixels to the pointer.
    QPoint grab = f.at(handle->world) + QPoint(2, 0);
    QTest::mousePress(&f.view(), Qt::LeftButton, {}, grab);
    QPoint to = grab + QPoint(30, 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), f.view().mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.view(), &move);
    QTest::mouseRelease(&f.view(), Qt::LeftButton, {}, to);
    auto const after = f.host.scene()->find("curve")->geometry.points[1];
    EXPECT_EQ(std::memcmp(&after.anchor, &before.anchor, sizeof(vec3)), 0) << "the anchor stays";
    EXPECT_NEAR(f.view().to_screen(after.out).x() - f.view().to_screen(before.out).x(), 30, 0.6);
    EXPECT_EQ(after.out.y, before.out.y);
    EXPECT_EQ(f.selected(), std::vector<int>{1}) << "the handle's control point is selected";
    EXPECT_TRUE(f.host.undo());
}

TEST(Picking, ShiftKeepsADragOnOneAxis) {
    view_fixture f;
    f.start(studio_test::example("tour.json"));
    f.view().set_projection(studio::projection::top);
    vec3 before = f.host.scene()->find("ball")->geometry.center;
    QPoint from = f.at(before);
    QTest::mousePress(&f.view(), Qt::LeftButton, {}, from);
    QPoint to = from + QPoint(12, 40);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), f.view().mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&f.view(), &move);
    QTest::mouseRelease(&f.view(), Qt::LeftButton, Qt::ShiftModifier, to);
    vec3 after = f.host.scene()->find("ball")->geometry.center;
    EXPECT_EQ(after.x, before.x) << "the mouse went furthest along Y";
    EXPECT_LT(after.y, before.y);
    EXPECT_EQ(after.z, before.z);
}

}  // namespace
