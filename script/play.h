// Playing a whole script, the same for every front end: each line performed in order on
// the front end's performer, the line's failure told to the performer, the session's marks
// and calls collected after every line, and a watcher, when given, judging every line the
// host did not refuse.
#pragma once

#include "action_watcher.h"
#include "performer.h"
#include "script_syntax.h"

namespace script {

struct play_rules {
    bool keep_going = false;            // a failed line is reported and the script goes on
    action_watcher* watcher = nullptr;  // borrowed; null: no checks around the lines
};

// A refused line (script_error, or the host's own refusal of an edit) and a failed check
// (expectation_failed) go to p.line_failed; an exception the plug-in lets out is the
// session's to report. Stops after the first failed line unless rules.keep_going.
void play(script const& actions, performer& p, play_rules rules = {});

}  // namespace script
