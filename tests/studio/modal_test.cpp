// One message, one box: while a dialog or message box of the host is open, no idle tick
// reaches the plug-in, so a message of it is shown once.
#include <QTest>

#include "checks/host_checks.h"
#include "studio_fixture.h"
#include "window_controls.h"

namespace {

using studio_test::studio_fixture;

TEST(OneBox, APluginMessageIsShownOnceAndTheTicksWaitWhileItIsOpen) {
    studio_fixture f;
    ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
    int boxes = 0;
    long calls_when_shown = -1, calls_before_closing = -1;
    QObject::connect(&f.host, &studio::studio_host::message, [&] { ++boxes; });
    studio_test::when_a_box_opens([&](QMessageBox& box) {
        calls_when_shown = host::faults().calls();
        QTest::qWait(450);  // four or five ticks of the studio's timer
        calls_before_closing = host::faults().calls();
        box.accept();
    });
    // Switching the host number boxes on makes the plug-in say "Activate at restart.".
    f.answer.choices = {{11, true}};
    f.window.vexel().set_next_action(2);
    qobject_cast<QAbstractButton*>(f.window.vexel().control_widget(script::vexel_controls::ref))->click();
    EXPECT_EQ(boxes, 1);
    EXPECT_GE(calls_when_shown, 0) << "a box was shown";
    EXPECT_EQ(calls_before_closing, calls_when_shown) << "no host call while the box was open";
    QTest::qWait(250);
    EXPECT_EQ(boxes, 1);
    EXPECT_GT(host::faults().calls(), calls_before_closing) << "the ticks go on after the box";
}

}  // namespace
