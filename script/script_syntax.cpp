#include "script_syntax.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <istream>
#include <sstream>
#include <system_error>

#include "checks/host_operations.h"
#include "session/host_session.h"
#include "window_controls.h"

namespace script {

namespace {

using host::quoted_word;

struct action_syntax {
    char const* word;
    action_kind kind;
    int min_args;
    int max_args;  // -1: any number
    char const* usage;
    char const* summary;  // for --help
};

action_syntax const syntax[] = {
    {"active", action_kind::active, 1, 1, "active PATH",
     "make the shape active (- for none), then active_shapes_changed"},
    {"select", action_kind::select, 1, -1, "select PATH [i ...]", "set the shape's active points (no notification)"},
    {"idle", action_kind::idle, 0, 1, "idle [N]", "N idle ticks (1)"},
    {"ref", action_kind::ref, 0, 0, "ref", "click \"Ref.\""},
    {"type", action_kind::type, 3, 3, "type ROW FIELD TEXT", "replace the text of box x, y or z of row 0-4"},
    {"click", action_kind::click, 1, 2, "click NAME [ACTION]", "click a button or toggle a check box (action code 0)"},
    {"slot", action_kind::slot, 1, 1, "slot N", "choose memory slot 0-9"},
    {"hide", action_kind::hide, 0, 0, "hide", "the user hides the window"},
    {"show", action_kind::show, 0, 0, "show", "the user shows the window"},
    {"dump", action_kind::dump, 0, 0, "dump", "print the window as one line of JSON"},
    {"dump-scene", action_kind::dump_scene, 0, 1, "dump-scene [PATH]", "print the scene, or a shape and its subtree"},
    {"settings", action_kind::settings, 0, 4, "settings mark=0|1 number=0|1 undo=0|1 [cancel]",
     "the settings dialog, the named items set, then OK (or Cancel)"},
    {"undo", action_kind::undo, 0, 0, "undo", "the host's undo of the last undo record"},
    {"move", action_kind::move, 5, 5, "move PATH INDEX X Y Z", "a host-side move of one point"},
    {"delete", action_kind::delete_shape, 1, 1, "delete PATH", "delete the shape and its subtree"},
    {"unit", action_kind::unit, 1, 1, "unit FACTOR", "a new figure unit, then figure_unit_changed"},
    {"state", action_kind::state, 1, 1, "state on|off", "set the scene's state flag"},
    {"joint", action_kind::joint, 1, 1, "joint PATH", "current_joint_value_changed for the part"},
    {"scene", action_kind::scene, 1, 1, "scene SCENE.json", "a new active scene (relative: beside the script)"},
    {"restart", action_kind::restart, 0, 0, "restart", "release the window, reload the module, announce the scene"},
    {"expect-refs", action_kind::expect_refs, 1, 1, "expect-refs N", "fail unless N counted host objects are held"},
    {"marks", action_kind::marks, 0, 0, "marks", "print the marking requests since the last marks, one JSON line each"},
    {"move-window", action_kind::move_window, 2, 2, "move-window LEFT TOP",
     "the user drags the window's frame to LEFT, TOP"},
    {"dialog", action_kind::dialog, 0, 0, "dialog",
     "print the settings dialog as shown (one JSON line), closed with Cancel"},
    {"trace", action_kind::trace, 0, 1, "trace [on|off]",
     "record the plug-in's host calls and references (on, off); alone: print them,\n"
     "                                          one JSON line each"},
    {"insert-point", action_kind::insert_point, 5, 5, "insert-point PATH INDEX X Y Z",
     "a host-side new point of a line or mesh at INDEX"},
    {"remove-point", action_kind::remove_point, 2, 2, "remove-point PATH INDEX",
     "a host-side removal of a line's or mesh's point"},
    {"rename", action_kind::rename, 2, 2, "rename PATH NAME", "a host-side new name of the shape"},
    {"modifiable", action_kind::modifiable, 2, 2, "modifiable PATH on|off",
     "the host sets the shape's modifiable flag"},
    {"direction", action_kind::direction, 2, 2, "direction PATH on|off",
     "the host sets a surface part's direction flag"},
    {"announce", action_kind::announce, 0, 1, "announce [scene-only]",
     "announce the scene as at start; scene-only: no active_shapes_changed after it"},
    {"during", action_kind::during, 2, 3, "during OPERATION NOTIFICATION|delete PATH",
     "at the plug-in's next host call OPERATION the host first sends NOTIFICATION\n"
     "                                          (active_shapes_changed, shapes_modified, idle), or\n"
     "                                          deletes the shape and its subtree (at a call in a\n"
     "                                          click or tick that is not about one of them)"},
};

// The refusal of one word of an action: "WORD: REASON".
[[noreturn]] void refuse(std::string const& word, std::string const& reason) {
    throw script_error(word + ": " + reason);
}

// Splits a line into words and drops its comment; text receives the line up to the
// comment, trimmed.
std::vector<std::string> split_words(std::string const& line, std::string& text) {
    std::vector<std::string> words;
    std::size_t end_of_code = line.size();
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') {
            end_of_code = i;
            break;
        }
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char q = line[i++];
                if (q == '"') {
                    closed = true;
                    break;
                }
                if (q == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) q = line[i++];
                word += q;
            }
            if (!closed) throw script_error("unterminated quote");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#' && line[i] != '"')
                word += line[i++];
        }
        words.push_back(word);
    }
    std::string code = line.substr(0, end_of_code);
    std::size_t first = code.find_first_not_of(" \t\r");
    text = first == std::string::npos
               ? std::string()
               : code.substr(first, code.find_last_not_of(" \t\r") - first + 1);
    return words;
}

