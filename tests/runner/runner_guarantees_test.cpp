// What a script can count on from the runner: no line brings it down, whatever its
// arguments, and everything a script needs to check is printed: the marking requests, the
// options and actions in --help, the drawing without silent cuts, the window's frame.
#include <set>

#include "runner_fixture.h"
#include "runner_view.h"

namespace runner_test {
namespace {

class RunnerGuarantees : public session_fixture {
protected:
    void SetUp() override { open(small_scene); }
    // The one line a refused script line gives, whether refused on reading or running.
    std::string refusal(std::string const& line) {
        try {
            script::script s = script::parse_script_text(line, "test.vxs");
            err.str("");
            if (session->run(s)) return "(accepted)";
            return errors();
        } catch (script::script_error const& e) {
            return std::string(e.what()) + "\n";
        }
    }
    std::vector<int> frame() { return dump()["frame"].get<std::vector<int>>(); }
};

// --- no script line crashes the runner ---

TEST_F(RunnerGuarantees, AnEmptyActivePathIsRefusedInsteadOfCrashing) {
    temp_dir io;
    process_result r = run_runner({"--prefs", io.path() + "/p.json", files.write("s.json", small_scene)},
                                  "active curve\nactive \"\"\ndump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "<stdin>:2: active: empty shape path\n");
    EXPECT_EQ(r.out, "");  // refused before anything ran
}

TEST_F(RunnerGuarantees, EveryActionRefusesEmptyMissingAndOddArgumentsInOneLine) {
    struct bad {
        char const* line;
        char const* problem;  // after "test.vxs:1: "
    } const cases[] = {
        {"active \"\"", "active: empty shape path"},
        {"active nowhere", "active: no shape at path \"nowhere\""},
        {"select \"\" 1", "select: empty shape path"},
        {"select curve \"\"", "select: \"\" is not a point index"},
        {"idle \"\"", "idle: \"\" is not a tick count 0-1000000"},
        {"ref now", "ref: expected \"ref\""},
        {"type 0 \"\" 1", "type: field \"\" is not x, y or z"},
        {"click \"\"", "click: unknown control \"\" (expected App., Snap, Ref., Save, Load, loc, mode1, "
                       "mode3, link2, link4)"},
        {"slot \"\"", "slot: \"\" is not a slot 0-9"},
        {"hide now", "hide: expected \"hide\""},
        {"show now", "show: expected \"show\""},
        {"dump \"\"", "dump: expected \"dump\""},
        {"dump-scene \"\"", "dump-scene: empty shape path"},
        {"settings =1", "settings: unknown item \"\" (expected mark, number, undo)"},
        {"undo twice", "undo: expected \"undo\""},
        {"move \"\" 0 1 2 3", "move: empty shape path"},
        {"move curve 0 1 2", "move: expected \"move PATH INDEX X Y Z\""},
        {"delete \"\"", "delete: empty shape path"},
        {"unit \"\"", "unit: \"\" is not a number"},
        {"unit 1e-50", "unit: \"1e-50\" is out of the range of a float"},
        {"state \"\"", "state: \"\" is not on or off"},
        {"joint \"\"", "joint: empty shape path"},
        {"joint curve", "joint: \"curve\" is not a part"},
        {"scene \"\"", "scene: empty scene file name"},
        {"scene /", "scene: /: is a folder, not a scene file"},
        {"restart now", "restart: expected \"restart\""},
        {"expect-refs \"\"", "expect-refs: \"\" is not a count"},
        {"marks all", "marks: expected \"marks\""},
        {"move-window 10", "move-window: expected \"move-window LEFT TOP\""},
        {"move-window 10 \"\"", "move-window: \"\" is not a screen position -1000000-1000000"},
        {"dialog \"\"", "dialog: expected \"dialog\""},
        {"trace \"\"", "trace: \"\" is not on or off"},
        {"insert-point ball 0 1 2 3", "insert-point: ball is not a line or a polygon mesh"},
        {"insert-point curve 4 1 2 3", "insert-point: curve has 3 points, a new one goes at 0-3, not 4"},
        {"remove-point curve 3", "remove-point: curve has no point 3"},
        {"remove-point nowhere 0", "remove-point: no shape at path \"nowhere\""},
        {"rename curve ball", "rename: another shape at the same level is named \"ball\""},
        {"rename curve a/b", "rename: a name must be non-empty and contain no \"/\""},
        {"modifiable \"\" on", "modifiable: empty shape path"},
        {"direction curve off", "direction: curve is not a surface part"},
        {"announce \"\"", "announce: \"\" is not scene-only"},
        {"announce scene-only now", "announce: expected \"announce [scene-only]\""},
        {"during \"\" idle", "during: unknown host operation \"\" (expected a name such as "
                             "scene.begin_undo_record)"},
        {"during scene.refresh tick", "during: unknown notification \"tick\" (expected "
                                      "active_shapes_changed, shapes_modified, idle)"},
        {"during scene.refresh idle now", "during: expected \"during OPERATION NOTIFICATION\""},
        {"during scene.begin_update delete", "during: expected \"during OPERATION delete PATH\""},
        {"during scene.begin_update delete \"\"", "during: empty shape path"},
        {"during scene.begin_update delete nowhere", "during: no shape at path \"nowhere\""},
        // An odd word is shown escaped and cut, so that the refusal stays one short line.
        {"active \"a\\\\b\x1b\"", "active: no shape at path \"a\\\\b\\x1B\""},
        {"click \"0123456789012345678901234567890123456789xyz\"",
         "click: unknown control \"0123456789012345678901234567890123456789...\" (43 bytes) (expected "
         "App., Snap, Ref., Save, Load, loc, mode1, mode3, link2, link4)"},
    };
    std::set<std::string> covered;
    for (bad const& c : cases) {
        EXPECT_EQ(refusal(c.line), "test.vxs:1: " + std::string(c.problem) + "\n") << c.line;
        covered.insert(std::string(c.line).substr(0, std::string(c.line).find(' ')));
    }
    // A new action comes with its row here.
    std::string words = script::action_words();
    for (std::size_t at = 0; at < words.size();) {
        std::size_t end = words.find(", ", at);
        std::string word = words.substr(at, end - at);
        EXPECT_EQ(covered.count(word), 1u) << word << " has no bad line above";
        at = end == std::string::npos ? words.size() : end + 2;
    }
    // Nothing refused has reached the plug-in or the scene.
    EXPECT_TRUE(finish()) << errors();
}

// --- marks ---

TEST_F(RunnerGuarantees, MarksPrintsEachRequestSinceTheLastMarksOnce) {
    std::string marked = printed("settings mark=1\nactive curve\nselect curve 1\nidle 2\nclick Save\nslot 3\nmarks");
    EXPECT_EQ(marked,
              "{\"marks\": \"curve\", \"operation\": 3, \"target\": 1, \"count\": 1, \"indices\": [1], "
              "\"flag\": false}\n"
              "{\"marks\": \"curve\", \"operation\": 0, \"target\": 1, \"count\": 1, \"indices\": [], "
              "\"flag\": false}\n");
    EXPECT_EQ(printed("marks"), "");
    EXPECT_TRUE(dumps_of(marked).empty());  // never taken for a dump line
}

// --- --help and the scripts page (docs/scripts.md) list everything ---

TEST(RunnerHelp, HelpAndTheScriptsPageListEveryOptionAndAction) {
    process_result help = run_runner({"--help"});
    EXPECT_EQ(help.status, 0);
    std::string page = read_file(VEXEL_SOURCE_DIR "/docs/scripts.md");
    for (char const* option : {"--module PATH", "--lang en|ja", "--prefs FILE", "--view", "--json", "--keep-going",
                               "--fail-call N", "--dump-scene FILE", "--info MODULE", "--iid IID", "--help",
                               "--no-announce"}) {
        EXPECT_NE(help.out.find("\n  " + std::string(option)), std::string::npos) << option;
        std::string in_table = option;
        if (std::string(option) == "--lang en|ja") in_table = "--lang en\\|ja";
        EXPECT_NE(page.find("| `" + in_table), std::string::npos) << option << " in docs/scripts.md";
    }
    std::string words = script::action_words();
    for (std::size_t at = 0; at < words.size();) {
        std::size_t end = words.find(", ", at);
        std::string word = words.substr(at, end - at);
        EXPECT_NE(help.out.find("\n  " + word + " "), std::string::npos) << word;
        bool listed = page.find("`" + word + " ") != std::string::npos ||
                      page.find("`" + word + "`") != std::string::npos;
        EXPECT_TRUE(listed) << word << " in docs/scripts.md";
        at = end == std::string::npos ? words.size() : end + 2;
    }
}

// --- the drawing cuts nothing silently ---

TEST(RunnerView, WideAndLongTextsAreCutWithAMarkAndGivenInFullBelow) {
    using host::control_kind;
    auto control = [](control_kind kind, std::string text, int x, int y, int w, std::optional<double> value) {
        return host::control_state{kind, text, x, y, w, 14, true, true, value, "", 0, {}, 0, nullptr, {}};
    };
    host::window_state w{"T", {40, 30}, {0, 0}, {0, 0, 40, 48}, true, 0, {}};
    w.controls = {
        control(control_kind::number, "", 0, 0, 24, -123456.5),
        // "ラベル" is six columns; it runs past the right edge.
        control(control_kind::static_text, "\xE3\x83\xA9\xE3\x83\x99\xE3\x83\xAB", 24, 0, 32, std::nullopt),
        // A UTF-8 sequence cut short is not taken for a character.
        control(control_kind::static_text, "a\xE3\x82" "b", 0, 14, 16, std::nullopt),
    };
    EXPECT_EQ(runner::draw_window(w, true),
              "+- T ------+\n"
              "|[-12~]\xE3\x83\xA9~ |\n"
              "|a??b      |\n"
              "+----------+\n"
              "~ \"[-12~]\" is \"-123456.5\"\n"
              "~ \"\xE3\x83\xA9~\" is \"\xE3\x83\xA9\xE3\x83\x99\xE3\x83\xAB\"\n");
}

// --- move-window and the frame rules ---

TEST_F(RunnerGuarantees, AFrameDraggedOffTheScreenEdgeIsPutBackAtLayoutAndAtShowing) {
    ASSERT_TRUE(play("move-window 5 7\nactive curve"));
    std::vector<int> kept = frame();
    EXPECT_EQ(kept[0], 5);  // on the screen: left where the user put it
    EXPECT_EQ(kept[1], 7);

    ASSERT_TRUE(play("move-window 0 120"));
    EXPECT_EQ(frame(), (std::vector<int>{0, 120, kept[2] - 5, kept[3] + 113}));  // size kept
    ASSERT_TRUE(play("ref"));  // a layout
    EXPECT_EQ(frame()[0], 300);
    EXPECT_EQ(frame()[1], 30);

    ASSERT_TRUE(play("move-window -20 300\nhide\nidle\nshow"));
    EXPECT_EQ(frame()[0], -20);  // nothing happens until the tick that finds it shown
    ASSERT_TRUE(play("idle"));
    EXPECT_EQ(frame()[0], 100);
    EXPECT_EQ(frame()[1], 100);
}

TEST_F(RunnerGuarantees, AHiddenWindowCannotBeDragged) {
    EXPECT_EQ(refusal("hide\nmove-window 10 10"), "test.vxs:2: move-window: the window is hidden\n");
}

}  // namespace
}  // namespace runner_test
