// The vexel window's place: it opens beside the main window, never over its menu bar, and
// where the person put it is kept across runs and language switches.
#include <QMenuBar>
#include <QTest>

#include "studio_fixture.h"

namespace {

using studio_test::studio_fixture;

QRect on_screen(QWidget& w) { return QRect(w.mapToGlobal(QPoint(0, 0)), w.size()); }

TEST(WindowPlace, TheVexelWindowOpensClearOfTheMenuBar) {
    studio_fixture f;
    ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
    QRect tool = f.window.vexel().frameGeometry();
    EXPECT_FALSE(tool.intersects(on_screen(*f.window.menuBar())))
        << "tool at " << tool.x() << "," << tool.y();
    EXPECT_EQ(f.host.window_model().frame.left, f.window.vexel().pos().x()) << "the host's frame follows";
}

TEST(WindowPlace, WhereThePersonPutTheWindowIsKeptAcrossRunsAndLanguageSwitches) {
    // A file of its own: each fixture empties its scratch folder.
    std::string file = (std::filesystem::temp_directory_path() /
                        ("vexel-place-" + std::to_string(::getpid()) + ".ini")).string();
    std::filesystem::remove(file);
    QPoint put(333, 222);
    {
        studio_fixture f;
        studio::studio_settings kept(file);
        f.window.use_settings(&kept);
        ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
        f.window.vexel().move(put);  // the person drags the frame
        studio_test::when_a_box_opens([](QMessageBox& box) {
            for (QAbstractButton* b : box.buttons())
                if (box.buttonRole(b) == QMessageBox::DestructiveRole) return b->click();
        });
        f.window.switch_language("ja");
        EXPECT_EQ(f.window.vexel().pos(), put) << "after the switch";
        EXPECT_EQ(f.host.window_model().frame.left, put.x());
        f.window.close();
    }
    studio_fixture again;
    studio::studio_settings kept(file);
    again.window.use_settings(&kept);
    ASSERT_TRUE(again.start_for_a_person(studio_test::example("tour.json")));
    EXPECT_EQ(again.window.vexel().pos(), put) << "in the next run";
    std::filesystem::remove(file);
}

}  // namespace
