// Where a front end keeps the preference store when --prefs is not given.
#pragma once

#include <string>

namespace front_end {

// $XDG_CONFIG_HOME/PROGRAM/prefs.json, else ~/.config/PROGRAM/prefs.json (program:
// "vexel-host", "vexel-studio"); on Windows %APPDATA%\PROGRAM\prefs.json. The folder is
// created. "" (preferences in memory only) when no variable names a folder or the folder
// cannot be made.
std::string default_prefs_file(std::string const& program);

}  // namespace front_end
