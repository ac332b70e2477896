// The same script through the runner (vexel-host) and through the studio's real widgets
// (vexel-studio --script) prints the same lines.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

// Runs command, returns its standard output and sets status.
std::string output_of(std::string const& command, int& status) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    status = pclose(pipe);
    return text;
}

// options go to both front ends, before the scene.
void expect_same_lines(char const* script, std::string const& options = "") {
    std::string src = VEXEL_SOURCE_DIR;
    std::string dir = std::filesystem::temp_directory_path() /
                      ("vexel-parity-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string scene = src + "/examples/tour.json", path = src + "/" + script;
    int runner_status = -1, studio_status = -1;
    std::string runner = output_of(std::string(VEXEL_RUNNER_PATH) + " --prefs " + dir +
                                       "/runner.json " + options + " " + scene + " " + path +
                                       " 2>/dev/null",
                                   runner_status);
    std::string studio = output_of("QT_QPA_PLATFORM=offscreen " + std::string(VEXEL_STUDIO_PATH) +
                                       " --prefs " + dir + "/studio.json --script " + path +
                                       " --png " + dir + "/png " + options + " " + scene +
                                       " 2>/dev/null",
                                   studio_status);
    EXPECT_EQ(runner_status, 0);
    EXPECT_EQ(studio_status, 0);
    EXPECT_NE(runner.find("\"controls\""), std::string::npos) << "the script dumps";
    EXPECT_EQ(studio, runner);
    // One numbered picture per dump (studio.png, the whole studio, aside).
    std::size_t dumps = 0;
    for (std::size_t at = runner.find("{\"title\""); at != std::string::npos;
         at = runner.find("{\"title\"", at + 1))
        ++dumps;
    std::size_t pictures = 0;
    for (auto const& entry : std::filesystem::directory_iterator(dir + "/png"))
        pictures += entry.path().extension() == ".png" && entry.path().stem() != "studio";
    EXPECT_EQ(pictures, dumps);
    std::filesystem::remove_all(dir);
}

TEST(Parity, TheTourPrintsTheSameDumpsThroughBothFrontEnds) { expect_same_lines("examples/tour.vxs"); }

// Text fields, then host number boxes after a settings change and a restart, slots,
// marks, undo, host-side moves, hiding and moving the window, row mode buttons.
TEST(Parity, EditingAndSettingsPrintTheSameLinesThroughBothFrontEnds) {
    expect_same_lines("tests/studio/parity.vxs");
}

// A scene announced by the script, the dialog as shown and closed with Cancel, the
// plug-in's host calls as traced (the studio's widgets make none of their own), the host's
// edits of points, names and flags, and no active shape.
TEST(Parity, TheHostSideActionsPrintTheSameLinesThroughBothFrontEnds) {
    expect_same_lines("tests/studio/parity_host_side.vxs", "--no-announce");
}

}  // namespace

// Both front ends read the shared options with one reader: a refused command line gets the
// same problem line from both, as the first line after the program's name, and exit status 2.
TEST(Parity, BothFrontEndsRefuseABadCommandLineInTheSameWords) {
    struct bad {
        char const* args;
        char const* problem;
    } const cases[] = {
        {"--lang fr s.json", "--lang: \"fr\" is not en or ja"},
        {"s.json --prefs", "--prefs needs a value"},
        {"--colour s.json", "unknown option \"--colour\""},
        {"--module", "--module needs a value"},
    };
    for (bad const& c : cases) {
        for (std::string program : {"vexel-host", "vexel-studio"}) {
            std::string path = program == "vexel-host" ? VEXEL_RUNNER_PATH : VEXEL_STUDIO_PATH;
            int status = -1;
            std::string err = output_of("QT_QPA_PLATFORM=offscreen " + path + " " + c.args +
                                            " 2>&1 >/dev/null </dev/null",
                                        status);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << program << " " << c.args;
            EXPECT_EQ(err.substr(0, err.find('\n')), program + ": " + c.problem) << c.args;
            EXPECT_NE(err.find("\n--help lists every option"), std::string::npos) << err;
        }
    }
}
