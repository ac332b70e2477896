// The window's promises, checked around every action of a session (vexel-host --oracles,
// the session fuzzer and its fixed-seed sweep). Each problem names its promise:
//   1 nothing escapes: the host's checks hold after every action (nothing non-finite
//     written, no undo record or update bracket open, state-flag suspends balanced);
//   2 an untouched "App." changes nothing (apply_expectations.h);
//   3 an untouched "Snap" moves nothing, and a typed one lands (snap_expectation.h);
//   4 what is shown is the point: after every refresh the rows equal the shown point
//     (expected_rows.h), the title names the shape and the point number its index;
//   5 a slot gives back what was saved: "Load" shows the saved point as a refresh would,
//     and a mark names it by its flat index in the slot's shape;
//   6 a typed value lands (apply_expectations.h);
//   7 undo is exact: with undo on, "App." or "Snap" then `undo` restores every coordinate
//     and flag bit for bit, also after a click in which a host call failed; with undo off
//     no undo record is made;
//   8 a failed host call is survived: after the action in which it failed the window holds
//     no counted host object it did not hold before, and from the next full refresh on
//     (a rebinding one: "Ref.", a selection, a shown window's tick, a scene) every promise
//     holds again. Between the fault and that refresh what the window shows and what its
//     slots hold depend on where the call failed, and 2 to 7 are not judged. A shape the
//     host deleted in the middle of an action (`during OPERATION delete PATH`) is survived
//     the same way: the window lets go of it as after `delete`, the action's writes to it
//     are not expected, and 2 to 7 wait for the next full refresh.
// The front end reports exceptions let out of the plug-in, and the session's checks at the
// end of the run (host_session::finish_run) the counted objects still held.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apply_expectations.h"
#include "action_watcher.h"
#include "scene_state.h"
#include "snap_expectation.h"
#include "window_contract.h"
#include "window_view.h"

namespace oracles {

class session_oracles final : public script::action_watcher {
public:
    void before(host::host_session& session, script::script_action const& action) override;
    std::vector<std::string> after(host::host_session& session, script::script_action const& action) override;

    window_contract const& contract() const { return window; }
    // How often each promise was judged, by what it was judged on, e.g.
    // "4 rows of a control point in Glo., In/Out I b." or "7 undo after App.".
    std::map<std::string, long> const& judged() const { return counts; }

private:
    // The settings word as the plug-in stored it (bit 0 marking, bit 2 undo).
    static int settings_word(host::host_session& session);
    void check_host(host::host_session& session, std::vector<std::string>& out);
    void check_refresh(host::host_session& session, window_view const& now, std::vector<std::string>& out);
    void check_load(script::script_action const& action, window_view const& now, double unit,
                    std::vector<std::string>& out);
    void check_marks(host::host_session& session, std::vector<std::string>& out);
    void check_undo_records(host::scene_model& scene, bool changed, std::vector<std::string>& out);
    // After the action in which the planned host fault fired.
    void check_fault(script::script_action const& action, std::vector<std::string>& out);

    void count(std::string const& what) { ++counts[what]; }

    window_contract window;
    bool started = false;  // the announcement at the session's start was followed
    std::map<std::string, long> counts;
    std::set<std::string> reported;  // host check failures already reported

    // Taken before the action.
    host::scene_model* scene = nullptr;
    std::optional<window_view> rows_before;
    std::optional<scene_state> state_before;
    std::optional<point_expectation> typed, untouched;
    std::optional<snap_expectation> snapped;
    std::vector<host::shape_node*> deleted, deleted_under;
    std::size_t marks_before = 0;
    long calls_before = 0;
    std::size_t steps_before = 0;
    int settings = 0;

    // An "App." or "Snap" with undo on that made one undo step: the scene before it, for an
    // `undo` that follows at once.
    std::optional<scene_state> undoable;
    bool undoable_now = false;

    // An armed `during OPERATION delete PATH`: its path, and, taken before each action, the
    // shape there (its life token) and what deleting it removes, as for `delete`.
    std::string pending_delete;
    std::shared_ptr<host::shape_node*> doomed_alive;
    std::vector<host::shape_node*> doomed, doomed_under;

    // The planned fault (--fail-call, the fuzzer's faulted sessions) had fired before the
    // action; the counted host objects held then.
    bool fired_before = false;
    std::vector<std::string> held_before;
    // A fault fired and no full refresh has followed yet: promises 2 to 7 wait.
    bool suspended = false;
    bool undoable_after_fault = false;
};

}  // namespace oracles
