#include "runner_fixture.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <random>

namespace runner_test {

char const* const small_scene = R"({
  "shapes": [
    {"name": "curve", "type": "line", "points": [
      {"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0], "l_in": [0, -1, 0], "l_out": [0, 1, 0]},
      {"anchor": [10, 0, 0], "in": [8, 0, 0], "out": [12, 0, 0], "l_in": [10, -2, 0],
       "l_out": [10, 2, 0]},
      {"anchor": [20, 5, 0], "in": [17, 1, 0], "out": [23, 9, 0]}
    ]},
    {"name": "ball", "type": "sphere", "center": [1, 2, 3]},
    {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 10], "target": [0, 1, 0]},
    {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 2, 3], [4, 5, 6]]}
  ]
})";

temp_dir::temp_dir() {
    std::random_device seed;
    std::mt19937_64 pick(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                                          ("vexel-runner-" + std::to_string(pick() % 1000000000));
        std::error_code failed;
        if (std::filesystem::create_directory(candidate, failed)) {
            dir = candidate.generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

temp_dir::~temp_dir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::string temp_dir::write(std::string const& name, std::string const& text) const {
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string read_file(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#if defined(_WIN32)

namespace {

// One word of a command line as the C runtime's argument parser reads it back.
std::string argument_quoted(std::string const& word) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
        } else {
            // Backslashes before a quote are doubled, and the quote escaped.
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    return quoted.append(backslashes, '\\') + "\"";
}

// A file handle the child inherits as one of its standard streams.
HANDLE inherited(std::string const& path, bool reading) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileA(path.c_str(), reading ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ,
                         &inherit, reading ? OPEN_EXISTING : CREATE_ALWAYS, 0, nullptr);
}

}  // namespace

// Started directly, without the command interpreter and its quoting rules; the settings of
// env_prefix ("A=1 B=") are set in this process's environment for the child to inherit,
// then set back.
process_result run_runner(std::vector<std::string> const& args, std::string const& stdin_text,
                          std::string const& env_prefix) {
    temp_dir io;
    std::string command = argument_quoted(VEXEL_RUNNER_PATH);
    for (std::string const& a : args) command += " " + argument_quoted(a);
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    std::istringstream settings(env_prefix);
    for (std::string setting; settings >> setting;) {
        std::string name = setting.substr(0, setting.find('='));
        char const* before = std::getenv(name.c_str());
        saved.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
        std::string value = setting.substr(name.size() + 1);
        ::SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
    }
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = inherited(io.write("stdin", stdin_text), true);
    start.hStdOutput = inherited(io.path() + "/out", false);
    start.hStdError = inherited(io.path() + "/err", false);
    PROCESS_INFORMATION child{};
    // Under a loaded Wine a process start now and then fails at once; it is tried again
    // before the run counts as one that did not start.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) ::Sleep(200);
        started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &start, &child);
    }
    for (HANDLE stream : {start.hStdInput, start.hStdOutput, start.hStdError}) ::CloseHandle(stream);
    for (auto const& [name, value] : saved)
        ::SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
    DWORD status = static_cast<DWORD>(-1);
    if (started) {
        ::WaitForSingleObject(child.hProcess, INFINITE);
        ::GetExitCodeProcess(child.hProcess, &status);
        ::CloseHandle(child.hProcess);
        ::CloseHandle(child.hThread);
    }
    return {static_cast<int>(status), read_file(io.path() + "/out"), read_file(io.path() + "/err")};
}

#else

namespace {

std::string shell_quoted(std::string const& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

process_result run_runner(std::vector<std::string> const& args, std::string const& stdin_text,
                          std::string const& env_prefix) {
    temp_dir io;
    std::string in = io.write("stdin", stdin_text);
    std::string command = env_prefix + (env_prefix.empty() ? "" : " ") + shell_quoted(VEXEL_RUNNER_PATH);
    for (std::string const& a : args) command += " " + shell_quoted(a);
    command += " <" + shell_quoted(in) + " >" + shell_quoted(io.path() + "/out") + " 2>" +
               shell_quoted(io.path() + "/err");
    int raw = std::system(command.c_str());
    int status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return {status, read_file(io.path() + "/out"), read_file(io.path() + "/err")};
}

#endif

std::vector<json> dumps_of(std::string const& out) {
    std::vector<json> dumps;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("{\"title\": ", 0) == 0) dumps.push_back(json::parse(line));
    return dumps;
}

double box_number(json const& dump, int row, int axis) {
    json const& c = dump.at("controls").at(script::vexel_controls::box(row, axis));
    if (c["kind"] == "number") return c["value"].get<double>();
    return std::strtod(c["text"].get<std::string>().c_str(), nullptr);
}

void session_fixture::open(std::string const& scene_json, runner::runner_options options) {
    if (options.module_path.empty()) options.module_path = VEXEL_MODULE_PATH;
    session = std::make_unique<runner::runner_session>(options, out, err);
    ASSERT_TRUE(session->start(files.write("scene.json", scene_json))) << err.str();
}

bool session_fixture::play(std::string const& script_text) {
    script::script s = script::parse_script_text(script_text, "test.vxs");
    return session->run(s);
}

json session_fixture::dump() { return json::parse(script::one_line_json(script::window_dump(session->window()))); }

}  // namespace runner_test
