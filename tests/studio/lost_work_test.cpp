// No lost work: a changed scene is marked in the title, and every way of leaving it
// (quitting, closing, opening another scene, switching the language) asks to save it
// first; one Quit ends the studio even while the vexel window is shown.
#include <filesystem>
#include <fstream>

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "scene_files/scene_file.h"
#include "scene/scene_edits.h"
#include "studio_fixture.h"
#include "window_controls.h"

namespace {

using studio_test::answer_next_box;
using studio_test::studio_fixture;
using studio_test::when_a_box_opens;

// The studio on a copy of the tour in the test's folder, as a person has it.
struct work_fixture : studio_fixture {
    explicit work_fixture(int prefs_word = 0) : studio_fixture(prefs_word) {
        std::filesystem::copy_file(studio_test::example("tour.json"), scene_file);
        EXPECT_TRUE(start_for_a_person(scene_file));
    }
    void change_the_scene() { host::move_point(*host.scene(), "ball", 0, {7, 7, 7}); }
    float ball_x_on_disk() const { return host::load_scene_file(scene_file)->find("ball")->geometry.center.x; }

    // Types text into row 0's X box of the vexel window and clicks "App.".
    void apply(char const* text) {
        auto* field = qobject_cast<QLineEdit*>(window.vexel().control_widget(script::vexel_controls::box(0, 0)));
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::mouseClick(qobject_cast<QPushButton*>(window.vexel().control_widget(script::vexel_controls::app)),
                          Qt::LeftButton);
    }
    void show_curve_point_1() {
        host.make_active("curve");
        host.select_points("curve", {1});
        host.idle_tick();
    }

    std::string scene_file = dir.file("tour.json");
};

TEST(LostWork, TheMarkFollowsTheScenesContent) {
    work_fixture f(4);  // the plug-in's undo setting on
    f.show_curve_point_1();
    f.apply("10");  // the value shown: an edit that changes nothing
    EXPECT_FALSE(f.window.isWindowModified()) << "an App. that changed nothing";
    f.apply("12.5");
    EXPECT_TRUE(f.window.isWindowModified());
    ASSERT_TRUE(f.host.undo());
    EXPECT_FALSE(f.window.isWindowModified()) << "undone back to the state opened";
    ASSERT_TRUE(f.host.redo());
    EXPECT_TRUE(f.window.isWindowModified());
    ASSERT_TRUE(f.window.save_file(false));
    EXPECT_FALSE(f.window.isWindowModified());
    ASSERT_TRUE(f.host.undo());
    EXPECT_TRUE(f.window.isWindowModified()) << "undone past the save";
    ASSERT_TRUE(f.host.redo());
    EXPECT_FALSE(f.window.isWindowModified()) << "back at the state saved";
}

TEST(LostWork, AnEditThatCannotBeUndoneSaysOnceHowToSwitchUndoOn) {
    work_fixture f;  // a first run: the plug-in's undo setting off
    f.show_curve_point_1();
    f.apply("12.5");
    QString said = f.window.statusBar()->currentMessage();
    EXPECT_TRUE(said.contains("Activate undo.")) << said.toStdString();
    EXPECT_FALSE(f.host.can_undo()) << "the plug-in's setting stays as it was";
    f.window.statusBar()->clearMessage();
    f.apply("13.5");
    EXPECT_TRUE(f.window.statusBar()->currentMessage().isEmpty()) << "said once";
}

TEST(LostWork, AChangeMarksTheTitleUntilTheSceneIsSaved) {
    work_fixture f;
    EXPECT_TRUE(f.window.windowTitle().startsWith("tour.json")) << f.window.windowTitle().toStdString();
    EXPECT_FALSE(f.window.isWindowModified());
    f.change_the_scene();
    EXPECT_TRUE(f.window.isWindowModified());
    ASSERT_TRUE(f.window.save_file(false));
    EXPECT_FALSE(f.window.isWindowModified());
    EXPECT_EQ(f.ball_x_on_disk(), 7.0f);
}

TEST(LostWork, ThePluginsEditMarksTheSceneAndSelectingDoesNot) {
    work_fixture f;
    f.host.make_active("curve");
    f.host.select_points("curve", {1});
    f.host.idle_tick();
    EXPECT_FALSE(f.host.modified()) << "selecting is no change";
    auto* field = qobject_cast<QLineEdit*>(f.window.vexel().control_widget(script::vexel_controls::box(0, 0)));
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, "12.5");
    QTest::mouseClick(qobject_cast<QPushButton*>(f.window.vexel().control_widget(script::vexel_controls::app)),
                      Qt::LeftButton);
    EXPECT_TRUE(f.host.modified());
    EXPECT_TRUE(f.window.isWindowModified());
}

