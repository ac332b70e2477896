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

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "main_window.h"
#include "prefs_location.h"
#include "script_player.h"
#include "script_syntax.h"
#include "settings_dialog.h"
#include "studio_host.h"
#include "studio_settings.h"

namespace {

char const usage[] =
    "usage: vexel-studio [--module PATH] [--lang en|ja] [--prefs FILE] [--script FILE]\n"
    "                    [--png DIR] [--no-announce] [SCENE.json]\n";

char const help[] =
    "  --module PATH   the plug-in module to load (default: the one built beside the studio)\n"
    "  --lang en|ja    the host's language for the plug-in's texts and dialogs (en)\n"
    "  --prefs FILE    the preference store (default: $XDG_CONFIG_HOME/vexel-studio/prefs.json\n"
    "                  or ~/.config/vexel-studio/prefs.json)\n"
    "  --script FILE   play a vexel-host script through the real widgets, print its output\n"
    "                  and exit\n"
    "  --png DIR       with --script: write every dump also as DIR/001.png, 002.png, ...\n"
    "  --no-announce   do not announce the scene at start (a script announces it with\n"
    "                  the action announce)\n";

struct command_line {
    studio::studio_options options;
    bool prefs_given = false;
    std::string script, png_dir, scene;
};

// Throws std::invalid_argument with the problem; exits for --help.
command_line parse(int argc, char** argv) {
    command_line c;
    c.options.module_path = VEXEL_DEFAULT_MODULE;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            std::fputs(help, stdout);
            std::exit(0);
        } else if (arg == "--module") {
            c.options.module_path = value();
        } else if (arg == "--lang") {
            c.options.lang = value();
            if (c.options.lang != "en" && c.options.lang != "ja")
                throw std::invalid_argument("--lang: expected en or ja, got \"" + c.options.lang + "\"");
        } else if (arg == "--prefs") {
            c.options.prefs_file = value();
            c.prefs_given = true;
        } else if (arg == "--script") {
            c.script = value();
        } else if (arg == "--png") {
            c.png_dir = value();
        } else if (arg == "--no-announce") {
            c.options.announce = false;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            throw std::invalid_argument("unknown option " + arg);
        } else if (c.scene.empty()) {
            c.scene = arg;
        } else {
            throw std::invalid_argument("more than one scene file (" + c.scene + ", " + arg + ")");
        }
    }
    if (!c.png_dir.empty() && c.script.empty())
        throw std::invalid_argument("--png needs --script");
    if (!c.prefs_given) c.options.prefs_file = default_prefs_file("vexel-studio");
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
    } catch (std::invalid_argument const& e) {
        std::fprintf(stderr, "vexel-studio: %s\n%s", e.what(), usage);
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
