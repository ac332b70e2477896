// The studio as the tests drive it: the host, the main window, the dialog presenter that
// answers the settings dialog as a script does, a preference folder of the
// test's own, and helpers that answer the next message box the studio opens.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "main_window.h"
#include "settings_dialog.h"
#include "studio_settings.h"

namespace studio_test {

inline std::string example(char const* name) {
    return std::string(VEXEL_SOURCE_DIR) + "/examples/" + name;
}

// A folder of the test's own, removed with it.
struct scratch_dir {
    scratch_dir() {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~scratch_dir() { std::filesystem::remove_all(path); }
    std::string file(char const* name) const { return path + "/" + name; }
    std::string path = std::filesystem::temp_directory_path() /
                       ("vexel-studio-test-" + std::to_string(::getpid()));
};

// The studio with its preferences in the scratch folder; prefs_word picks the plug-in's
// settings (2: host number boxes, 0: plain text fields, 4: undo).
struct studio_fixture {
    explicit studio_fixture(int prefs_word = 0, std::string const& lang = "en")
        : host{{VEXEL_MODULE_PATH, lang, dir.file("prefs.json")}} {
        std::ofstream(dir.file("prefs.json"))
            << R"({"d43b04ce-8713-4d82-8b7c-c79466f1bfd2": )" << prefs_word << "}";
        host.set_dialog_presenter(studio::dialog_presenter_for(&window, &answer));
        window.use_settings(&kept);
    }
    // Starts as a person's studio does (ticks, message boxes, the tool window placed).
    bool start_for_a_person(std::string const& scene) {
        window.show();
        return window.start(scene);
    }

    scratch_dir dir;
    studio::studio_host host;
    studio::main_window window{host};
    studio::studio_settings kept;
    host::dialog_answer answer;  // what the settings dialog is answered with
};

// Runs act on the next modal message box once it is open (inside its own event loop).
inline void when_a_box_opens(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) act(*box);
    });
}

// Clicks the button of the next box with the given role or standard button.
inline void answer_next_box(QMessageBox::StandardButton button, std::string* headline = nullptr) {
    when_a_box_opens([button, headline](QMessageBox& box) {
        if (headline) *headline = box.text().toStdString();
        box.button(button)->click();
    });
}

}  // namespace studio_test
