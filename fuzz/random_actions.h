// The next line of a random session, decoded from a fuzzer's input and chosen among what
// the user and the host can do now: the script language's actions (selection, ticks,
// "Ref.", typed texts of numbers, signs, exponents, blanks and garbage, every button, mode
// and frame button, link box and slot, the settings, host edits, undo, hiding, a restart, a
// second scene). A control is only used when a user could reach it (enabled, shown, inside
// the client area of a shown window), so every line runs.
#pragma once

#include <string>

#include "byte_source.h"
#include "runner_session.h"

// One script line, or "" when the choice came to nothing (e.g. no shape to select).
// second_scene: the file name a `scene` line opens; after_edit: the previous line was an
// "App." or "Snap" (an `undo` is then likelier).
std::string random_action(byte_source& in, runner::runner_session& session, std::string const& second_scene,
                          bool after_edit);

// A text a user may type into a row's box: for a text field anything from a plain number
// to garbage; for a host number box a number it takes whole.
std::string random_text(byte_source& in, bool number_box);
