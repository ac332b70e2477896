#include "session/prefs_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string default_prefs_file(std::string const& program) {
    std::filesystem::path dir;
    char const* config = std::getenv("XDG_CONFIG_HOME");
    char const* home = std::getenv("HOME");
    // A relative XDG_CONFIG_HOME is ignored, as the XDG convention asks.
    if (config && config[0] == '/')
        dir = config;
    else if (home && home[0] != '\0')
        dir = std::filesystem::path(home) / ".config";
    else
        return "";
    dir /= program;
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    if (failed) return "";
    return (dir / "prefs.json").string();
}
