// What one script line asks of a front end: perform over a performer that only records
// the person's actions on the window, on a host session with a scene and no plug-in.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "scene_files/scene_file.h"
#include "performer.h"

namespace {

using script::script_action;

// A window of the vexel layout whose boxes are text fields, but for row 1 y, a host
// number box.
host::window_state fake_window() {
    host::window_state w{};
    w.shown = true;
    for (int i = 0; i < script::vexel_controls::count; ++i) {
        host::control_state c{};
        c.kind = host::control_kind::text_field;
        w.controls.push_back(c);
    }
    w.controls[script::vexel_controls::box(1, 1)].kind = host::control_kind::number;
    return w;
}

class recording_performer final : public script::performer {
public:
    recording_performer() : core("", observer) {
        core.make_host("", "en");
        core.use_scene(host::load_scene_text(
            R"({"shapes": [{"name": "curve", "type": "line", "points": [
                 {"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
                {"name": "arm", "type": "part", "part": "rotator",
                 "first_point": [0, 0, 0], "second_point": [0, 0, 1]}]})",
            "scene"));
    }

    host::host_session& session() override { return core; }
    std::ostream& out() override { return printed; }
    host::window_state shown_window(script_action const&) override {
        log("shown");
        return fake_window();
    }
    void reach(script_action const&, int index, host::control_kind kind,
               std::string const& name) override {
        log("reach " + std::to_string(index) + " " + host::kind_name(kind) + " " + name);
    }
    void click(script_action const&, script::named_control const& control, int action) override {
        log(std::string("click ") + control.name + " " + std::to_string(action));
    }
    void type(script_action const& a, int index, bool number_box) override {
        log("type " + std::to_string(index) + (number_box ? " number " : " text ") + a.value);
    }
    void choose(script_action const&, int index, int entry) override {
        log("choose " + std::to_string(index) + " " + std::to_string(entry));
    }
    void dump(host::window_state const& shown) override {
        log("dump " + std::to_string(shown.controls.size()));
    }
    void answer_dialog(std::map<int, bool> const& choices, bool cancel,
                       std::function<void()> const& click) override {
        std::string answer = "answer";
        for (auto const& [id, on] : choices) answer += " " + std::to_string(id) + "=" + (on ? "1" : "0");
        log(answer + (cancel ? " cancel" : " ok"));
        click();
    }
    // Only the play loop reports failures; perform throws them.
    void line_failed(host::failure_kind, std::string const&) override {}

    // Plays one line; what it recorded, and the refusal ("" when none).
    std::string play(std::string const& line, std::string& refusal, std::string const& dir = "") {
        recorded.clear();
        refusal.clear();
        script::script s = script::parse_script_text(line, "t");
        try {
            script::perform(s.actions.at(0), dir, *this);
        } catch (script::script_error const& e) {
            refusal = e.what();
        }
        return recorded;
    }

    std::ostringstream printed;

private:
    void log(std::string const& what) { recorded += (recorded.empty() ? "" : "; ") + what; }

    host::session_observer observer;
    host::host_session core;
    std::string recorded;
};

TEST(Perform, EachWindowLineAsksThePerformerForThePersonsActions) {
    struct {
        char const* line;
        char const* asks;
        char const* refusal;
    } const table[] = {
        {"click App.", "reach 0 button \"App.\"; click App. 0", ""},
        {"click link2 3", "reach 21 checkbox \"link2\"; click link2 3", ""},
        {"ref", "reach 3 button \"Ref.\"; click Ref. 0", ""},
        {"slot 4", "reach 6 popup the slot pop-up; choose 6 4", ""},
        {"type 0 z -1.5", "reach 10 number row 0 z; shown; type 10 text -1.5", ""},
        {"type 1 y 2e3", "reach 14 number row 1 y; shown; type 14 number 2e3", ""},
        {"type 1 y abc", "reach 14 number row 1 y; shown",
         "type: \"abc\" is not a number (row 1 y is a host number box)"},
        {"dump", "shown; dump 32", ""},
        // Without a plug-in no dialog shows: the line must not pass for answered.
        {"settings mark=1 undo=0", "reach 3 button \"Ref.\"; answer 10=1 12=0 ok; click Ref. 2",
         "settings: the plug-in showed no settings dialog"},
        {"dialog", "reach 3 button \"Ref.\"; answer cancel; click Ref. 2",
         "dialog: the plug-in showed no settings dialog"},
    };
    for (auto const& row : table) {
        recording_performer p;
        std::string refusal;
        EXPECT_EQ(p.play(row.line, refusal), row.asks) << row.line;
        EXPECT_EQ(refusal, row.refusal) << row.line;
    }
}

