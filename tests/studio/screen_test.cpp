// A real window on an X server (run under xvfb-run): the vexel window is mapped, and what
// the screen shows at its buttons is the buttons' own drawing at the plug-in's rectangles.
#include <cstring>
#include <filesystem>
#include <functional>

#include <QMouseEvent>

#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "fitted_controls.h"
#include "main_window.h"
#include "studio_fixture.h"
#include "studio_test_main.h"
#include "window_controls.h"

namespace {

// A loaded machine (the tests run two at a time beside the builds) maps a window late.
int const exposed_within = 20000;

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
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool, exposed_within));
    host::window_state model = host.window_model();
    int const shown[] = {script::vexel_controls::app, script::vexel_controls::ref};
    QImage shot;
    auto drawn = [&](int index) {
        host::control_state const& c = model.controls[index];
        QImage alone = tool.control_widget(index)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return alone == shot.copy(c.x, c.y, c.w, c.h);
    };
    // A loaded X server shows the window's first drawing late: the screen is looked at
    // until it shows the buttons, or the time is up (the checks below say what it lacked).
    (void)QTest::qWaitFor([&] {
        QPoint origin = tool.mapToGlobal(QPoint(0, 0));
        QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(),
                                                                      model.client.x, model.client.y);
        shot = screen.toImage().convertToFormat(QImage::Format_RGB32);
        return shot.size() == QSize(model.client.x, model.client.y) && drawn(shown[0]) && drawn(shown[1]);
    }, exposed_within);
    ASSERT_EQ(shot.size(), QSize(model.client.x, model.client.y));
    for (int index : shown) EXPECT_TRUE(drawn(index)) << model.controls[index].text;
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
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool, exposed_within));
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

// A person at the studio under a window manager, with the real mouse and keyboard of the
// X server (xdotool), on the tour in the top view, where curve point 1's "L in" and "L out"
// handles lie under its anchor.
// What the X server delivered to the studio's windows: a test waits for the event that ends
// what xdotool did, not for a fixed time, which a loaded machine outlasts (the window
// manager's grab holds a press until it has run).
struct delivered : QObject {
    bool eventFilter(QObject* to, QEvent* e) override {
        if (!to->isWindowType()) return false;  // each event once, at its window
        if (e->type() == QEvent::MouseButtonRelease) ++releases;
        if (e->type() == QEvent::KeyRelease) ++key_releases;
        if (e->type() == QEvent::MouseMove) {
            auto* m = static_cast<QMouseEvent*>(e);
            dragged_to = m->buttons() & Qt::LeftButton ? m->globalPosition().toPoint() : QPoint(-1, -1);
        }
        return false;
    }
    int releases = 0, key_releases = 0;
    QPoint dragged_to{-1, -1};
};

// Generous: under load a window manager and the studio may each wait seconds for a core.
int const delivered_within = 10000;

