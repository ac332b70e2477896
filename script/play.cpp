#include "play.h"

#include "script_error.h"

namespace script {

void play(script const& actions, performer& p, play_rules rules) {
    using host::failure_kind;
    for (script_action const& action : actions.actions) {
        p.begin_line(action);
        if (rules.watcher) rules.watcher->before(p.session(), action);
        bool failed = false;
        bool refused = false;
        try {
            perform(action, actions.dir, p);
        } catch (expectation_failed const& e) {
            p.line_failed(failure_kind::violated, e.what());
            failed = true;
        } catch (script_error const& e) {
            p.line_failed(failure_kind::refused, e.what());
            failed = refused = true;
        } catch (std::exception const& e) {
            // The host's own refusal of an edit that perform did not word itself.
            p.line_failed(failure_kind::refused, action.word + ": " + host_reason(e.what()));
            failed = refused = true;
        }
        p.end_line(action);
        p.session().collect();
        // A refused line did nothing the promises could be judged on.
        if (rules.watcher && !refused)
            for (std::string const& problem : rules.watcher->after(p.session(), action))
                p.line_failed(failure_kind::violated, action.word + ": " + problem);
        if (failed && !rules.keep_going) break;
    }
}

}  // namespace script
