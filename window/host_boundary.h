// Where the host calls into the window (notifications, idle, clicks, dialog data), host
// exceptions stop: letting one cross back into the host would take the host down. The
// guards inside have already closed brackets, cleared the busy flag and released what
// was held by the time an exception reaches here.
#pragma once

// Runs work; true when it finished, false when it threw.
template <class Work>
bool at_host_boundary(Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (...) {
        return false;
    }
}

// Runs a closing host call (end of an update bracket, resume of the state flag, end of an
// undo record). One failed call must not leave the bracket open, so it is tried once more;
// a second failure is given up silently.
template <class Close>
void close_bracket(Close&& close) noexcept {
    try {
        close();
    } catch (...) {
        try {
            close();
        } catch (...) {
        }
    }
}
