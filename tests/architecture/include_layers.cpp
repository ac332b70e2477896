#include "include_layers.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

namespace fs = std::filesystem;

namespace architecture_test {
namespace {

// What each folder may include besides itself: whole folders ("shape/") or single files.
// The same arrows as ARCHITECTURE.md; a folder not listed here is not checked.
std::map<std::string, std::vector<std::string>> const allowed = {
    {"include", {}},
    {"platform", {"include/"}},
    {"shape", {"include/"}},
    {"window", {"include/", "shape/", "platform/edit_text_class.h", "entry/module_state.h"}},
    {"entry", {"include/", "shape/shape_class.h", "window/vexel_window.h"}},
    // The reference host's rooms, each above the ones it may include.
    {"host/checks", {"include/"}},
    {"host/text", {"include/"}},
    {"host/resources", {"include/", "host/checks/", "host/text/"}},
    {"host/scene", {"include/", "host/checks/", "host/text/"}},
    {"host/scene_files", {"include/", "host/checks/", "host/text/", "host/scene/"}},
    {"host/services", {"include/", "host/checks/", "host/text/", "host/resources/"}},
    {"host/session",
     {"include/", "host/checks/", "host/text/", "host/resources/", "host/scene/",
      "host/scene_files/", "host/services/"}},
    {"script", {"include/", "host/"}},
    // How the front ends are started: the core knows nothing of it.
    {"front_end", {"host/text/"}},
    {"vexel-host", {"include/", "host/", "script/", "front_end/"}},
    {"studio", {"include/", "host/", "script/", "front_end/"}},
    // The window's promises watch a script's play; they know no front end.
    {"oracles", {"include/", "host/", "script/"}},
    // Where a front end and the oracles meet: the program, the session fuzzer.
    {"programs", {"vexel-host/", "oracles/"}},
    {"fuzz", {"include/", "host/", "script/", "vexel-host/", "oracles/", "window/decimal_text.h"}},
    {"bench", {"include/", "host/", "script/", "studio/"}},
};

// Library headers that one folder alone may include: the core never learns how it is driven.
std::map<std::string, std::string> const library_home = {{"CLI/", "front_end"}};

// The entry points are called by the host only: no other source includes their header.
std::string const entry_header = "entry/entry_points.h";
std::string const entry_source = "entry/entry_points.cpp";

bool is_source(fs::path const& p) {
    std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".mm" || p.extension().empty();
}

// The top folder, or for host/ its room: "window", "host/scene".
std::string folder_of(std::string const& relative) {
    std::size_t end = relative.find('/');
    if (relative.compare(0, end, "host") == 0) end = relative.find('/', end + 1);
    return relative.substr(0, end);
}

bool permitted(std::string const& from, std::string const& to) {
    if (to == entry_header) return from == entry_source;
    if (folder_of(from) == folder_of(to)) return true;
    for (std::string const& allowed_to : allowed.at(folder_of(from))) {
        bool folder = allowed_to.back() == '/';
        if (folder ? to.compare(0, allowed_to.size(), allowed_to) == 0 : to == allowed_to)
            return true;
    }
    return false;
}

std::string listing(std::string const& folder) {
    std::string text;
    for (std::string const& to : allowed.at(folder)) text += (text.empty() ? "" : ", ") + to;
    return text.empty() ? "only itself" : text;
}

}  // namespace

std::vector<std::string> include_violations(std::string const& root) {
    std::vector<std::string> files;  // relative to root, '/' separated
    for (auto const& [folder, _] : allowed) {
        if (!fs::is_directory(fs::path(root) / folder)) continue;
        for (auto const& entry : fs::recursive_directory_iterator(fs::path(root) / folder))
            if (entry.is_regular_file() && is_source(entry.path()))
                files.push_back(fs::relative(entry.path(), root).generic_string());
    }
    auto resolve = [&](std::string const& from, std::string const& name) -> std::vector<std::string> {
        std::string beside = (fs::path(from).parent_path() / name).generic_string();
        for (std::string const& f : files)
            if (f == beside) return {f};
        std::vector<std::string> found;
        for (std::string const& f : files)
            if (f == name || (f.size() > name.size() && f.compare(f.size() - name.size(), name.size(), name) == 0 &&
                              f[f.size() - name.size() - 1] == '/'))
                found.push_back(f);
        return found;
    };

    std::regex const include_line(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::regex const library_line(R"re(^\s*#\s*include\s*<([^>]+)>)re");
    std::vector<std::string> problems;
    for (std::string const& from : files) {
        std::ifstream in(fs::path(root) / from);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            std::smatch m;
            std::string where = from + ":" + std::to_string(number) + ": ";
            if (std::regex_search(line, m, library_line)) {
                for (auto const& [prefix, home] : library_home)
                    if (m[1].str().compare(0, prefix.size(), prefix) == 0 && folder_of(from) != home)
                        problems.push_back(where + "includes <" + m[1].str() + "> (only " + home + " may)");
                continue;
            }
            if (!std::regex_search(line, m, include_line)) continue;
            std::vector<std::string> targets = resolve(from, m[1]);
            if (targets.size() > 1) {
                problems.push_back(where + "\"" + m[1].str() + "\" names " +
                                   std::to_string(targets.size()) + " files");
            } else if (targets.size() == 1 && !permitted(from, targets[0])) {
                problems.push_back(where + "includes " + targets[0] + " (" + folder_of(from) +
                                   " may include " + listing(folder_of(from)) + ")");
            }
        }
    }
    return problems;
}

}  // namespace architecture_test
