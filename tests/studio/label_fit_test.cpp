// The plug-in's labels in the vexel window at scale 1, in English and Japanese: each one
// whole in the plug-in's fixed rectangle, in a font no smaller than the readable least.
// Runs under Qt's offscreen platform.
#include <set>
#include <string>

#include <QAbstractButton>

#include "fitted_controls.h"
#include "studio_fixture.h"
#include "window_controls.h"

namespace {

using namespace script::vexel_controls;

// Checks every shown label of tool and adds its text to seen.
void expect_readable(studio::vexel_window_widget& tool, std::set<QString>& seen) {
    for (int i = 0; i < tool.control_count(); ++i) {
        QWidget* w = tool.control_widget(i);
        bool cut = false;
        QString text;
        if (auto* b = dynamic_cast<studio::fitted_button*>(w)) cut = b->cut(), text = b->text();
        if (auto* c = dynamic_cast<studio::fitted_check_box*>(w)) cut = c->cut(), text = c->text();
        if (auto* l = dynamic_cast<studio::fitted_label*>(w)) cut = l->cut(), text = l->text();
        if (w->isHidden() || text.trimmed().isEmpty()) continue;
        seen.insert(text.trimmed());
        EXPECT_FALSE(cut) << '"' << text.toStdString() << "\" in " << w->width() << " pixels";
        EXPECT_GE(w->font().pixelSize(), studio::least_font_pixels) << '"' << text.toStdString() << '"';
    }
}

struct language_labels {
    char const* lang;
    std::set<QString> mode_labels;  // the labels only the other modes show
};

class LabelFit : public testing::TestWithParam<language_labels> {};

TEST_P(LabelFit, EveryLabelAtScaleOneIsWholeAndReadable) {
    studio_test::studio_fixture f(0, GetParam().lang);
    ASSERT_TRUE(f.host.start(studio_test::example("tour.json")));
    f.window.show();
    f.host.make_active("curve");
    f.host.select_points("curve", {1});
    f.host.idle_tick();
    f.host.idle_tick();
    studio::vexel_window_widget& tool = f.window.vexel();
    std::set<QString> seen;
    expect_readable(tool, seen);
    // "Glo.", then the handle modes one after the other.
    for (int mode_button : {extra(0), extra(1), extra(1), extra(1)}) {
        qobject_cast<QAbstractButton*>(tool.control_widget(mode_button))->click();
        f.host.idle_tick();
        expect_readable(tool, seen);
    }
    for (QString const& label : GetParam().mode_labels)
        EXPECT_TRUE(seen.count(label)) << label.toStdString() << " was shown";
}

INSTANTIATE_TEST_SUITE_P(StudioWidgets, LabelFit,
                         testing::Values(language_labels{"en", {"Snap", "Glo.", "I b.", "O b.", "Abs."}},
                                         language_labels{"ja", {"スナップ", "Glo.", "I長", "O長", "絶対"}}),
                         [](auto const& info) { return std::string(info.param.lang); });

}  // namespace
