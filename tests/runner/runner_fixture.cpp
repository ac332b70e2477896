#include "runner_fixture.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <cstdio>
#include <filesystem>
#include <iterator>
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

namespace {

#if defined(_WIN32)

// The Windows command interpreter's quoting; the test's words hold no quotes of their own.
std::string shell_quoted(std::string const& word) { return "\"" + word + "\""; }

// "A=1 B=" as the interpreter's "set" commands before the program.
std::string environment_commands(std::string const& env_prefix) {
    std::istringstream words(env_prefix);
    std::string setting, commands;
    while (words >> setting) commands += "set \"" + setting + "\" && ";
    return commands;
}

#else

std::string shell_quoted(std::string const& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

#endif

}  // namespace

process_result run_runner(std::vector<std::string> const& args, std::string const& stdin_text,
                          std::string const& env_prefix) {
    temp_dir io;
    std::string in = io.write("stdin", stdin_text);
#if defined(_WIN32)
    std::string command = environment_commands(env_prefix) + shell_quoted(VEXEL_RUNNER_PATH);
#else
    std::string command = env_prefix + (env_prefix.empty() ? "" : " ") + shell_quoted(VEXEL_RUNNER_PATH);
#endif
    for (std::string const& a : args) command += " " + shell_quoted(a);
    command += " <" + shell_quoted(in) + " >" + shell_quoted(io.path() + "/out") + " 2>" +
               shell_quoted(io.path() + "/err");
#if defined(_WIN32)
    // cmd /c drops the first and the last quote of a command that starts with one.
    command = "\"" + command + "\"";
#endif
    int raw = std::system(command.c_str());
#if defined(_WIN32)
    int status = raw;  // the program's exit status
#else
    int status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return {status, read_file(io.path() + "/out"), read_file(io.path() + "/err")};
}

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