TEST(Perform, HostSideLinesGoToTheSessionAndAskNothingOfTheWindow) {
    struct {
        char const* line;
        char const* refusal;
        char const* printed;
    } const table[] = {
        {"select curve 1", "", ""},
        {"active curve", "", ""},
        {"move curve 0 1 2 3", "", ""},
        {"undo", "", "undo: nothing to undo\n"},
        {"unit 2.5", "", ""},
        {"marks", "", ""},
        {"trace", "", ""},
        {"select wing 1", "select: no shape at path \"wing\"", ""},
        {"joint curve", "joint: \"curve\" is not a part", ""},
        {"idle", "idle: no plug-in window is open", ""},
        {"hide", "hide: no plug-in window is open", ""},
        {"move-window 5 5", "move-window: no plug-in window is open", ""},
        {"expect-refs 1", "expect-refs: 0 counted host objects outstanding, expected 1", ""},
    };
    for (auto const& row : table) {
        recording_performer p;
        std::string refusal;
        EXPECT_EQ(p.play(row.line, refusal), "") << row.line;
        EXPECT_EQ(refusal, row.refusal) << row.line;
        EXPECT_EQ(p.printed.str(), row.printed) << row.line;
    }
}

TEST(Perform, HostSideLinesChangeTheSessionsScene) {
    recording_performer p;
    std::string refusal;
    p.play("select curve 1", refusal);
    p.play("active curve", refusal);
    p.play("unit 2.5", refusal);
    p.play("rename curve line", refusal);
    host::scene_model& scene = *p.session().scene();
    ASSERT_NE(scene.find("line"), nullptr);
    EXPECT_EQ(scene.active_shape(), scene.find("line"));
    EXPECT_EQ(scene.find("line")->active_points, std::vector<int>{1});
    EXPECT_EQ(scene.figure_unit(), 2.5f);
    p.play("delete line", refusal);
    EXPECT_EQ(scene.find("line"), nullptr);
}

TEST(Perform, ASceneFileIsFoundBesideTheScript) {
    recording_performer p;
    std::string refusal;
    p.play("scene missing.json", refusal, "scripts");
    EXPECT_EQ(refusal, "scene: scripts/missing.json: cannot open the file");
    p.play("scene /abs/missing.json", refusal, "scripts");
    EXPECT_EQ(refusal, "scene: /abs/missing.json: cannot open the file");
    p.play("scene " VEXEL_SOURCE_DIR "/examples/tour.json", refusal, "scripts");
    EXPECT_EQ(refusal, "");
    EXPECT_NE(p.session().scene()->find("ball"), nullptr);
    EXPECT_EQ(p.session().scene_path(), VEXEL_SOURCE_DIR "/examples/tour.json");
}

TEST(Perform, TheSceneIsPrintedWholeOrFromAShapeDown) {
    recording_performer p;
    std::string refusal;
    p.play("dump-scene arm", refusal);
    std::string one = p.printed.str();
    EXPECT_EQ(one.rfind("{\"path\": \"arm\"", 0), 0u) << one;
    EXPECT_EQ(one.find('\n'), one.size() - 1) << "one shape, one line";
    p.play("dump-scene", refusal);
    EXPECT_NE(p.printed.str().find("\"path\": \"curve\""), std::string::npos);
}

}  // namespace
