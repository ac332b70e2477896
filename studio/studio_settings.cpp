#include "studio_settings.h"

#include <filesystem>

#include <QSettings>

namespace studio {

studio_settings::studio_settings(std::string given) : file(std::move(given)) {
    if (file.empty() || !std::filesystem::exists(file)) return;
    QSettings kept(QString::fromStdString(file), QSettings::IniFormat);
    if (kept.contains("tool_window/place")) place = kept.value("tool_window/place").toPoint();
    int factor = kept.value("tool_window/scale", 1).toInt();
    scale = factor == 2 ? 2 : 1;
}

std::string studio_settings::beside(std::string const& prefs_file) {
    if (prefs_file.empty()) return "";
    return (std::filesystem::path(prefs_file).parent_path() / "studio.ini").string();
}

void studio_settings::set_tool_place(QPoint at) {
    if (place == at) return;
    place = at;
    save();
}

void studio_settings::set_window_scale(int factor) {
    scale = factor == 2 ? 2 : 1;
    save();
}

void studio_settings::save() const {
    if (file.empty()) return;
    QSettings kept(QString::fromStdString(file), QSettings::IniFormat);
    if (place) kept.setValue("tool_window/place", *place);
    kept.setValue("tool_window/scale", scale);
}

}  // namespace studio
