// Checks made around every line a script plays (the window's promises: vexel-host
// --oracles, the session fuzzer): before() sees the session as the line finds it, after()
// as the line left it and returns what it found wrong, one line each, which the play loop
// reports as violations. Not told of a line the host refused.
#pragma once

#include <string>
#include <vector>

#include "script_syntax.h"
#include "session/host_session.h"

namespace script {

class action_watcher {
public:
    virtual ~action_watcher() = default;
    virtual void before(host::host_session& session, script_action const& action) = 0;
    virtual std::vector<std::string> after(host::host_session& session, script_action const& action) = 0;
};

}  // namespace script
