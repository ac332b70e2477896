// What the studio itself keeps across runs, beside the plug-in's preference file: where
// the person put the vexel tool window and the window scale. A studio whose preferences
// live in memory only keeps these in memory too.
#pragma once

#include <optional>
#include <string>

#include <QPoint>

namespace studio {

class studio_settings {
public:
    // file: an INI file ("" keeps everything in memory); read at once when it exists.
    explicit studio_settings(std::string file = "");

    std::optional<QPoint> tool_place() const { return place; }
    void set_tool_place(QPoint at);
    int window_scale() const { return scale; }
    void set_window_scale(int factor);

    // The file beside the preference file prefs_file ("" for "").
    static std::string beside(std::string const& prefs_file);

private:
    void save() const;

    std::string file;
    std::optional<QPoint> place;
    int scale = 1;
};

}  // namespace studio