bool parse_int(std::string const& word, long low, long high, int& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

int whole_number(std::string const& word, std::string const& arg, long low, long high,
                 char const* what) {
    int value = 0;
    if (!parse_int(arg, low, high, value)) refuse(word, quoted_word(arg) + " is not " + what);
    return value;
}

// A shape path ("part/line") or a file name: anything but empty, which names nothing.
std::string const& nonempty(std::string const& word, std::string const& arg, char const* what) {
    if (arg.empty()) refuse(word, std::string("empty ") + what);
    return arg;
}

float finite_number(std::string const& word, std::string const& arg) {
    char* end = nullptr;
    errno = 0;
    float value = std::strtof(arg.c_str(), &end);
    if (arg.empty() || *end != '\0') refuse(word, quoted_word(arg) + " is not a number");
    // Before the finiteness check: "1e400" is a finite number a float cannot hold.
    if (errno == ERANGE) refuse(word, quoted_word(arg) + " is out of the range of a float");
    if (!std::isfinite(value)) refuse(word, quoted_word(arg) + " is not a finite number");
    return value;
}

// "on" or "off".
bool on_or_off(std::string const& word, std::string const& arg) {
    if (arg != "on" && arg != "off") refuse(word, quoted_word(arg) + " is not on or off");
    return arg == "on";
}

void parse_settings(script_action& action, std::vector<std::string> args) {
    static std::map<std::string, int> const items = {{"mark", 10}, {"number", 11}, {"undo", 12}};
    action.cancel = !args.empty() && args.back() == "cancel";
    if (action.cancel) args.pop_back();
    for (std::string const& arg : args) {
        if (arg == "cancel") refuse(action.word, "\"cancel\" comes last");
        std::size_t eq = arg.find('=');
        std::string name = arg.substr(0, eq);
        auto item = items.find(name);
        if (item == items.end())
            refuse(action.word, "unknown item " + quoted_word(name) + " (expected mark, number, undo)");
        std::string state = eq == std::string::npos ? "" : arg.substr(eq + 1);
        if (state != "0" && state != "1")
            refuse(action.word, quoted_word(arg) + ": expected " + name + "=0 or " + name + "=1");
        if (!action.choices.emplace(item->second, state == "1").second)
            refuse(action.word, quoted_word(name) + " named twice");
    }
}

void parse_arguments(script_action& a, std::vector<std::string> const& args) {
    std::string const& w = a.word;
    switch (a.kind) {
    case action_kind::active:
        // "-": no shape is active.
        if (args[0] != "-") a.path = nonempty(w, args[0], "shape path");
        break;
    case action_kind::delete_shape:
    case action_kind::joint:
        a.path = nonempty(w, args[0], "shape path");
        break;
    case action_kind::scene:
        a.path = nonempty(w, args[0], "scene file name");
        break;
    case action_kind::select:
        a.path = nonempty(w, args[0], "shape path");
        for (std::size_t i = 1; i < args.size(); ++i)
            a.indices.push_back(whole_number(w, args[i], 0, 0x7fffffff, "a point index"));
        break;
    case action_kind::idle:
        a.number = args.empty() ? 1 : whole_number(w, args[0], 0, 1000000, "a tick count 0-1000000");
        break;
    case action_kind::type:
        a.number = whole_number(w, args[0], 0, 4, "a row 0-4");
        if (args[1] != "x" && args[1] != "y" && args[1] != "z")
            refuse(w, "field " + quoted_word(args[1]) + " is not x, y or z");
        a.field = args[1][0];
        a.value = args[2];
        break;
    case action_kind::click:
        if (!find_named_control(args[0]))
            refuse(w, "unknown control " + quoted_word(args[0]) + " (expected " + named_control_list() +
                          ")");
        a.value = args[0];
        a.number = args.size() > 1 ? whole_number(w, args[1], -0x7fffffffL - 1, 0x7fffffff,
                                                  "an integer action code")
                                   : 0;
        break;
    case action_kind::slot:
        a.number = whole_number(w, args[0], 0, 9, "a slot 0-9");
        break;
    case action_kind::dump_scene:
        if (!args.empty()) a.path = nonempty(w, args[0], "shape path");
        break;
    case action_kind::settings:
        parse_settings(a, args);
        break;
    case action_kind::move:
    case action_kind::insert_point:
        a.path = nonempty(w, args[0], "shape path");
        a.number = whole_number(w, args[1], 0, 0x7fffffff, "a point index");
        for (int i = 0; i < 3; ++i) a.xyz[i] = finite_number(w, args[2 + i]);
        break;
    case action_kind::remove_point:
        a.path = nonempty(w, args[0], "shape path");
        a.number = whole_number(w, args[1], 0, 0x7fffffff, "a point index");
        break;
    case action_kind::rename:
        a.path = nonempty(w, args[0], "shape path");
        a.value = nonempty(w, args[1], "shape name");
        break;
    case action_kind::modifiable:
    case action_kind::direction:
        a.path = nonempty(w, args[0], "shape path");
        a.on = on_or_off(w, args[1]);
        break;
    case action_kind::trace:
        if (!args.empty()) {
            on_or_off(w, args[0]);
            a.value = args[0];
        }
        break;
    case action_kind::announce:
        if (!args.empty() && args[0] != "scene-only")
            refuse(w, quoted_word(args[0]) + " is not scene-only");
        if (!args.empty()) a.value = args[0];
        break;
    case action_kind::during:
        if (!host::is_host_operation(args[0]))
            refuse(w, "unknown host operation " + quoted_word(args[0]) +
                          " (expected a name such as scene.begin_undo_record)");
        a.value = args[0];
        if (args[1] == "delete") {
            if (args.size() != 3) refuse(w, "expected \"during OPERATION delete PATH\"");
            a.path = nonempty(w, args[2], "shape path");
            break;
        }
        if (!host::notification_named(args[1]))
            refuse(w, "unknown notification " + quoted_word(args[1]) + " (expected " +
                          host::notification_names() + ")");
        if (args.size() != 2) refuse(w, "expected \"during OPERATION NOTIFICATION\"");
        a.notification = args[1];
        break;
    case action_kind::unit:
        a.factor = finite_number(w, args[0]);
        if (!(a.factor > 0)) refuse(w, quoted_word(args[0]) + " is not a positive number");
        break;
    case action_kind::state: a.on = on_or_off(w, args[0]); break;
    case action_kind::expect_refs:
        a.number = whole_number(w, args[0], 0, 0x7fffffff, "a count");
        break;
    case action_kind::move_window:
        // Far enough for any desktop, near enough that the frame's corners stay integers.
        for (int i = 0; i < 2; ++i)
            a.at[i] = whole_number(w, args[i], -1000000, 1000000, "a screen position -1000000-1000000");
        break;
    case action_kind::ref:
    case action_kind::marks:
    case action_kind::hide:
    case action_kind::show:
    case action_kind::dump:
    case action_kind::undo:
    case action_kind::restart:
    case action_kind::dialog:
        break;
    }
}

// Parses one line; false for a line without an action.
bool parse_line(std::string const& line, script_action& action) {
    std::vector<std::string> words = split_words(line, action.text);
    if (words.empty()) return false;
    action.word = words[0];
    action_syntax const* found = nullptr;
    for (action_syntax const& s : syntax)
        if (action.word == s.word) found = &s;
    if (!found)
        throw script_error("unknown action " + quoted_word(action.word) + " (expected " +
                           action_words() + ")");
    action.kind = found->kind;
    std::vector<std::string> args(words.begin() + 1, words.end());
    int n = static_cast<int>(args.size());
    if (n < found->min_args || (found->max_args >= 0 && n > found->max_args))
        refuse(action.word, std::string("expected \"") + found->usage + "\"");
    parse_arguments(action, args);
    return true;
}

}  // namespace

