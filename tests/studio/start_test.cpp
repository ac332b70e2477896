// Opening a scene: a missing or broken scene at start leaves an empty studio with a box
// that names the file in plain words; a scene with an active shape shows its selected
// point in the vexel window at once, at start and through File > Open.
#include <filesystem>
#include <fstream>

#include <QMessageBox>

#include "studio_fixture.h"
#include "window_controls.h"

namespace {

using studio_test::studio_fixture;

// The box the studio shows about a scene it could not open; null when none is shown.
QMessageBox* problem_box(studio::main_window& window) {
    auto* box = window.findChild<QMessageBox*>("problem_box");
    return box && box->isVisible() ? box : nullptr;
}

struct broken_case {
    char const* name;
    char const* text;      // the file's text; null: no file at all
    bool folder;
    char const* in_words;  // what the box says is wrong
};

class ABrokenSceneAtStart : public ::testing::TestWithParam<broken_case> {};

TEST_P(ABrokenSceneAtStart, OpensAnEmptyStudioWithABoxNamingTheFile) {
    broken_case const& c = GetParam();
    studio_fixture f;
    std::string file = f.dir.file("tour.json");
    if (c.folder) std::filesystem::create_directories(file);
    if (c.text) std::ofstream(file) << c.text;
    ASSERT_TRUE(f.start_for_a_person(file)) << "the plug-in is loaded all the same";
    EXPECT_TRUE(f.host.loaded());
    EXPECT_TRUE(f.host.scene()->roots().empty());
    EXPECT_TRUE(f.window.isVisible());
    QMessageBox* box = problem_box(f.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), "Could not open tour.json");
    EXPECT_NE(box->informativeText().toStdString().find(c.in_words), std::string::npos)
        << box->informativeText().toStdString();
    EXPECT_EQ(box->informativeText().toStdString().find("json.exception"), std::string::npos);
    EXPECT_EQ(box->informativeText().toStdString().find("parse error"), std::string::npos);
    box->close();
}

INSTANTIATE_TEST_SUITE_P(
    Studio, ABrokenSceneAtStart,
    ::testing::Values(broken_case{"missing", nullptr, false, "There is no file at"},
                      broken_case{"folder", nullptr, true, "tour.json is a folder, not a scene file."},
                      broken_case{"malformed", "{\"shapes\": [", false,
                                  "Malformed JSON at line 1, column 13: the file ends before the scene is complete."},
                      broken_case{"bad_number", "{\"shapes\": [\n{\"center\": [1, -, 2]}]}", false,
                                  "Malformed JSON at line 2, column 17: the text there is not JSON"},
                      broken_case{"wrong", R"({"shapes": [{"name": "c", "type": "line", "points": [{"anchor": [1, 2]}]}]})",
                                  false, "expected 3 numbers, got 2"}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(StartUp, AGoodSceneShowsNoBox) {
    studio_fixture f;
    ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
    EXPECT_EQ(problem_box(f.window), nullptr);
}

char const* const active_scene = R"({"shapes": [
  {"name": "ball", "type": "sphere", "center": [9, 9, 9]},
  {"name": "curve", "type": "line", "active_points": [1],
   "points": [{"anchor": [1.5, 2.25, 3]}, {"anchor": [4.125, 5, 6.5]}]}],
  "active": "curve"})";

// The window shows the scene's selected point without an idle tick or "Ref.".
void expect_curve_point_shown(studio::studio_host& host) {
    host::window_state s = host.window_model();
    EXPECT_NE(s.title.find("[curve]"), std::string::npos) << s.title;
    EXPECT_NE(s.controls[script::vexel_controls::box(0, 0)].text.find("4.125"), std::string::npos);
}

TEST(TheOpenedScene, IsShownAtStart) {
    studio_fixture f;
    std::string file = f.dir.file("active.json");
    std::ofstream(file) << active_scene;
    ASSERT_TRUE(f.start_for_a_person(file));
    expect_curve_point_shown(f.host);
}

TEST(TheOpenedScene, IsShownAfterFileOpen) {
    studio_fixture f;
    ASSERT_TRUE(f.start_for_a_person(studio_test::example("tour.json")));
    std::string file = f.dir.file("active.json");
    std::ofstream(file) << active_scene;
    f.host.open_scene(file);
    expect_curve_point_shown(f.host);
}

TEST(TheOpenedScene, StaysShownAcrossALanguageSwitch) {
    studio_fixture f;
    std::string file = f.dir.file("active.json");
    std::ofstream(file) << active_scene;
    ASSERT_TRUE(f.start_for_a_person(file));
    studio_test::when_a_box_opens([](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons())
            if (box.buttonRole(b) == QMessageBox::DestructiveRole) return b->click();
    });
    f.window.switch_language("ja");
    EXPECT_EQ(f.host.language(), "ja");
    expect_curve_point_shown(f.host);
}

}  // namespace