struct person : studio_test::studio_fixture {
    person(std::string const& lang, int scale) : studio_fixture(0, lang) {
        // The window manager says it is up by making a file; a window mapped before it
        // runs is not framed as a person sees it.
        std::string up = dir.file("manager-up");
        manager.start("openbox", {"--startup", QString::fromStdString("touch " + up)});
        EXPECT_TRUE(manager.waitForStarted()) << "openbox (tools/install-deps installs it)";
        EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(up); }, exposed_within))
            << "openbox did not start";
        EXPECT_TRUE(start_for_a_person(studio_test::example("tour.json")));
        window.set_window_scale(scale);
        window.view().set_projection(studio::projection::top);
        window.view().fit();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window, exposed_within));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window.vexel(), exposed_within));
        QTest::qWait(300);
        qApp->installEventFilter(&seen);
    }
    ~person() {
        qApp->removeEventFilter(&seen);
        manager.terminate();
        manager.waitForFinished();
    }
    // Runs xdotool, then waits until done() holds (the events it made were handled).
    void xdo(QStringList const& words, std::function<bool()> const& done) {
        EXPECT_EQ(QProcess::execute("xdotool", words), 0) << words.join(' ').toStdString();
        EXPECT_TRUE(QTest::qWaitFor(done, delivered_within))
            << "not delivered within " << delivered_within << " ms: " << words.join(' ').toStdString();
    }
    // A pointer move without a button: its event comes in order before the next press.
    void move_to(QPoint at) {
        EXPECT_EQ(QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())}), 0);
    }
    void press_keys(QString const& keys) {
        int want = seen.key_releases + static_cast<int>(keys.split('+').size());
        xdo({"key", keys}, [&] { return seen.key_releases >= want; });
    }
    void release() {
        int want = seen.releases + 1;
        xdo({"mouseup", "1"}, [&] { return seen.releases >= want; });
    }
    void minimize(QWidget& w) {
        xdo({"windowminimize", QString::number(w.winId())},
            [&] { return bool(w.windowHandle()->windowState() & Qt::WindowMinimized); });
    }
    QPoint screen_of(vec3 const& local) {
        vec3 world = host::transform(local, host.scene()->find("curve")->world_matrix());
        return window.view().mapToGlobal(window.view().to_screen(world).toPoint());
    }
    host::control_point_data& point(int i) { return host.scene()->find("curve")->geometry.points[i]; }
    void click(QPoint at) {
        move_to(at);
        int want = seen.releases + 1;
        xdo({"click", "1"}, [&] { return seen.releases >= want; });
    }
    // Presses at from and moves right by dx in steps, at once as a quick hand does (no idle
    // tick comes between); then, unless escape, releases there. Each part is handled before
    // the next is sent: a key is not held by the window manager's grab as a press is.
    void drag(QPoint from, int dx, bool escape = false) {
        move_to(from);
        QStringList words{"mousedown", "1"};
        for (int x : {dx / 4, dx / 2, dx})
            words << "mousemove" << QString::number(from.x() + x) << QString::number(from.y());
        QPoint end(from.x() + dx, from.y());
        seen.dragged_to = QPoint(-1, -1);
        xdo(words, [&] { return seen.dragged_to == end; });
        if (escape) press_keys("Escape");
        release();
    }
    // The point number the vexel window shows (-1 while it shows none), and its row 0 X.
    int shown_number() {
        std::string shown = text(script::vexel_controls::point_number);
        return shown.empty() ? -1 : std::stoi(shown);
    }
    float shown_x() { return std::stof(text(script::vexel_controls::box(0, 0))); }
    std::string text(int control) { return host.window_model().controls[control].text; }
    void picture(char const* name) {
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLatin1(name));
    }
    QProcess manager;
    delivered seen;
};