std::string const& action_words() {
    static std::string const words = [] {
        std::string text;
        for (action_syntax const& s : syntax) text += (text.empty() ? "" : ", ") + std::string(s.word);
        return text;
    }();
    return words;
}

std::string const& action_forms() {
    static std::string const forms = [] {
        std::string text;
        for (action_syntax const& s : syntax) {
            std::string usage = s.usage;
            usage.resize(std::max<std::size_t>(usage.size() + 2, 40), ' ');
            text += "  " + usage + s.summary + "\n";
        }
        return text;
    }();
    return forms;
}

script parse_script(std::istream& in, std::string const& name, std::string const& dir) {
    script result{name, dir, {}};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        script_action action;
        action.line = number;
        try {
            if (parse_line(line, action)) result.actions.push_back(std::move(action));
        } catch (script_error const& e) {
            throw script_error(name + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return result;
}

script parse_script_text(std::string const& text, std::string const& name) {
    std::istringstream in(text);
    return parse_script(in, name);
}

script load_script_file(std::string const& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw script_error(path + ": is a folder, not a script");
    std::ifstream in(path);
    if (!in) throw script_error(path + ": cannot read the script");
    std::size_t slash = path.find_last_of('/');
    return parse_script(in, path, slash == std::string::npos ? "" : path.substr(0, slash));
}

bool names_a_shape(action_kind kind) {
    switch (kind) {
    case action_kind::active:
    case action_kind::select:
    case action_kind::move:
    case action_kind::delete_shape:
    case action_kind::joint:
    case action_kind::dump_scene:
    case action_kind::insert_point:
    case action_kind::remove_point:
    case action_kind::rename:
    case action_kind::modifiable:
    case action_kind::direction:
    case action_kind::during: return true;  // during ... delete PATH
    default: return false;
    }
}

}  // namespace script
