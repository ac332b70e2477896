// The fault sweep over random sessions: fixed-seed sessions of the window-session fuzzer,
// each played once per host call of its clean run with that call made to throw, as
// `vexel-host --fault-sweep` plays a script. Scripted tours visit the states their author
// thought of; these sessions reach frames, modes, slots and settings in orders nobody wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runner_sweep.h"
#include "session_player.h"

namespace {

namespace fs = std::filesystem;

TEST(SessionFaultSweep, EveryHostCallOfAFixedSeedSessionMayFail) {
    session_player player(VEXEL_MODULE_PATH);
    fs::path dir = fs::temp_directory_path() / "vexel-session-fault-sweep";
    runner::runner_options options;
    options.module_path = VEXEL_MODULE_PATH;
    // Seeds 6, 11, 18, 24 and 30 once found a frame flag out of step with its label.
    for (unsigned seed = 1; seed <= VEXEL_FAULT_SWEEP_SESSIONS; ++seed) {
        std::vector<std::uint8_t> input = session_player::seeded_input(seed);
        session_record record = player.play(input.data(), input.size(), session_player::seeded_actions);
        std::string where = (dir / ("seed-" + std::to_string(seed))).string();
        fs::create_directories(where);
        session_player::write(record, where);
        std::ifstream file(where + "/session.vxs");
        script::script actions = script::parse_script(file, where + "/session.vxs", where);
        runner::sweep_result result = runner::fault_sweep(options, where + "/scene.json", actions);
        EXPECT_GT(result.calls, 100) << "seed " << seed << ": a session this short sweeps little";
        for (std::string const& f : result.clean_failures) ADD_FAILURE() << "seed " << seed << ", no fault: " << f;
        for (runner::sweep_failure const& f : result.failures)
            ADD_FAILURE() << "seed " << seed << ": call " << f.call << " (" << f.operation << ") at " << f.place
                          << ": " << f.problem << "\n  replay: vexel-host --fail-call " << f.call << " " << where
                          << "/scene.json " << where << "/session.vxs";
        if (!HasFailure()) fs::remove_all(where);
    }
}

}  // namespace
