// Where vexel-host keeps the preference store when --prefs is not given.
#pragma once

#include <string>

// $XDG_CONFIG_HOME/vexel-host/prefs.json, else ~/.config/vexel-host/prefs.json; the folder
// is created. "" (preferences in memory only) when neither variable names a folder or the
// folder cannot be made.
std::string default_prefs_file();
