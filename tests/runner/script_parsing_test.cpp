// Reading scripts: what a line means, and how a bad line is refused (file, line number,
// action, reason) before anything runs.
#include "runner_fixture.h"

namespace runner_test {
namespace {

std::string refusal(std::string const& text) {
    try {
        script::parse_script_text(text, "s.vxs");
    } catch (script::script_error const& e) {
        return e.what();
    }
    return "(accepted)";
}

script::script_action only(std::string const& line) {
    script::script s = script::parse_script_text(line, "s.vxs");
    EXPECT_EQ(s.actions.size(), 1u) << line;
    return s.actions.empty() ? script::script_action{} : s.actions[0];
}

struct bad_line {
    char const* line;
    char const* message;
};

TEST(ScriptParsing, RefusesABadLineWithItsReason) {
    bad_line const cases[] = {
        {"click Apply",
         "s.vxs:1: click: unknown control \"Apply\" (expected App., Snap, Ref., Save, Load, loc, "
         "mode1, mode3, link2, link4)"},
        {"clack App.",
         "s.vxs:1: unknown action \"clack\" (expected active, select, idle, ref, type, click, "
         "slot, hide, show, dump, dump-scene, settings, undo, move, delete, unit, state, joint, "
         "scene, restart, expect-refs, marks, move-window, dialog, trace, insert-point, "
         "remove-point, rename, modifiable, direction, announce, during)"},
        {"click", "s.vxs:1: click: expected \"click NAME [ACTION]\""},
        {"click App. 1 2", "s.vxs:1: click: expected \"click NAME [ACTION]\""},
        {"click App. two", "s.vxs:1: click: \"two\" is not an integer action code"},
        {"active", "s.vxs:1: active: expected \"active PATH\""},
        {"dump now", "s.vxs:1: dump: expected \"dump\""},
        {"type 5 x 1", "s.vxs:1: type: \"5\" is not a row 0-4"},
        {"type 0 w 1", "s.vxs:1: type: field \"w\" is not x, y or z"},
        {"type 0 x", "s.vxs:1: type: expected \"type ROW FIELD TEXT\""},
        {"slot 10", "s.vxs:1: slot: \"10\" is not a slot 0-9"},
        {"idle -1", "s.vxs:1: idle: \"-1\" is not a tick count 0-1000000"},
        {"select curve 1 x", "s.vxs:1: select: \"x\" is not a point index"},
        {"move ball 0 1 2 inf", "s.vxs:1: move: \"inf\" is not a finite number"},
        {"move ball 0 1 2 1e39", "s.vxs:1: move: \"1e39\" is out of the range of a float"},
        {"move ball -1 1 2 3", "s.vxs:1: move: \"-1\" is not a point index"},
        {"unit 0", "s.vxs:1: unit: \"0\" is not a positive number"},
        {"unit nan", "s.vxs:1: unit: \"nan\" is not a finite number"},
        {"state maybe", "s.vxs:1: state: \"maybe\" is not on or off"},
        {"settings colour=1", "s.vxs:1: settings: unknown item \"colour\" (expected mark, number, undo)"},
        {"settings undo=2", "s.vxs:1: settings: \"undo=2\": expected undo=0 or undo=1"},
        {"settings undo", "s.vxs:1: settings: \"undo\": expected undo=0 or undo=1"},
        {"settings undo=1 undo=0", "s.vxs:1: settings: \"undo\" named twice"},
        {"expect-refs none", "s.vxs:1: expect-refs: \"none\" is not a count"},
        {"type 0 x \"1.5", "s.vxs:1: unterminated quote"},
    };
    for (bad_line const& c : cases) EXPECT_EQ(refusal(c.line), c.message) << c.line;
}

TEST(ScriptParsing, TheInspectingAndEditingActionsRefuseOddWords) {
    bad_line const cases[] = {
        {"dialog now", "s.vxs:1: dialog: expected \"dialog\""},
        {"trace maybe", "s.vxs:1: trace: \"maybe\" is not on or off"},
        {"trace on off", "s.vxs:1: trace: expected \"trace [on|off]\""},
        {"settings cancel undo=1", "s.vxs:1: settings: \"cancel\" comes last"},
        {"settings undo=1 cancel cancel", "s.vxs:1: settings: \"cancel\" comes last"},
        {"settings mark=1 number=1 undo=1 cancel 1",
         "s.vxs:1: settings: expected \"settings mark=0|1 number=0|1 undo=0|1 [cancel]\""},
        {"insert-point curve 1 2 3",
         "s.vxs:1: insert-point: expected \"insert-point PATH INDEX X Y Z\""},
        {"insert-point curve -1 0 0 0", "s.vxs:1: insert-point: \"-1\" is not a point index"},
        {"insert-point curve 0 0 nan 0", "s.vxs:1: insert-point: \"nan\" is not a finite number"},
        {"remove-point curve", "s.vxs:1: remove-point: expected \"remove-point PATH INDEX\""},
        {"remove-point curve last", "s.vxs:1: remove-point: \"last\" is not a point index"},
        {"rename curve", "s.vxs:1: rename: expected \"rename PATH NAME\""},
        {"rename curve \"\"", "s.vxs:1: rename: empty shape name"},
        {"modifiable curve yes", "s.vxs:1: modifiable: \"yes\" is not on or off"},
        {"direction \"\" on", "s.vxs:1: direction: empty shape path"},
        {"announce now", "s.vxs:1: announce: \"now\" is not scene-only"},
        {"active - -", "s.vxs:1: active: expected \"active PATH\""},
    };
    for (bad_line const& c : cases) EXPECT_EQ(refusal(c.line), c.message) << c.line;
}

TEST(ScriptParsing, TheNewActionsReadTheirWords) {
    EXPECT_TRUE(only("active -").path.empty());
    EXPECT_EQ(only("active -x").path, "-x");
    EXPECT_TRUE(only("settings undo=1 cancel").cancel);
    EXPECT_EQ(only("settings undo=1 cancel").choices, (std::map<int, bool>{{12, true}}));
    EXPECT_FALSE(only("settings undo=1").cancel);
    EXPECT_TRUE(only("settings cancel").choices.empty());
    EXPECT_EQ(only("trace").value, "");
    EXPECT_EQ(only("trace off").value, "off");
    script::script_action i = only("insert-point wing/rib1 3 1.5 -2 0");
    EXPECT_EQ(i.path, "wing/rib1");
    EXPECT_EQ(i.number, 3);
    EXPECT_EQ(i.xyz[0], 1.5f);
    EXPECT_EQ(i.xyz[1], -2.0f);
    EXPECT_EQ(only("remove-point hull 4").number, 4);
    EXPECT_EQ(only("rename curve \"new name\"").value, "new name");
    EXPECT_FALSE(only("modifiable curve off").on);
    EXPECT_TRUE(only("direction wing on").on);
}

TEST(ScriptParsing, LineNumbersCountBlankAndCommentLines) {
    EXPECT_EQ(refusal("dump\n\n# a comment\n   \nclick Apply # why\n"),
              "s.vxs:5: click: unknown control \"Apply\" (expected App., Snap, Ref., Save, Load, "
              "loc, mode1, mode3, link2, link4)");
    script::script s = script::parse_script_text("# heading\n\nref\n  dump   # look\n", "s.vxs");
    ASSERT_EQ(s.actions.size(), 2u);
    EXPECT_EQ(s.actions[0].line, 3);
    EXPECT_EQ(s.actions[1].line, 4);
    EXPECT_EQ(s.actions[1].text, "dump");
}

TEST(ScriptParsing, QuotesKeepBlanksAndHashesInATypedText) {
    script::script_action a = only(R"(type 2 z "  -1.5e1 # \"x\" \\")");
    EXPECT_EQ(a.kind, script::action_kind::type);
    EXPECT_EQ(a.number, 2);
    EXPECT_EQ(a.field, 'z');
    EXPECT_EQ(a.value, R"(  -1.5e1 # "x" \)");
    EXPECT_EQ(only(R"(type 0 x "")").value, "");
}

TEST(ScriptParsing, OptionalArgumentsTakeTheirDefaults) {
    EXPECT_EQ(only("idle").number, 1);
    EXPECT_EQ(only("idle 0").number, 0);
    EXPECT_EQ(only("click Save").number, 0);
    EXPECT_EQ(only("click Load 2").number, 2);
    EXPECT_EQ(only("click link4").value, "link4");
    EXPECT_TRUE(only("dump-scene").path.empty());
    EXPECT_EQ(only("dump-scene wing/rib1").path, "wing/rib1");
    EXPECT_TRUE(only("select curve").indices.empty());
    EXPECT_EQ(only("select curve 2 0").indices, (std::vector<int>{2, 0}));
}

TEST(ScriptParsing, SettingsNameOnlyTheItemsTheyChange) {
    script::script_action a = only("settings undo=1 mark=0");
    EXPECT_EQ(a.choices, (std::map<int, bool>{{10, false}, {12, true}}));
    EXPECT_TRUE(only("settings").choices.empty());
}

TEST(ScriptParsing, MoveUnitAndStateReadTheirValues) {
    script::script_action m = only("move wing/rib1 4 1.5 -2 3e2");
    EXPECT_EQ(m.path, "wing/rib1");
    EXPECT_EQ(m.number, 4);
    EXPECT_EQ(m.xyz[0], 1.5f);
    EXPECT_EQ(m.xyz[1], -2.0f);
    EXPECT_EQ(m.xyz[2], 300.0f);
    EXPECT_EQ(only("unit 0.1").factor, 0.1f);
    EXPECT_TRUE(only("state on").on);
    EXPECT_FALSE(only("state off").on);
}

TEST(ScriptParsing, AScriptFileThatCannotBeReadIsNamed) {
    EXPECT_THROW(script::load_script_file("/nonexistent/script.vxs"), script::script_error);
    try {
        script::load_script_file("/nonexistent/script.vxs");
    } catch (script::script_error const& e) {
        EXPECT_EQ(std::string(e.what()), "/nonexistent/script.vxs: cannot read the script");
    }
}

}  // namespace
}  // namespace runner_test
