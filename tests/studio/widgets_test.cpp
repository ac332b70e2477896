// The studio's widgets are the plug-in's controls: what a person does to them reaches the
// scene, and what the pictures show is where the plug-in placed it. Runs under Qt's
// offscreen platform.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "checks/host_checks.h"
#include "main_window.h"
#include "script_player.h"
#include "settings_dialog.h"
#include "studio_test_main.h"
#include "window_controls.h"

namespace {

using namespace script::vexel_controls;

std::string const tour = std::string(VEXEL_SOURCE_DIR) + "/examples/tour.json";

// The studio on the tour scene with curve point 1 shown; prefs_word picks the settings
// (2: host number boxes, 0: plain text fields).
struct studio_fixture {
    explicit studio_fixture(int prefs_word) {
        std::filesystem::create_directories(dir);
        std::ofstream(dir + "/prefs.json")
            << R"({"d43b04ce-8713-4d82-8b7c-c79466f1bfd2": )" << prefs_word << "}";
        host.set_dialog_presenter(studio::dialog_presenter_for(&window, &answer));
        EXPECT_TRUE(host.start(tour));
        window.show();
        host.make_active("curve");
        host.select_points("curve", {1});
        host.idle_tick();
        host.idle_tick();
    }
    ~studio_fixture() { std::filesystem::remove_all(dir); }

    std::string dir = std::filesystem::temp_directory_path() /
                      ("vexel-studio-test-" + std::to_string(::getpid()));
    studio::studio_host host{{VEXEL_MODULE_PATH, "en", dir + "/prefs.json"}};
    studio::main_window window{host};
    host::dialog_answer answer;
};

QPushButton* button(studio_fixture& f, int index) {
    return qobject_cast<QPushButton*>(f.window.vexel().control_widget(index));
}

TEST(StudioWidgets, TypingIntoTheTextFieldAndClickingAppMovesThePoint) {
    studio_fixture f(0);
    auto* field = qobject_cast<QLineEdit*>(f.window.vexel().control_widget(box(0, 0)));
    ASSERT_NE(field, nullptr) << "row 0 x is a real text input";
    field->selectAll();
    QTest::keyClicks(field, "12.5");
    QPushButton* app = button(f, script::vexel_controls::app);
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(app->isEnabled());
    QTest::mouseClick(app, Qt::LeftButton);
    auto const& cp = f.host.scene()->find("curve")->geometry.points[1];
    EXPECT_FLOAT_EQ(cp.anchor.x, 12.5f);
    EXPECT_FLOAT_EQ(cp.anchor.y, 4.0f);
}

TEST(StudioWidgets, ANumberBoxTakesItsTextOnReturn) {
    studio_fixture f(2);
    auto* number = qobject_cast<QLineEdit*>(f.window.vexel().control_widget(box(0, 1)));
    ASSERT_NE(number, nullptr);
    ASSERT_EQ(f.host.window_model().controls[box(0, 1)].kind, host::control_kind::number);
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "-3.5");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(f.host.window_model().controls[box(0, 1)].value, -3.5);
    QTest::mouseClick(button(f, script::vexel_controls::app), Qt::LeftButton);
    EXPECT_FLOAT_EQ(f.host.scene()->find("curve")->geometry.points[1].anchor.y, -3.5f);
}

// What is no number, or beyond a float, is refused in the box itself, as a spin box does:
// the box shows its value again, a note says why, and the plug-in hears nothing of it.
TEST(StudioWidgets, ANumberBoxRefusesWhatIsNoNumberInTheBoxItself) {
    for (char const* typed : {"abc", "1e39", "-1e400", "12x"}) {
        studio_fixture f(2);
        auto* number = qobject_cast<QLineEdit*>(f.window.vexel().control_widget(box(0, 1)));
        ASSERT_NE(number, nullptr);
        QString shown = number->text();
        QString note;
        QObject::connect(&f.window.vexel(), &studio::vexel_window_widget::note,
                         [&](QString const& text) { note = text; });
        long calls = host::faults().calls();
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, typed);
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_EQ(number->text(), shown) << typed;
        EXPECT_NE(note.toStdString().find(typed), std::string::npos) << note.toStdString();
        EXPECT_EQ(host::faults().calls(), calls) << typed << ": the plug-in was called";
        EXPECT_EQ(f.host.failures(), 0) << typed;
    }
}

TEST(StudioWidgets, ThePluginHidesAndDisablesTheRealWidgets) {
    studio_fixture f(0);
    f.host.select_points("curve", {});
    f.host.idle_tick();
    // No point selected: the plug-in disables "App." and shrinks the window to its top bar.
    EXPECT_FALSE(button(f, script::vexel_controls::app)->isEnabled());
    EXPECT_EQ(f.window.vexel().height(), f.host.window_model().client.y);
    EXPECT_EQ(button(f, script::vexel_controls::app)->toolTip().toStdString(),
              f.host.window_model().controls[script::vexel_controls::app].tooltip);
}

TEST(StudioPictures, APictureIsTheClientAreaWithEachControlAtItsRectangle) {
    studio_fixture f(0);
    std::string png = f.dir + "/png";
    std::filesystem::create_directories(png);
    std::ostringstream out, err;
    studio::script_player player(f.host, f.window.vexel(), f.answer, out, err, png);
    ASSERT_TRUE(player.run(script::parse_script_text("click loc\ndump\n"))) << err.str();
    QImage picture(QString::fromStdString(png + "/001.png"));
    ASSERT_FALSE(picture.isNull());
    host::window_state model = f.host.window_model();
    EXPECT_EQ(picture.width(), model.client.x);
    EXPECT_EQ(picture.height(), model.client.y);
    // The "Glo." button's own drawing sits exactly at the rectangle the plug-in gave it.
    for (int index : {script::vexel_controls::app, extra(0)}) {
        host::control_state const& c = model.controls[index];
        QImage alone = f.window.vexel().control_widget(index)->grab().toImage().convertToFormat(
            QImage::Format_RGB32);
        QImage there = picture.copy(c.x, c.y, c.w, c.h).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(alone.size(), QSize(c.w, c.h));
        EXPECT_TRUE(alone == there) << "control " << index << " \"" << c.text << "\"";
    }
}

TEST(StudioSettings, TheSettingsDialogIsARealDialogAnsweredThroughItsCheckBoxes) {
    studio_fixture f(0);
    f.answer.choices = {{12, true}};
    f.window.vexel().set_next_action(2);
    QTest::mouseClick(button(f, script::vexel_controls::ref), Qt::LeftButton);
    // The host's record of the dialog run shows the item as the real check box left it.
    auto const& run = f.host.app().last_dialog();
    ASSERT_EQ(run.items.size(), 3u);
    EXPECT_EQ(run.items[2].id, 12);
    EXPECT_TRUE(run.items[2].value);
    EXPECT_FALSE(run.items[0].value);
}

}  // namespace

VEXEL_STUDIO_TEST_MAIN
