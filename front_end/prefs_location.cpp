#include "prefs_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace front_end {

std::string default_prefs_file(std::string const& program) {
    std::filesystem::path dir;
#if defined(_WIN32)
    // The user's roaming application data, where Windows programs keep their settings.
    char const* app_data = std::getenv("APPDATA");
    if (!app_data || app_data[0] == '\0') return "";
    dir = app_data;
#else
    char const* config = std::getenv("XDG_CONFIG_HOME");
    char const* home = std::getenv("HOME");
    // A relative XDG_CONFIG_HOME is ignored, as the XDG convention asks.
    if (config && config[0] == '/')
        dir = config;
    else if (home && home[0] != '\0')
        dir = std::filesystem::path(home) / ".config";
    else
        return "";
#endif
    dir /= program;
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    if (failed) return "";
    return (dir / "prefs.json").string();
}

}  // namespace front_end
