// The runner as a script's performer: what a person does to the window goes through the
// host's own user-side operations (user_controls), with the host's refusal rule, and every
// call into the plug-in through the session's guard.
#include <ostream>

#include "runner_session.h"
#include "runner_view.h"
#include "services/user_controls.h"
#include "window_dump.h"

namespace runner {

using script::script_action;
using script::script_error;

host::window_state runner_session::shown_window(script_action const&) { return window(); }

void runner_session::reach(script_action const& a, int index, host::control_kind kind,
                           std::string const& name) {
    host::window_state s = window();
    if (index >= static_cast<int>(s.controls.size()))
        throw script_error(a.word + ": the window has no " + name + " (it has " +
                           std::to_string(s.controls.size()) + " controls)");
    host::control_state const& c = s.controls[index];
    bool handled = c.kind == host::control_kind::text_field || c.handler != nullptr;
    script::check_reachable(a.word, name, {c.kind, c.enabled, c.shown, handled}, kind, c.y,
                            s.client.y);
}

void runner_session::click(script_action const& a, script::named_control const& control,
                           int action) {
    host::user_controls& user = core.app().user();
    window_interface& w = *core.app().window();
    // The settings lines name themselves in a report; a click names its control.
    bool settings = a.kind == script::action_kind::settings || a.kind == script::action_kind::dialog;
    std::string what = settings ? a.word : "click " + std::string(control.name);
    core.into_plugin(what.c_str(), [&] {
        if (control.kind == host::control_kind::checkbox)
            user.toggle(w, control.index, action);
        else
            user.click(w, control.index, action);
    });
}

void runner_session::type(script_action const& a, int index, bool) {
    host::user_controls& user = core.app().user();
    window_interface& w = *core.app().window();
    core.into_plugin("type", [&] { user.type(w, index, a.value); });
}

void runner_session::choose(script_action const&, int index, int entry) {
    host::user_controls& user = core.app().user();
    window_interface& w = *core.app().window();
    core.into_plugin("slot", [&] { user.choose(w, index, entry); });
}

void runner_session::dump(host::window_state const& shown) {
    // With --view the drawing tells the story; --json keeps the line beside it.
    if (!options.view || options.json) out_stream << script::one_line_json(script::window_dump(shown)) << "\n";
    if (options.view) out_stream << draw_window(shown, true);
}

void runner_session::answer_dialog(std::map<int, bool> const& choices, bool cancel,
                                   std::function<void()> const& click) {
    host::host_app& app = core.app();
    app.queue_dialog_choices(choices);
    app.queue_dialog_cancel(cancel);
    click();
    app.queue_dialog_choices({});
    app.queue_dialog_cancel(false);
}

}  // namespace runner
