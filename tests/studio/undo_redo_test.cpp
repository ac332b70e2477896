// Undo for everything, and Redo: a drag in the view is one host undo step, Redo takes an
// undone step forward, and the Edit menu offers only steps that change something.
#include <cstring>

#include <QAction>
#include <QStatusBar>
#include <QPushButton>
#include <QTest>

#include "studio_fixture.h"
#include "window_controls.h"

namespace {

using studio_test::studio_fixture;

struct drag_fixture : studio_fixture {
    explicit drag_fixture(int prefs_word = 0) : studio_fixture(prefs_word) {
        EXPECT_TRUE(start_for_a_person(studio_test::example("tour.json")));
        window.view().resize(640, 480);
        window.view().set_projection(studio::projection::front);
        window.view().fit();
    }
    QPoint where(char const* path) {
        for (auto const& q : window.view().points())
            if (q.path == path && q.kind != studio::scene_point::role::handle)
                return window.view().to_screen(q.world).toPoint();
        ADD_FAILURE() << "no point of " << path;
        return {};
    }
    void drag(QPoint from, std::initializer_list<QPoint> through) {
        QWidget* view = &window.view();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QPoint last = from;
        for (QPoint to : through) {
            QMouseEvent move(QEvent::MouseMove, QPointF(to), view->mapToGlobal(QPointF(to)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view, &move);
            last = to;
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, last);
    }
    vec3 ball() { return host.scene()->find("ball")->geometry.center; }
    bool offered(char const* action) {
        QApplication::processEvents();  // the menu follows after the event
        return window.findChild<QAction*>(action)->isEnabled();
    }
};

TEST(UndoRedo, ADragIsOneUndoStepAndRedoTakesItForward) {
    drag_fixture f;
    vec3 before = f.ball();
    QPoint from = f.where("ball");
    f.drag(from, {from + QPoint(10, 0), from + QPoint(25, -5), from + QPoint(40, -20)});
    vec3 dragged = f.ball();
    ASSERT_NE(dragged.x, before.x);
    EXPECT_TRUE(f.offered("undo_action"));
    ASSERT_TRUE(f.host.undo());
    vec3 restored = f.ball();
    EXPECT_EQ(std::memcmp(&before, &restored, sizeof before), 0) << "every bit back, in one step";
    EXPECT_FALSE(f.host.can_undo());
    EXPECT_TRUE(f.offered("redo_action"));
    ASSERT_TRUE(f.host.redo());
    EXPECT_EQ(f.ball().x, dragged.x);
    EXPECT_EQ(f.ball().z, dragged.z);
}

TEST(UndoRedo, AClickWithoutADragLeavesNothingToUndo) {
    drag_fixture f;
    QTest::mouseClick(&f.window.view(), Qt::LeftButton, {}, f.where("ball"));
    EXPECT_EQ(f.host.scene()->active_shape()->path(), "ball");
    EXPECT_FALSE(f.host.can_undo());
    EXPECT_FALSE(f.offered("undo_action"));
}

TEST(UndoRedo, AnAppThatChangedNothingIsNotOfferedAsUndo) {
    drag_fixture f(4);  // the plug-in's undo setting on: every "App." opens an undo record
    f.host.make_active("ball");
    f.host.idle_tick();
    auto* app = qobject_cast<QPushButton*>(f.window.vexel().control_widget(script::vexel_controls::app));
    ASSERT_TRUE(app && app->isEnabled());
    QTest::mouseClick(app, Qt::LeftButton);
    EXPECT_EQ(f.host.scene()->undo_records().step_count(), 1u) << "the plug-in made its record";
    EXPECT_FALSE(f.offered("undo_action"));
    f.window.findChild<QAction*>("undo_action")->setEnabled(true);
    f.window.findChild<QAction*>("undo_action")->trigger();
    EXPECT_EQ(f.window.statusBar()->currentMessage().toStdString(), "Nothing to undo");
}

TEST(UndoRedo, RedoHasTheStandardShortcut) {
    drag_fixture f;
    EXPECT_FALSE(f.window.findChild<QAction*>("redo_action")->shortcut().isEmpty());
    EXPECT_FALSE(f.window.findChild<QAction*>("undo_action")->shortcut().isEmpty());
}

}  // namespace

