// vexel-sessions: the fixed-seed sessions of the window-session fuzzer as files, for playing
// them elsewhere (the Windows runner under Wine plays them beside the Linux runner).
//   vexel-sessions MODULE FOLDER FIRST_SEED COUNT
// writes FOLDER/seed-N/{scene.json, scene2.json, session.vxs} for N = FIRST_SEED ... and
// says how many it wrote. Each session is played once on MODULE to record the lines as they
// ran; one that broke a promise is written all the same and named on the error output.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "session_player.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: vexel-sessions MODULE FOLDER FIRST_SEED COUNT\n", stderr);
        return 2;
    }
    try {
        session_player player(argv[1]);
        unsigned first = static_cast<unsigned>(std::stoul(argv[3]));
        unsigned count = static_cast<unsigned>(std::stoul(argv[4]));
        for (unsigned seed = first; seed < first + count; ++seed) {
            std::vector<std::uint8_t> input = session_player::seeded_input(seed);
            session_record r = player.play(input.data(), input.size(), session_player::seeded_actions);
            std::string dir = std::string(argv[2]) + "/seed-" + std::to_string(seed);
            std::filesystem::create_directories(dir);
            session_player::write(r, dir);
            if (!r.failures.empty() || !r.refused.empty())
                std::fprintf(stderr, "vexel-sessions: seed %u broke a promise: %s\n", seed,
                             (r.failures.empty() ? r.refused : r.failures).front().c_str());
        }
        std::printf("%u sessions in %s\n", count, argv[2]);
        return 0;
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-sessions: %s\n", e.what());
        return 1;
    }
}