bool same(vec3 a, vec3 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class ClickAndDrag : public testing::TestWithParam<std::pair<char const*, int>> {};

TEST_P(ClickAndDrag, APersonsDragMovesWhatWasPressedOnAndTheWindowFollows) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under xvfb-run";
    auto [lang, scale] = GetParam();
    person p(lang, scale);
    host::control_point_data const start = p.point(1);
    QPoint one = p.screen_of(start.anchor);

    // Click point 2, then point 1, then press on point 1 again and drag: the anchor moves
    // (with its handles), not the handle under it.
    p.click(p.screen_of(p.point(2).anchor));
    EXPECT_EQ(p.shown_number(), 2);
    p.click(one);
    EXPECT_EQ(p.shown_number(), 1);
    p.drag(one, 40);
    EXPECT_GT(p.point(1).anchor.x, start.anchor.x + 0.5f);
    EXPECT_FLOAT_EQ(p.point(1).l_in.x - p.point(1).anchor.x, start.l_in.x - start.anchor.x);
    EXPECT_EQ(p.shown_number(), 1);
    EXPECT_NEAR(p.shown_x(), p.point(1).anchor.x, 1e-4);
    // The screen shows the active (red) anchor where it is now and not where it was: the
    // drag's repaints of the parts that moved reached the screen (a loaded X server may
    // draw them late).
    QImage screen;
    auto red = [&](QPoint at) { return screen.pixelColor(at) == QColor(220, 40, 40); };
    (void)QTest::qWaitFor([&] {
        screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        return red(p.screen_of(p.point(1).anchor)) && !red(one);
    }, delivered_within);
    EXPECT_TRUE(red(p.screen_of(p.point(1).anchor)));
    EXPECT_FALSE(red(one));
    p.picture((std::string("studio-drag-") + lang + "-" + std::to_string(scale) + "x.png").c_str());
    p.press_keys("ctrl+z");
    EXPECT_TRUE(same(p.point(1).anchor, start.anchor)) << "Ctrl+Z puts it back";

    // A click without movement on the selected anchor goes on to the handle under it; a
    // drag from there moves that handle alone.
    p.click(one);
    p.drag(one, 40);
    EXPECT_TRUE(same(p.point(1).anchor, start.anchor));
    EXPECT_GT(p.point(1).l_in.x, start.l_in.x + 0.5f);
    EXPECT_TRUE(same(p.point(1).l_out, start.l_out));
    EXPECT_EQ(p.shown_number(), 1);
    p.press_keys("ctrl+z");
    EXPECT_TRUE(same(p.point(1).l_in, start.l_in));

    // Escape during a drag puts the point back and leaves no undo step.
    std::size_t steps = p.host.scene()->undo_records().step_count();
    p.drag(one, 40, true);
    EXPECT_TRUE(same(p.point(1).anchor, start.anchor));
    EXPECT_TRUE(same(p.point(1).l_in, start.l_in));
    EXPECT_EQ(p.host.scene()->undo_records().step_count(), steps);

    // A drag that selects: point 2, never clicked, is shown with its number and values.
    vec3 two = p.point(2).anchor;
    p.drag(p.screen_of(two), 30);
    EXPECT_GT(p.point(2).anchor.x, two.x);
    EXPECT_EQ(p.shown_number(), 2);
    EXPECT_NEAR(p.shown_x(), p.point(2).anchor.x, 1e-4);
}

// The tool window on a first run (no kept place): it appears inside the screen and a
// selection does not move it; twice the scale keeps it on the screen; minimized by the
// window manager, it goes alone and the main window stays.
TEST(Screen, TheToolWindowStaysOnTheScreenAndIsMinimizedAlone) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under xvfb-run";
    person p("en", 1);
    studio::vexel_window_widget& tool = p.window.vexel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool, exposed_within));
    QRect screen = tool.screen()->availableGeometry();
    QPoint first = tool.frame_place();
    p.click(p.screen_of(p.point(1).anchor));
    ASSERT_EQ(p.shown_number(), 1);
    QTest::qWait(300);
    EXPECT_EQ(tool.frame_place(), first);

    p.window.set_window_scale(2);
    host::window_state model = p.host.window_model();
    (void)QTest::qWaitFor([&] {
        return tool.size() == QSize(model.client.x * 2, model.client.y * 2) && screen.contains(tool.frameGeometry());
    }, delivered_within);
    EXPECT_TRUE(screen.contains(tool.frameGeometry())) << "frame at " << tool.frameGeometry().x() << ","
                                                       << tool.frameGeometry().y() << " "
                                                       << tool.frameGeometry().width() << " wide";
    EXPECT_EQ(tool.size(), QSize(model.client.x * 2, model.client.y * 2));

    p.minimize(tool);
    QTest::qWait(300);  // time for the main window to go wrongly with it
    EXPECT_TRUE(tool.windowHandle()->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(p.window.windowHandle()->windowState() & Qt::WindowMinimized);
    // As the X server sees it: the main window is still mapped.
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--name", "^tour\\.json - vexel-studio$"});
    ASSERT_TRUE(search.waitForFinished());
    EXPECT_EQ(search.readAllStandardOutput().trimmed().toULongLong(), p.window.winId());
}

INSTANTIATE_TEST_SUITE_P(Screen, ClickAndDrag,
                         testing::Values(std::pair{"en", 1}, std::pair{"en", 2}, std::pair{"ja", 1},
                                         std::pair{"ja", 2}));

}  // namespace

VEXEL_STUDIO_TEST_MAIN
