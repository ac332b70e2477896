// Sets the window's busy flag for one scope and restores it on every path, so that a host
// exception never leaves the window deaf to notifications and idle ticks.
#pragma once

class busy_guard {
public:
    explicit busy_guard(bool& flag) : flag(flag), before(flag) { flag = true; }
    ~busy_guard() { flag = before; }
    busy_guard(busy_guard const&) = delete;
    busy_guard& operator=(busy_guard const&) = delete;

private:
    bool& flag;
    bool before;
};
