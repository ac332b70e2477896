// One random session of the vexel window: a scene, a second scene and up to max_actions
// script lines decoded from an input, played in process on the real module through the
// runner, with the window's promises (oracles/session_oracles.h) checked after every line.
// What was played is kept as the files vexel-host replays:
//   vexel-host --oracles --prefs EMPTY_FILE scene.json session.vxs
// About a third of the inputs (chosen by their last byte) make one host call throw, as a
// host may: a call up to 512 calls into a chosen action, or one inside the first "App." or
// "Snap" from there (the input's second and third bytes from the end). An eighth (by the
// fifth byte from the end) make the preference store's first write of the settings throw
// instead. Such a session replays with --fail-call N --keep-going, N the call's number
// counted from the start, and ends with a selection that a window left busy would ignore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct session_record {
    std::string scene;         // scene.json
    std::string second_scene;  // scene2.json, opened by a `scene` line
    std::string script;        // session.vxs, the lines as they ran
    std::vector<std::string> failures;  // broken promises, exceptions, the host's checks
    std::vector<std::string> refused;   // lines the host refused: a fault of the generator
    int actions = 0;
    long fail_call = 0;  // > 0: the host call that was made to throw, as --fail-call counts
    std::map<std::string, long> judged;  // how often each promise was judged, on what
};

class session_player {
public:
    // module: the plug-in, kept mapped while the player lives (a session's windows come and
    // go, the module's code stays). The scene files are written into a folder of the
    // player's own, in memory (/dev/shm) where the system offers it (a disk would flush two
    // files a session), removed with the player. Throws std::runtime_error without a folder.
    explicit session_player(std::string module);
    ~session_player();
    session_player(session_player const&) = delete;
    session_player& operator=(session_player const&) = delete;

    session_record play(std::uint8_t const* data, std::size_t size, int max_actions);

    // Writes scene.json, scene2.json and session.vxs into dir (which must exist).
    static void write(session_record const& record, std::string const& dir);

    // The input of the fixed-seed sessions: 1200 bytes of std::mt19937(seed).
    static std::vector<std::uint8_t> seeded_input(unsigned seed);
    // The actions a fixed-seed session plays at most.
    static int const seeded_actions = 30;

private:
    std::string module;
    std::string dir;
    void* resident = nullptr;
};