// Each way of leaving a changed scene asks; Cancel keeps everything as it was.
struct leaving_case {
    char const* name;
    std::function<void(work_fixture&)> leave;
};

class LeavingAChangedScene : public ::testing::TestWithParam<leaving_case> {};

TEST_P(LeavingAChangedScene, AsksToSaveAndCancelKeepsTheScene) {
    work_fixture f;
    f.change_the_scene();
    bool asked = false;
    when_a_box_opens([&](QMessageBox& box) {
        asked = true;
        // Either the save question or the language switch's, which offers to save.
        for (QAbstractButton* b : box.buttons())
            if (box.buttonRole(b) == QMessageBox::RejectRole) return b->click();
    });
    GetParam().leave(f);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.host.scene()->find("ball")->geometry.center.x, 7.0f);
    EXPECT_EQ(f.host.language(), "en");
    EXPECT_TRUE(f.host.modified());
}

INSTANTIATE_TEST_SUITE_P(
    Studio, LeavingAChangedScene,
    ::testing::Values(leaving_case{"close", [](work_fixture& f) { f.window.close(); }},
                      leaving_case{"open", [](work_fixture& f) { f.window.open_file(); }},
                      leaving_case{"language", [](work_fixture& f) { f.window.switch_language("ja"); }},
                      leaving_case{"quit", [](work_fixture& f) {
                                       f.window.findChild<QAction*>("quit_action")->trigger();
                                   }}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(LostWork, SaveInTheQuestionWritesTheSceneBeforeClosing) {
    work_fixture f;
    f.change_the_scene();
    std::string headline;
    answer_next_box(QMessageBox::Save, &headline);
    EXPECT_TRUE(f.window.close());
    EXPECT_EQ(headline, "Save the changes to tour.json?");
    EXPECT_EQ(f.ball_x_on_disk(), 7.0f);
}

TEST(LostWork, DontSaveClosesAndLeavesTheFileAsItWas) {
    work_fixture f;
    float before = f.ball_x_on_disk();
    f.change_the_scene();
    answer_next_box(QMessageBox::Discard);
    EXPECT_TRUE(f.window.close());
    EXPECT_EQ(f.ball_x_on_disk(), before);
}

TEST(LostWork, AnUnchangedSceneClosesWithoutAQuestion) {
    work_fixture f;
    bool asked = false;
    when_a_box_opens([&](QMessageBox& box) {
        asked = true;
        box.reject();
    });
    EXPECT_TRUE(f.window.close());
    QApplication::processEvents();
    EXPECT_FALSE(asked);
}

TEST(Quit, OneQuitEndsTheStudioWhileTheVexelWindowIsShown) {
    work_fixture f;
    f.host.show_window();
    ASSERT_TRUE(f.window.vexel().isVisible());
    // A quit that is held up leaves the loop running until the guard ends it with 2.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    guard.start(3000);
    QTimer::singleShot(0, [&] { f.window.findChild<QAction*>("quit_action")->trigger(); });
    int status = QApplication::exec();
    guard.stop();
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(f.window.isVisible());
}

}  // namespace

namespace {

// The smaller things a person meets: the outline's type column in the studio's language,
// Ctrl+= zooms in as Ctrl++ does.
TEST(PersonsWay, TheOutlineSpeaksTheLanguageAndCtrlEqualsZoomsIn) {
    studio_test::studio_fixture f(0, "ja");
    ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
    EXPECT_EQ(f.window.outline().item_of("curve")->text(1).toStdString(), "ライン");
    EXPECT_EQ(f.window.outline().item_of("hull")->text(1).toStdString(), "ポリゴンメッシュ");
    double zoom = f.window.view().zoom();
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window.view(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_GT(f.window.view().zoom(), zoom);
}

}  // namespace
