// The window-session fuzzer's sessions in the plain build: a fixed-seed sweep of random
// sessions and every input of its corpus, each played on the real module and judged by the
// window's promises after every action. A failure prints the session as files vexel-host
// replays.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

#include <nlohmann/json.hpp>

#include "checks/host_checks.h"
#include "random_scene.h"
#include "session_player.h"

namespace {

namespace fs = std::filesystem;

class Sessions : public ::testing::Test {
protected:
    void SetUp() override { player = std::make_unique<session_player>(VEXEL_MODULE_PATH); }

    // Plays one input; on a failure keeps its files and says where they are.
    void expect_clean(std::vector<std::uint8_t> const& input, std::string const& name, int actions) {
        session_record r = player->play(input.data(), input.size(), actions);
        played_actions += r.actions;
        ++played_sessions;
        for (auto const& [what, n] : r.judged) judged[what] += n;
        if (r.failures.empty() && r.refused.empty()) return;
        fs::path keep = fs::temp_directory_path() / ("vexel-session-" + name);
        fs::create_directories(keep);
        session_player::write(r, keep.string());
        std::string all;
        for (std::string const& f : r.failures) all += "  " + f + "\n";
        for (std::string const& f : r.refused) all += "  refused (a generator fault): " + f + "\n";
        std::string fault = r.fail_call > 0 ? "--fail-call " + std::to_string(r.fail_call) + " --keep-going " : "";
        ADD_FAILURE() << name << " failed; replay: vexel-host --oracles " << fault << "--prefs EMPTY_FILE " << keep.string()
                      << "/scene.json " << keep.string() << "/session.vxs\n"
                      << all;
    }

    std::unique_ptr<session_player> player;
    long played_actions = 0;
    int played_sessions = 0;
    std::map<std::string, long> judged;
};

TEST_F(Sessions, AFixedSeedSweepKeepsEveryPromise) {
    auto start = std::chrono::steady_clock::now();
    int const sessions = VEXEL_SWEEP_SESSIONS;
    // VEXEL_SWEEP_ALL=1 goes on after a failure, to list every failing seed.
    bool all = std::getenv("VEXEL_SWEEP_ALL") != nullptr;
    for (int seed = 1; seed <= sessions && (all || !HasFailure()); ++seed) {
        expect_clean(session_player::seeded_input(static_cast<unsigned>(seed)), "seed-" + std::to_string(seed),
                     session_player::seeded_actions);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d sessions, %ld actions in %.1f s (%.0f sessions/s)\n", played_sessions, played_actions, seconds,
                played_sessions / seconds);
    for (auto const& [what, n] : judged) std::printf("%8ld  %s\n", n, what.c_str());
    // A sweep whose sessions do nothing checks nothing: every promise is judged on every
    // kind of point, and the rows in both frames and all four modes, in the plug-in's text
    // fields and in the host's number boxes.
    EXPECT_GT(played_actions, played_sessions * 20L);
    if (sessions < 2000) return;
    std::vector<std::string> wanted = {"7 undo right after App. or Snap", "7 no undo record with undo off"};
    for (char const* kind : {"a control point", "a vertex", "a centre or pivot", "a two-point joint"}) {
        for (char const* promise : {"2 untouched App. of ", "3 untouched Snap of ", "6 App. of "})
            wanted.push_back(std::string(promise) + kind);
        for (char const* promise : {"5 Load of ", "5 mark of "}) wanted.push_back(std::string(promise) + kind);
        for (char const* frame : {" in Loc.", " in Glo."}) {
            std::string rows = std::string("4 rows of ") + kind + frame;
            if (std::string(kind) != "a control point") {
                wanted.push_back(rows);
                continue;
            }
            for (char const* mode : {"Abs.", "Rel.", "I b.", "O b."}) {
                wanted.push_back(rows + ", In/Out " + mode);
                wanted.push_back(rows + ", In/Out " + mode + ", number boxes");
            }
        }
    }
    for (std::string const& w : wanted) {
        long n = 0;
        for (auto const& [what, count] : judged)
            if (what.rfind(w, 0) == 0) n += count;
        EXPECT_GT(n, 0) << "never judged: " << w;
    }
}

TEST_F(Sessions, TheFuzzerCorpusReplaysClean) {
    fs::path corpus = fs::path(VEXEL_SOURCE_DIR) / "fuzz" / "corpus" / "window_session";
    int inputs = 0;
    for (auto const& entry : fs::directory_iterator(corpus)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        expect_clean(input, entry.path().filename().string(), 48);
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

// States the generator learnt after inputs of the corpus were found are reached only by
// inputs that select them (their fifth byte from the end a multiple of 8), so that each
// old input replays the session it was found in.
TEST(SessionStates, SkinsDragWholePartsOnlyInTheLaterStates) {
    int skinned[2] = {0, 0};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::vector<std::uint8_t> input = session_player::seeded_input(seed);
        for (bool later : {false, true}) {
            byte_source in(input.data(), input.size());
            nlohmann::json scene = nlohmann::json::parse(random_scene(in, 6, later));
            std::set<std::string> parts;  // top-level shapes with contents
            for (auto const& s : scene["shapes"])
                if (s.contains("children")) parts.insert(s["name"].get<std::string>());
            std::vector<nlohmann::json> shapes(scene["shapes"].begin(), scene["shapes"].end());
            for (std::size_t i = 0; i < shapes.size(); ++i) {
                for (auto const& c : shapes[i].value("children", nlohmann::json::array())) shapes.push_back(c);
                for (auto const& path : shapes[i].value("linked_skin", nlohmann::json::array()))
                    skinned[later] += parts.count(path.get<std::string>()) > 0;
            }
        }
    }
    EXPECT_EQ(skinned[false], 0);
    EXPECT_GT(skinned[true], 10);
}

TEST(SessionStates, ALaterStatesSessionHasTheStoreRefuseTheSettings) {
    session_player player(VEXEL_MODULE_PATH);
    std::vector<std::uint8_t> input = session_player::seeded_input(1);
    std::size_t n = input.size();
    input[n - 1] = 1;  // no fault planned the older way
    input[n - 4] = 0;  // the session starts by storing the settings
    EXPECT_EQ(player.play(input.data(), n, session_player::seeded_actions).fail_call, 0);
    for (std::uint8_t later : {0, 8}) {
        input[n - 5] = later;
        host::faults().record_trace(true);
        session_record r = player.play(input.data(), n, session_player::seeded_actions);
        std::vector<std::string> calls = host::faults().trace();
        host::faults().record_trace(false);
        ASSERT_GT(r.fail_call, 0);
        ASSERT_LE(r.fail_call, static_cast<long>(calls.size()));
        EXPECT_EQ(calls[r.fail_call - 1], later ? "write_int" : "open_write_stream");
        EXPECT_TRUE(r.failures.empty() && r.refused.empty());
    }
}

}  // namespace
