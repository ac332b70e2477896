// Helpers for the runner's tests: vexel-host as a process (exit status, output, errors) and
// the runner library in-process (a session on a scene, scripts, the window's dump).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "runner_session.h"
#include "window_controls.h"
#include "window_dump.h"

namespace runner_test {

using json = nlohmann::json;

// What differs by platform: on Windows the text fields talk to rich edit controls (no host
// calls), and the plug-in names its dialog by the DLL's resource name.
#if defined(_WIN32)
bool const on_windows = true;
char const* const dialog_resource = "DIALOG_ID";
#else
bool const on_windows = false;
char const* const dialog_resource = "mode_dialog_id";
#endif

// A fresh folder under the system's temporary folder, removed at destruction.
class temp_dir {
public:
    temp_dir();
    ~temp_dir();
    temp_dir(temp_dir const&) = delete;
    temp_dir& operator=(temp_dir const&) = delete;
    std::string const& path() const { return dir; }
    // Writes text to name inside the folder and returns the file's path.
    std::string write(std::string const& name, std::string const& text) const;

private:
    std::string dir;
};

std::string read_file(std::string const& path);

struct process_result {
    int status;  // exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs vexel-host with args (each passed as one word), stdin_text on its standard input
// and env_prefix (e.g. "HOME=/tmp/x") set in its environment.
process_result run_runner(std::vector<std::string> const& args, std::string const& stdin_text = "",
                          std::string const& env_prefix = "");

// The dump lines ({"title": ...}) of an output, parsed.
std::vector<json> dumps_of(std::string const& out);

// What a control's X, Y or Z box shows as a number: a host number box's value or the
// text of a text field.
double box_number(json const& dump, int row, int axis);

// A runner session in-process on a scene given as JSON text, with the preference store in
// memory. Scripts run on it are given as text.
class session_fixture : public ::testing::Test {
protected:
    void open(std::string const& scene_json, runner::runner_options options = {});
    // Runs the script text; true when nothing failed in it.
    bool play(std::string const& script_text);
    // The window's dump, as `dump` prints it.
    json dump();
    std::string text(int control) { return dump()["controls"][control]["text"]; }
    bool finish() { return session->finish(); }
    std::string errors() const { return err.str(); }
    // What the script text printed; a failure in it fails the test.
    std::string printed(std::string const& script_text) {
        std::size_t before = out.str().size();
        EXPECT_TRUE(play(script_text)) << errors();
        return out.str().substr(before);
    }

    temp_dir files;
    std::ostringstream out;
    std::ostringstream err;
    std::unique_ptr<runner::runner_session> session;
};

// Scenes shared by several test files.
extern char const* const small_scene;  // "curve" (a line of 3 points), "ball", "cam", "mesh"

}  // namespace runner_test
