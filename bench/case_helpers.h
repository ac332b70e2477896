// Building blocks of the case definitions: a case over a session, made from a set-up and
// an operation.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "bench_cases.h"
#include "bench_session.h"

namespace bench {

// Prepares a session on the scene make() builds, runs set_up on it, and measures op.
inline std::function<prepared_case()> on_session(
    std::function<std::unique_ptr<host::scene_model>()> make,
    std::function<void(session&)> set_up, std::function<void(session&)> op) {
    return [=] {
        auto s = std::make_shared<session>(make());
        set_up(*s);
        session* raw = s.get();
        return prepared_case{s, [raw, op] { op(*raw); }};
    };
}

}  // namespace bench
