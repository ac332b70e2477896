// vexel-studio: the reference host as a desktop program.
//   vexel-studio [--module PATH] [--lang en|ja] [--prefs FILE] [--script FILE] [--png DIR]
//                [--no-announce] [SCENE.json]
// Without --script it opens the studio for a person; with it, it plays the script through
// the real widgets, prints what the runner prints and exits (0 when nothing failed).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "command_line_reader.h"
#include "main_window.h"
#include "prefs_location.h"
#include "script_player.h"
#include "script_syntax.h"
#include "settings_dialog.h"
#include "studio_host.h"
#include "studio_settings.h"
#include "text/quoted_word.h"

namespace {

using front_end::usage_error;

char const usage[] =
    "usage: vexel-studio [--module PATH] [--lang en|ja] [--prefs FILE] [--script FILE]\n"
    "                    [--png DIR] [--no-announce] [SCENE.json]\n";

struct command_line {
    studio::studio_options options;
    std::string script, png_dir, scene;
};

// The reader with the studio's own options declared, writing into c.
struct studio_command_line {
    explicit studio_command_line(command_line& c) : reader("vexel-studio", usage) {
        reader.app()
            .add_option("--script", c.script,
                        "play a vexel-host script through the real widgets, print its\n"
                        "output and exit")
            ->option_text("FILE");
        reader.app()
            .add_option("--png", c.png_dir, "with --script: write every dump also as DIR/001.png, 002.png, ...")
            ->option_text("DIR");
    }
    front_end::command_line_reader reader;
};

// Throws usage_error; exits for --help.
command_line parse(int argc, char** argv) {
    command_line c;
    studio_command_line line(c);
    std::vector<std::string> positional = line.reader.parse(argc, argv);
    front_end::common_options const& common = line.reader.common();
    if (common.help) {
        std::fputs(line.reader.help().c_str(), stdout);
        std::exit(0);
    }
    if (positional.size() > 1) throw usage_error("unexpected argument " + host::quoted_word(positional[1]));
    if (!positional.empty()) c.scene = positional[0];
    if (!c.png_dir.empty() && c.script.empty()) throw usage_error("--png needs --script");
    c.options.module_path = common.module_path.empty() ? VEXEL_DEFAULT_MODULE : common.module_path;
    c.options.lang = common.lang;
    c.options.announce = common.announce;
    c.options.prefs_file = common.prefs_given ? common.prefs_file : front_end::default_prefs_file("vexel-studio");
    return c;
}

int play(command_line const& c, studio::studio_host& host, studio::main_window& window,
         host::dialog_answer& answer) {
    script::script actions;
    try {
        actions = script::load_script_file(c.script);
    } catch (script::script_error const& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    if (!c.png_dir.empty()) {
        std::error_code failed;
        std::filesystem::create_directories(c.png_dir, failed);
        if (failed) {
            std::cerr << "vexel-studio: " << c.png_dir << ": cannot make the folder\n";
            return 1;
        }
    }
    studio::script_player player(host, window.vexel(), answer, std::cout, std::cerr, c.png_dir);
    window.set_interactive(false);
    window.show();
    bool ok = host.start(c.scene);
    if (ok) ok = player.run(actions);
    if (ok && !c.png_dir.empty()) {
        // The whole studio as it stands after the script: the main window with the tool
        // window drawn at its place.
        QPixmap picture = window.grab();
        QPainter painter(&picture);
        if (window.vexel().isVisible())
            painter.drawPixmap(window.vexel().pos() - window.pos(), window.vexel().grab());
        painter.end();
        picture.save(QString::fromStdString(c.png_dir + "/studio.png"), "PNG");
    }
    return player.finish() && ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    command_line c;
    try {
        c = parse(argc, argv);
    } catch (usage_error const& e) {
        std::fputs(front_end::refusal_text("vexel-studio", e, usage, "every option").c_str(), stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("vexel-studio");
    host::dialog_answer answer;
    studio::studio_host host(c.options);
    studio::main_window window(host);
    // A script answers the settings dialog itself; a person gets it modally.
    host.set_dialog_presenter(
        studio::dialog_presenter_for(&window, c.script.empty() ? nullptr : &answer));
    if (!c.script.empty()) return play(c, host, window, answer);

    QObject::connect(&host, &studio::studio_host::failure,
                     [](QString const& line) { std::cerr << line.toStdString() << "\n"; });
    // The tool window's place and the window scale are kept beside the preference file.
    studio::studio_settings kept(studio::studio_settings::beside(c.options.prefs_file));
    window.use_settings(&kept);
    // The main window first: the tool window is placed beside it.
    window.show();
    if (!window.start(c.scene)) return 1;
    return app.exec();
}
