// Scenario scripts for vexel-host: one action a line, "#" starts a comment (outside double
// quotes), words are separated by blanks and a word in double quotes may hold blanks and
// "#" ("\"" and "\\" inside the quotes stand for a quote and a backslash).
//
// The whole script is parsed before anything runs, so a misspelt line stops the run before
// it has touched the scene. A refused line reads, in one line:
//   script.txt:14: click: unknown control "Apply" (expected App., Snap, Ref., ...)
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "script_error.h"
#include "text/quoted_word.h"

namespace script {

enum class action_kind {
    active,        // active PATH, active - (no active shape)
    select,        // select PATH [i ...]
    idle,          // idle [N]
    ref,           // ref
    type,          // type ROW FIELD TEXT
    click,         // click NAME [ACTION]
    slot,          // slot N
    hide,          // hide
    show,          // show
    dump,          // dump
    dump_scene,    // dump-scene [PATH]
    settings,      // settings mark=0|1 number=0|1 undo=0|1 [cancel]
    undo,          // undo
    move,          // move PATH INDEX X Y Z
    delete_shape,  // delete PATH
    unit,          // unit FACTOR
    state,         // state on|off
    joint,         // joint PATH
    scene,         // scene SCENE.json
    restart,       // restart
    expect_refs,   // expect-refs N
    marks,         // marks
    move_window,   // move-window LEFT TOP
    dialog,        // dialog
    trace,         // trace [on|off]
    insert_point,  // insert-point PATH INDEX X Y Z
    remove_point,  // remove-point PATH INDEX
    rename,        // rename PATH NAME
    modifiable,    // modifiable PATH on|off
    direction,     // direction PATH on|off
    announce,      // announce [scene-only]
    during,        // during OPERATION NOTIFICATION, during OPERATION delete PATH
};

// One parsed line. Only the fields of its kind are meaningful.
struct script_action {
    int line = 0;          // 1-based line number in the script
    std::string text;      // the line as written, without its comment
    action_kind kind = action_kind::dump;
    std::string word;      // the action word, e.g. "click"
    std::string path;      // shape path ("" for `active -`); scene file for `scene`;
                           // during: the shape to delete ("" for a notification)
    std::vector<int> indices;  // select
    int number = 0;        // idle N, slot N, type ROW, move and the point edits INDEX,
                           // click ACTION, expect-refs N
    char field = 'x';      // type: 'x', 'y' or 'z'
    std::string value;     // type: the text; click: the control name; rename: the name;
                           // trace: "on", "off" or "" (print); during: the host
                           // operation; announce: "scene-only" or ""
    std::string notification;  // during: the notification's name ("shapes_modified"), ""
                               // for delete
    float xyz[3] = {0, 0, 0};  // move, insert-point
    float factor = 1;      // unit
    bool on = false;       // state, modifiable, direction
    std::map<int, bool> choices;  // settings: dialog item id -> state
    bool cancel = false;   // settings: close the dialog with Cancel
    int at[2] = {0, 0};    // move-window: the frame's new top-left corner
};

struct script {
    std::string name;  // for messages: the file name, or "<stdin>"
    std::string dir;   // relative scene files of `scene` are found from here ("" = cwd)
    std::vector<script_action> actions;
};

// Parses a whole script; throws script_error "NAME:LINE: ACTION: REASON" at the first
// refused line.
script parse_script(std::istream& in, std::string const& name, std::string const& dir = "");
script parse_script_text(std::string const& text, std::string const& name = "script");
// Reads and parses the script file at path.
script load_script_file(std::string const& path);

// The actions' words, in the order the usage text lists them.
std::string const& action_words();
// Every action's form and what it does, one a line, for --help:
//   "  active PATH                             make the shape active, then ...\n"
std::string const& action_forms();

// Whether the action's path names a shape the scene must hold when its line runs.
bool names_a_shape(action_kind kind);

}  // namespace script
