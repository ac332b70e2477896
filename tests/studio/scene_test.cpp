// The scene side of the studio: a saved scene loads back to the same scene, and the
// scene view's clicks and drags are the runner's select and move.
#include <unistd.h>

#include <filesystem>

#include <QImage>
#include <QTest>

#include "scene_files/scene_dump.h"
#include "scene_files/scene_writer.h"
#include "main_window.h"
#include "studio_test_main.h"

namespace {

std::string example(char const* name) { return std::string(VEXEL_SOURCE_DIR) + "/examples/" + name; }

TEST(SceneWriter, ASavedSceneLoadsBackToTheSameDump) {
    for (char const* name : {"tour.json", "scene-format.json"}) {
        auto scene = host::load_scene_file(example(name));
        std::string saved = host::scene_file_text(*scene);
        auto again = host::load_scene_text(saved, "saved");
        EXPECT_EQ(host::dump_scene_text(*again), host::dump_scene_text(*scene)) << name;
        EXPECT_EQ(host::scene_file_text(*again), saved) << name;
    }
}

struct view_fixture {
    view_fixture() {
        EXPECT_TRUE(host.start(example("tour.json")));
        window.show();
        window.view().resize(640, 480);
        window.view().fit();
    }
    studio::studio_host host{{VEXEL_MODULE_PATH, "en", ""}};
    studio::main_window window{host};

    QPoint where(std::string const& path, int index) {
        for (auto const& p : window.view().points())
            if (p.path == path && p.move_index == index &&
                p.kind != studio::scene_point::role::handle)
                return window.view().to_screen(p.world).toPoint();
        ADD_FAILURE() << "no point " << path << " " << index;
        return {};
    }
};

TEST(SceneView, LinesAreDrawnAsCurvesBetweenTheirControlPoints) {
    view_fixture f;
    f.window.view().set_projection(studio::projection::top);
    f.window.view().fit();
    QImage drawn = f.window.view().grab().toImage().convertToFormat(QImage::Format_RGB32);
    int curve_pixels = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            QColor c = drawn.pixelColor(x, y);
            curve_pixels += c.blue() > 120 && c.red() < 90 && c.green() < 110;
        }
    EXPECT_GT(curve_pixels, 200) << "the curve and the ribs of the surface part";
}

TEST(SceneView, AnotherSideKeepsTheZoomAndTheSharedAxisAtTheMiddle) {
    view_fixture f;
    f.window.view().set_projection(studio::projection::top);
    f.window.view().zoom_by(3);
    double zoom = f.window.view().zoom();
    float x_before = f.window.view().to_screen({1, 0, 0}).x();
    f.window.view().set_projection(studio::projection::front);
    EXPECT_EQ(f.window.view().zoom(), zoom);
    EXPECT_FLOAT_EQ(f.window.view().to_screen({1, 0, 0}).x(), x_before) << "X is across in both";
}

TEST(SceneView, ClickingAPointOfAnotherShapeMakesItActiveAndSelectsThePoint) {
    view_fixture f;
    f.window.view().set_projection(studio::projection::top);
    QTest::mouseClick(&f.window.view(), Qt::LeftButton, {}, f.where("hull", 2));
    ASSERT_NE(f.host.scene()->active_shape(), nullptr);
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "hull");
    EXPECT_EQ(f.host.scene()->active_shape()->active_points, std::vector<int>{2});
    // The plug-in follows at the next idle tick, as in the runner.
    f.host.idle_tick();
    f.host.idle_tick();
    EXPECT_EQ(f.host.window_model().title.find("[hull]") != std::string::npos, true);
}

TEST(SceneView, APointOfTheActivePartIsSelectedByItsNumberInThePart) {
    view_fixture f;
    f.host.make_active("wing");
    // Point 1 of the second rib is number 4 of the surface part (3 points per rib).
    QTest::mouseClick(&f.window.view(), Qt::LeftButton, {}, f.where("wing/rib1", 1));
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "wing");
    EXPECT_EQ(f.host.scene()->active_shape()->active_points, std::vector<int>{4});
}

TEST(SceneView, DraggingAPointInTheFrontViewMovesItInXAndZOnly) {
    view_fixture f;
    f.window.view().set_projection(studio::projection::front);
    QPoint from = f.where("ball", 0);
    QPoint to = from + QPoint(40, -20);
    QTest::mousePress(&f.window.view(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), f.window.view().mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.window.view(), &move);
    QTest::mouseRelease(&f.window.view(), Qt::LeftButton, {}, to);
    host::shape_node* ball = f.host.scene()->find("ball");
    vec3 c = ball->geometry.center;
    vec3 before = host::load_scene_file(example("tour.json"))->find("ball")->geometry.center;
    EXPECT_GT(c.x, before.x);
    EXPECT_GT(c.z, before.z);
    EXPECT_FLOAT_EQ(c.y, before.y);
    // A host-side edit the plug-in was told of; the drag is one undo step (undo_redo_test.cpp).
    EXPECT_EQ(f.host.scene()->find("ball"), ball);
}

}  // namespace
