// Random scenes and user sessions through the real module, judged after every action by
// the window's promises (oracles/session_oracles.h). A broken promise, an exception let out
// of the plug-in or a failed host check aborts with the failures on the error stream.
//
// VEXEL_SESSION_REPLAY=DIR writes each input it runs as DIR/scene.json, DIR/scene2.json and
// DIR/session.vxs, for `vexel-host --oracles` (tools/fuzz --reproduce FILE does it all).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "session_player.h"

namespace {

int const actions_per_session = 48;
char const* replay_dir = nullptr;

session_player& player() {
    static session_player one(VEXEL_MODULE_PATH);  // removes its folder at exit
    return one;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    player();
    replay_dir = std::getenv("VEXEL_SESSION_REPLAY");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    session_record record = player().play(data, size, actions_per_session);
    if (replay_dir) session_player::write(record, replay_dir);
    if (record.failures.empty()) return 0;
    for (std::string const& f : record.failures) std::fprintf(stderr, "%s\n", f.c_str());
    std::fprintf(stderr, "the session (%d actions):\n%s", record.actions, record.script.c_str());
    std::abort();
}
