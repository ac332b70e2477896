// The window as `dump` prints it (one line of JSON whose keys scripts rely on) and as
// --view draws it for a person.
#include "runner_fixture.h"
#include "runner_view.h"

namespace runner_test {
namespace {

using namespace script::vexel_controls;
using ordered = nlohmann::ordered_json;

std::vector<std::string> keys_of(ordered const& object) {
    std::vector<std::string> keys;
    for (auto const& item : object.items()) keys.push_back(item.key());
    return keys;
}

class WindowDump : public session_fixture {
protected:
    void SetUp() override { open(small_scene); }
    // The line the last `dump` printed.
    std::string last_dump_line() {
        std::istringstream lines(out.str());
        std::string line, last;
        while (std::getline(lines, line))
            if (line.rfind("{\"title\": ", 0) == 0) last = line;
        return last;
    }
    std::string drawing() { return runner::draw_window(session->window()); }
};

TEST_F(WindowDump, IsOneLineWithItsKeysInTheStatedOrder) {
    ASSERT_TRUE(play("active ball\nidle\ndump"));
    std::string line = last_dump_line();
    ASSERT_FALSE(line.empty()) << out.str();
    ordered d = ordered::parse(line);
    EXPECT_EQ(keys_of(d), (std::vector<std::string>{"title", "client", "frame", "shown", "controls"}));
    ASSERT_EQ(d["controls"].size(), std::size_t(count));
    for (auto const& c : d["controls"])
        EXPECT_EQ(keys_of(c), (std::vector<std::string>{"kind", "text", "x", "y", "w", "h", "enabled",
                                                         "shown", "value", "tooltip"}));
    EXPECT_EQ(line.rfind("{\"title\": \"Sphere        [ball]\", \"client\": [263, 30], \"frame\": [", 0), 0u)
        << line;
}

TEST_F(WindowDump, ControlsComeInCreationOrderWithResolvedPixels) {
    ASSERT_TRUE(play("active ball\nidle"));
    json d = dump();
    std::vector<std::string> kinds;
    for (auto const& c : d["controls"]) kinds.push_back(c["kind"]);
    std::vector<std::string> top(kinds.begin(), kinds.begin() + 7);
    EXPECT_EQ(top, (std::vector<std::string>{"button", "button", "static_text", "button", "button",
                                             "button", "popup"}));
    EXPECT_EQ(kinds[row_title(0)], "static_text");
    EXPECT_EQ(kinds[box(0, 0)], "text_field");
    EXPECT_EQ(kinds[extra(0)], "button");
    EXPECT_EQ(kinds[extra(1)], "button");
    EXPECT_EQ(kinds[extra(2)], "checkbox");
    json const& snap_button = d["controls"][snap];
    EXPECT_EQ(snap_button["x"], 33);  // after App. (0, 32 wide) and the host's 1-pixel gap
    EXPECT_EQ(snap_button["y"], 0);
    EXPECT_EQ(snap_button["w"], 32);
    EXPECT_EQ(snap_button["h"], 14);
    EXPECT_EQ(snap_button["tooltip"], "Move selected shape as selected point position is viewed value.");
    EXPECT_EQ(d["controls"][box(0, 1)]["text"], " 2.000000");
}

TEST_F(WindowDump, ValuesAreAStateAnIndexANumberOrNull) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\nslot 7\nclick link4\ndump"));
    std::string line = last_dump_line();
    EXPECT_NE(line.find("\"kind\": \"popup\", \"text\": \"\", \"x\": 220, \"y\": 0, \"w\": 32, \"h\": 14, "
                        "\"enabled\": true, \"shown\": true, \"value\": 7,"),
              std::string::npos)
        << line;
    json d = json::parse(line);
    EXPECT_EQ(d["controls"][extra(4)]["value"], 1);
    EXPECT_EQ(d["controls"][extra(2)]["value"], 0);
    EXPECT_TRUE(d["controls"][box(0, 0)]["value"].is_null());  // a text field: its text tells
    EXPECT_TRUE(d["controls"][app]["value"].is_null());
}

TEST_F(WindowDump, ANumberBoxValueDumpsAsItsShortestDecimal) {
    ASSERT_TRUE(play("settings number=1\nrestart\nactive ball\nidle\ntype 0 x 0.1\ntype 0 y 1e-7\ndump"));
    std::string line = last_dump_line();
    EXPECT_NE(line.find("\"kind\": \"number\", \"text\": \"\", \"x\": 40, \"y\": 16, \"w\": 60, \"h\": 14, "
                        "\"enabled\": true, \"shown\": true, \"value\": 0.1,"),
              std::string::npos)
        << line;
    EXPECT_NE(line.find("\"value\": 1e-07,"), std::string::npos) << line;
}

TEST(OneLineJson, EscapesTextsAndSurvivesBytesThatAreNotUtf8) {
    ordered value = {{"text", "say \"hi\"\n"}, {"list", {1, 2.5, nullptr, true}}, {"raw", std::string("a\xff")}};
    EXPECT_EQ(script::one_line_json(value),
              "{\"text\": \"say \\\"hi\\\"\\n\", \"list\": [1, 2.5, null, true], \"raw\": \"a\xEF\xBF\xBD\"}");
    EXPECT_EQ(script::one_line_json(ordered::object()), "{}");
}

// --- the drawing ---

TEST_F(WindowDump, TheDrawingIsCutAtTheClientHeight) {
    EXPECT_EQ(drawing(),
              "+------------------------------------------------------------------+\n"
              "|[App.  ][Snap  ]             [Ref.  ] [Save  ](Load  ) <0    v>   |\n"
              "+------------------------------------------------------------------+\n");
    ASSERT_TRUE(play("active ball\nidle"));
    EXPECT_EQ(drawing(),
              "+- Sphere        [ball] -------------------------------------------+\n"
              "|[App.  ][Snap  ]             [Ref.  ] [Save  ](Load  ) <0    v>   |\n"
              "|Center    [     1.000000][     2.000000] [     3.000000] [Loc.  ] |\n"
              "+------------------------------------------------------------------+\n");
}

TEST_F(WindowDump, TheDrawingLeavesHiddenBoxesBlankAndBracketsDisabledButtons) {
    ASSERT_TRUE(play("active curve\nselect curve 1\nidle 2\nclick mode1\nhide"));
    EXPECT_EQ(drawing(),
              "+- Line          [curve] ------------------------------------------+  (hidden)\n"
              "|[App.  ][Snap  ]       1     [Ref.  ] [Save  ](Load  ) <0    v>   |\n"
              "|Anchor    [    10.000000][     0.000000] [     0.000000] [Loc.  ] |\n"
              "|In        [    -2.000000][     0.000000] [     0.000000] [I b.  ] |\n"
              "|Out       [     2.000000]                                         |\n"
              "|L in      [     0.000000][    -2.000000] [     0.000000] [Rel.  ] |\n"
              "|L out     [     0.000000][     2.000000] [     0.000000] [ ] link |\n"
              "+------------------------------------------------------------------+\n");
}

TEST(WindowDrawing, WideCharactersTakeTwoColumnsAndLongTextsAreCut) {
    host::window_state w{"T", {40, 15}, {0, 0}, {0, 0, 40, 33}, true, 0, {}};
    host::control_state button{host::control_kind::button, "\xE3\x82\xB9\xE3\x83\x8A\xE3\x83\x83\xE3\x83\x97",
                               0, 0, 24, 14, true, true, std::nullopt, "", 0, {}, 0, nullptr, {}};
    host::control_state label{host::control_kind::static_text, "a long label", 24, 0, 16, 14, false,
                              true, std::nullopt, "", 0, {}, 0, nullptr, {}};
    w.controls = {button, label};
    // "スナップ" is eight columns: cut to three and "~" inside a six-column button.
    EXPECT_EQ(runner::draw_window(w),
              "+- T ------+\n"
              "|[\xE3\x82\xB9~ ]a l~|\n"
              "+----------+\n");
}

// Column widths as a terminal gives them: East Asian wide and full-width characters two,
// half-width katakana one, a combining or enclosing mark or an invisible format character
// none (it stays with the character before it), even a wide one; the soft hyphen one; bytes
// that are not UTF-8 (a surrogate, a form longer than needed, beyond U+10FFFF) one "?" each.
TEST(WindowDrawing, EachCharacterTakesTheColumnsATerminalGivesIt) {
    struct {
        char const* text;
        char const* line;
    } const cases[] = {
        {"e\u0301x", "|e\u0301x        |"},
        {"a\u200Bb", "|a\u200Bb        |"},
        {"a\u20DD\u2060\u302Ab\u00AD", "|a\u20DD\u2060\u302Ab\u00AD       |"},
        {"\uFF71\uFF72", "|\uFF71\uFF72        |"},
        {"\uFF21\uFF22", "|\uFF21\uFF22      |"},
        {"\uAC00\u4E2D", "|\uAC00\u4E2D      |"},
        {"\U0001F600!", "|\U0001F600!       |"},
        {"a\xFF" "b\xE3\x82", "|a?b??     |"},
        {"\xED\xA0\x80\xC0\xAF\xF4\x90\x80\x80", "|????????? |"},
        {"\u3042\u3044\u3046\u3048\u304A\u304B", "|\u3042\u3044\u3046\u3048~ |"},
    };
    for (auto const& c : cases) {
        host::window_state w{"T", {40, 15}, {0, 0}, {0, 0, 40, 33}, true, 0, {}};
        w.controls = {{host::control_kind::static_text, c.text, 0, 0, 40, 14, false, true, std::nullopt, "", 0, {},
                       0, nullptr, {}}};
        std::string drawing = runner::draw_window(w);
        std::size_t first = drawing.find('\n') + 1;
        EXPECT_EQ(drawing.substr(first, drawing.find('\n', first) - first), c.line) << c.text;
    }
}

}  // namespace
}  // namespace runner_test
