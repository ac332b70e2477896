// A real window on an X server (run under xvfb-run): the vexel window is mapped, and what
// the screen shows at its buttons is the buttons' own drawing at the plug-in's rectangles.
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "fitted_controls.h"
#include "main_window.h"
#include "studio_test_main.h"
#include "window_controls.h"

namespace {

TEST(Screen, TheVexelWindowOnTheScreenShowsItsButtonsWhereThePluginPlacedThem) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under xvfb-run";
    studio::studio_host host{{VEXEL_MODULE_PATH, "en", ""}};
    studio::main_window window(host);
    ASSERT_TRUE(host.start(std::string(VEXEL_SOURCE_DIR) + "/examples/tour.json"));
    host.make_active("curve");
    host.select_points("curve", {1});
    host.idle_tick();
    host.idle_tick();
    window.show();
    studio::vexel_window_widget& tool = window.vexel();
    tool.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool));
    QTest::qWait(300);
    host::window_state model = host.window_model();
    QPoint origin = tool.mapToGlobal(QPoint(0, 0));
    QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(),
                                                                  model.client.x, model.client.y);
    QImage shot = screen.toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(model.client.x, model.client.y));
    for (int index : {script::vexel_controls::app, script::vexel_controls::ref}) {
        host::control_state const& c = model.controls[index];
        QImage alone = tool.control_widget(index)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(alone == shot.copy(c.x, c.y, c.w, c.h)) << c.text;
    }
}

// Every text of the plug-in's controls in Japanese at twice the scale: the fonts fitted to
// the controls leave no text cut. The picture is kept for a person to look at.
TEST(Screen, TheJapaneseWindowAtTwiceTheScaleShowsEveryTextWhole) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under xvfb-run";
    studio::studio_host host{{VEXEL_MODULE_PATH, "ja", ""}};
    studio::main_window window(host);
    ASSERT_TRUE(host.start(std::string(VEXEL_SOURCE_DIR) + "/examples/tour.json"));
    host.make_active("curve");
    host.select_points("curve", {1});
    host.idle_tick();
    host.idle_tick();
    window.set_window_scale(2);
    window.show();
    studio::vexel_window_widget& tool = window.vexel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool));
    QTest::qWait(200);
    int checked = 0;
    for (int i = 0; i < tool.control_count(); ++i) {
        QWidget* w = tool.control_widget(i);
        if (w->isHidden()) continue;
        bool cut = false;
        QString text;
        if (auto* b = dynamic_cast<studio::fitted_button*>(w)) cut = b->cut(), text = b->text();
        if (auto* c = dynamic_cast<studio::fitted_check_box*>(w)) cut = c->cut(), text = c->text();
        if (auto* l = dynamic_cast<studio::fitted_label*>(w)) cut = l->cut(), text = l->text();
        if (text.isEmpty()) continue;
        ++checked;
        EXPECT_FALSE(cut) << "control " << i << " \"" << text.toStdString() << "\" at "
                          << w->width() << " pixels, font " << w->font().pixelSize();
    }
    EXPECT_GT(checked, 10);
    tool.grab().save("vexel-window-ja-2x.png");
}

}  // namespace

VEXEL_STUDIO_TEST_MAIN
