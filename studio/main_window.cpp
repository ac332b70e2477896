#include "main_window.h"

#include <cctype>
#include <filesystem>
#include <regex>

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>

#include "studio_words.h"
#include "window_controls.h"

namespace studio {

namespace {

// A key the platform may leave without a binding (Save As, Redo and Quit on some desktops).
QKeySequence key_or(QKeySequence::StandardKey key, char const* fallback) {
    QList<QKeySequence> bound = QKeySequence::keyBindings(key);
    return bound.isEmpty() ? QKeySequence(QString::fromLatin1(fallback)) : bound.first();
}

// Why a scene file could not be opened, in plain words: what is wrong at which place,
// without the file's name, which the headline gives.
std::string open_problem_words(std::string const& file, std::string const& what) {
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored)) return "There is no file at " + file + ".";
    if (std::filesystem::is_directory(file, ignored)) return file + " is a folder, not a scene file.";
    std::string rest = what.rfind(file + ": ", 0) == 0 ? what.substr(file.size() + 2) : what;
    // The JSON parser's own words stay out: the place, and what is wrong there, plainly.
    static std::regex const parse_error(R"(malformed JSON: parse error at line (\d+), column (\d+): (.*))");
    std::smatch found;
    if (std::regex_match(rest, found, parse_error))
        return "Malformed JSON at line " + found[1].str() + ", column " + found[2].str() + ": " +
               (found[3].str().find("unexpected end of input") != std::string::npos
                    ? "the file ends before the scene is complete."
                    : "the text there is not JSON (a comma, bracket, quote or digit too many or missing).");
    if (!rest.empty()) rest[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    return rest + ".";
}

}  // namespace

main_window::main_window(studio_host& given, QWidget* parent)
    : QMainWindow(parent), host(given) {
    setObjectName("studio_main_window");
    tree = new shape_outline(host, this);
    scene = new scene_view(host, this);
    auto* split = new QSplitter(this);
    split->addWidget(tree);
    split->addWidget(scene);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);
    // The tool window is a window of its own, not a child of this one: a window manager
    // that minimizes a window's transients with it would otherwise also take the main
    // window down when the person minimizes the tool window.
    tool = std::make_unique<vexel_window_widget>(host);
    // Made now, so that the first note does not push the view up.
    statusBar()->showMessage(QString());
    build_menus();

    connect(&host, &studio_host::failure, this, &main_window::show_failure);
    connect(&host, &studio_host::message, this, [this](QString const& text) {
        if (interactive) QMessageBox::information(this, QStringLiteral("vexel"), text);
    });
    connect(&host, &studio_host::scene_replaced, this, &main_window::follow_title);
    connect(&host, &studio_host::modified_changed, this, &main_window::follow_title);
    connect(&host, &studio_host::scene_changed, this, &main_window::follow_edit_actions);
    connect(&host, &studio_host::scene_replaced, this, &main_window::follow_edit_actions);
    connect(tool.get(), &vexel_window_widget::placed_by_person, this, &main_window::keep_tool_place);
    connect(tool.get(), &vexel_window_widget::note, this, [this](QString const& text) {
        statusBar()->showMessage(text, 5000);
    });
    connect(tool.get(), &vexel_window_widget::edit_without_undo, this, [this](QString const& app, QString const& snap) {
        statusBar()->showMessage(say("%1 and %2 cannot be undone while the plug-in's undo setting is off: "
                                     "Edit > Vexel Settings..., \"%3\" switches it on.")
                                     .arg(app.trimmed(), snap.trimmed(), say("Activate undo.")),
                                 30000);
    });
    connect(&ticks, &QTimer::timeout, this, &main_window::tick);
    ticks.setInterval(100);
    resize(1000, 640);
    follow_title();
}

QString main_window::say(char const* english) const { return studio_word(host.language(), english); }

void main_window::build_menus() {
    use_qt_words(host.language());
    // Made anew in the host's language; the old menus go with their actions.
    for (QMenu* old : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        delete old;
    menuBar()->clear();
    QMenu* file = menuBar()->addMenu(say("&File"));
    file->addAction(say("&Open..."), QKeySequence::Open, this, &main_window::open_file);
    file->addAction(say("&Save"), QKeySequence::Save, this, [this] { save_file(false); });
    file->addAction(say("Save &As..."), key_or(QKeySequence::SaveAs, "Ctrl+Shift+S"), this,
                    [this] { save_file(true); });
    file->addSeparator();
    QAction* quit = file->addAction(say("&Quit"), key_or(QKeySequence::Quit, "Ctrl+Q"), this, [this] {
        if (close()) QApplication::quit();
    });
    quit->setObjectName("quit_action");

    QMenu* edit = menuBar()->addMenu(say("&Edit"));
    undo_action = edit->addAction(say("&Undo"), QKeySequence::Undo, this, [this] {
        if (!host.undo()) statusBar()->showMessage(say("Nothing to undo"), 3000);
        follow_edit_actions();
    });
    redo_action = edit->addAction(say("&Redo"), key_or(QKeySequence::Redo, "Ctrl+Shift+Z"), this, [this] {
        if (!host.redo()) statusBar()->showMessage(say("Nothing to redo"), 3000);
        follow_edit_actions();
    });
    undo_action->setObjectName("undo_action");
    redo_action->setObjectName("redo_action");
    edit->addSeparator();
    edit->addAction(say("Vexel &Settings..."), this, &main_window::open_settings);

    QMenu* viewing = menuBar()->addMenu(say("&View"));
    auto* sides = new QActionGroup(viewing);
    auto add_side = [&](char const* name, projection p, char const* key) {
        QAction* a = viewing->addAction(say(name), this, [this, p] { scene->set_projection(p); });
        a->setShortcut(QKeySequence(QString::fromLatin1(key)));
        a->setCheckable(true);
        a->setChecked(p == scene->current_projection());
        sides->addAction(a);
    };
    add_side("&Top", projection::top, "1");
    add_side("&Front", projection::front, "2");
    add_side("&Side", projection::side, "3");
    viewing->addSeparator();
    QAction* zoom_in = viewing->addAction(say("Zoom &In"), this, [this] { scene->zoom_by(1.25); });
    // Ctrl+= as well: the key that has + on it without Shift.
    zoom_in->setShortcuts(QKeySequence::keyBindings(QKeySequence::ZoomIn) << QKeySequence(QStringLiteral("Ctrl+=")));
    viewing->addAction(say("Zoom &Out"), QKeySequence::ZoomOut, this, [this] { scene->zoom_by(0.8); });
    viewing->addAction(say("&Fit"), QKeySequence(QStringLiteral("F")), scene, &scene_view::fit);
    viewing->addSeparator();
    viewing->addAction(say("Show &Vexel Window"), this, [this] {
        host.show_window();
        // A tool window the person minimized comes back as well.
        if (tool->isVisible()) {
            tool->setWindowState(tool->windowState() & ~Qt::WindowMinimized);
            tool->raise();
        }
    });
    QMenu* scales = viewing->addMenu(say("Window &Scale"));
    auto* scale_group = new QActionGroup(scales);
    for (int factor : {1, 2}) {
        QAction* a = scales->addAction(QStringLiteral("%1x").arg(factor), this,
                                       [this, factor] { set_window_scale(factor); });
        a->setCheckable(true);
        a->setChecked(tool->scale() == factor);
        scale_group->addAction(a);
    }

    QMenu* language = menuBar()->addMenu(say("&Language"));
    auto* langs = new QActionGroup(language);
    for (auto [name, code] : {std::pair{"English", "en"}, std::pair{"日本語", "ja"}}) {
        QAction* a = language->addAction(QString::fromUtf8(name), this, [this, code = code] {
            // Later: the switch rebuilds this menu.
            QTimer::singleShot(0, this, [this, code] { switch_language(code); });
        });
        a->setCheckable(true);
        a->setChecked(host.language() == code);
        langs->addAction(a);
    }
    follow_edit_actions();
}

void main_window::set_interactive(bool on) {
    interactive = on;
    if (on)
        ticks.start();
    else
        ticks.stop();
}

bool main_window::start(std::string const& scene_path) {
    if (settings) tool->set_scale(settings->window_scale());
    host.start(scene_path);
    if (!host.loaded()) return false;
    scene->fit();
    set_interactive(true);
    place_tool_window();
    build_menus();
    if (!host.open_problem().empty())
        show_problem(say("Could not open %1").arg(QFileInfo(QString::fromStdString(scene_path)).fileName()),
                     open_problem_words(scene_path, host.open_problem()));
    return true;
}

void main_window::tick() {
    // While a dialog or message box of the host is open the plug-in waits, as under a real
    // host's modal loop: no message of it is shown twice, nothing changes behind the box.
    if (QApplication::activeModalWidget()) return;
    host.idle_tick();
}

void main_window::follow_title() {
    QString name = host.scene_path().empty()
                       ? say("Untitled")
                       : QFileInfo(QString::fromStdString(host.scene_path())).fileName();
    setWindowTitle(name + QStringLiteral("[*] - vexel-studio"));
    setWindowModified(host.modified());
}

void main_window::follow_edit_actions() {
    // Several changes in one event come down to one look at the undo steps; a drag's moves
    // none (its end is looked at).
    if (edit_actions_due || host.in_drag()) return;
    edit_actions_due = true;
    QTimer::singleShot(0, this, [this] {
        edit_actions_due = false;
        undo_action->setEnabled(host.can_undo());
        redo_action->setEnabled(host.can_redo());
    });
}

void main_window::show_failure(QString const& line) { statusBar()->showMessage(line, 8000); }

void main_window::show_problem(QString const& headline, std::string const& problem) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("vexel-studio"), headline,
                                QMessageBox::Ok, this);
    box->setObjectName("problem_box");
    box->setInformativeText(QString::fromStdString(problem));
    box->button(QMessageBox::Ok)->setText(say("OK"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (interactive)
        box->open();
    else
        box->deleteLater();
}

bool main_window::keep_or_discard_changes() {
    if (!host.modified()) return true;
    QString name = host.scene_path().empty()
                       ? say("Untitled")
                       : QFileInfo(QString::fromStdString(host.scene_path())).fileName();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("vexel-studio"),
                    say("Save the changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("save_changes_box");
    box.setInformativeText(say("The scene was changed since it was opened or saved. Changes that are not saved are lost."));
    box.button(QMessageBox::Save)->setText(say("Save"));
    box.button(QMessageBox::Discard)->setText(say("Don't Save"));
    box.button(QMessageBox::Cancel)->setText(say("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    int answer = box.exec();
    if (answer == QMessageBox::Save) return save_file(false);
    return answer == QMessageBox::Discard;
}

void main_window::closeEvent(QCloseEvent* event) {
    if (interactive && !keep_or_discard_changes()) {
        event->ignore();
        return;
    }
    keep_tool_place();
    set_interactive(false);
    event->accept();
}

void main_window::open_file() {
    if (!keep_or_discard_changes()) return;
    QString file = QFileDialog::getOpenFileName(this, say("Open Scene"), QString(),
                                                say("Scene files (*.json);;All files (*)"));
    if (file.isEmpty()) return;
    try {
        host.open_scene(file.toStdString());
    } catch (std::exception const& e) {
        show_problem(say("Could not open %1").arg(QFileInfo(file).fileName()),
                     open_problem_words(file.toStdString(), e.what()));
    }
}

bool main_window::save_file(bool ask_name) {
    QString file = QString::fromStdString(host.scene_path());
    if (ask_name || file.isEmpty())
        file = QFileDialog::getSaveFileName(this, say("Save Scene"), file,
                                            say("Scene files (*.json);;All files (*)"));
    if (file.isEmpty()) return false;
    try {
        host.save_scene(file.toStdString());
    } catch (std::exception const& e) {
        std::string what = e.what(), path = file.toStdString();
        if (what.rfind(path + ": ", 0) == 0) what = what.substr(path.size() + 2);
        show_problem(say("Could not save %1").arg(QFileInfo(file).fileName()), what);
        return false;
    }
    follow_title();
    statusBar()->showMessage(say("Saved %1").arg(file), 3000);
    return true;
}

void main_window::open_settings() {
    // The plug-in opens its settings dialog on "Ref." clicked with action code 2.
    auto* ref = qobject_cast<QAbstractButton*>(tool->control_widget(script::vexel_controls::ref));
    if (!ref || !ref->isEnabled()) return;
    tool->set_next_action(2);
    ref->click();
}

void main_window::switch_language(std::string const& lang) {
    if (host.language() == lang) return;
    // The plug-in reads its texts when its window is made: a new language reloads it, and
    // what it keeps only in memory, its memory slots, is gone. The scene stays as it is.
    // In the language in use, naming the new one in its own script.
    QString target = QString::fromUtf8(lang == "ja" ? "日本語" : "English");
    QMessageBox box(QMessageBox::Question, QStringLiteral("vexel-studio"),
                    say("Switch the language to %1?").arg(target), QMessageBox::NoButton, this);
    box.setObjectName("language_box");
    box.setInformativeText(say("The plug-in is loaded again in the new language: its memory slots are emptied and the window's modes (\"Loc.\"/\"Glo.\", the handle modes \"Abs.\"/\"Rel.\"/\"I b.\"/\"O b.\") start over. The scene, the active shape and the selected point stay."));
    QPushButton* save_first = nullptr;
    if (host.modified())
        save_first = box.addButton(say("Save and Switch"), QMessageBox::AcceptRole);
    QPushButton* go = box.addButton(say("Switch"), QMessageBox::DestructiveRole);
    QPushButton* stay = box.addButton(say("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save_first ? save_first : go);
    box.setEscapeButton(stay);
    box.exec();
    QAbstractButton* chosen = box.clickedButton();
    if (!chosen || chosen == stay) {
        build_menus();  // the language menu shows the language still in use
        return;
    }
    if (chosen == save_first && !save_file(false)) {
        build_menus();
        return;
    }
    keep_tool_place();
    host.restart(lang);
    place_tool_window();
    build_menus();
    tree->rebuild();
    follow_title();
    scene->update();
}

void main_window::set_window_scale(int factor) {
    tool->set_scale(factor);
    if (settings) settings->set_window_scale(factor);
}

void main_window::keep_tool_place() {
    if (settings && interactive && host.loaded()) settings->set_tool_place(tool->frame_place());
}

void main_window::place_tool_window() {
    if (!interactive || !host.loaded()) return;
    if (settings && settings->tool_place()) {
        // A place kept on a larger screen, or at the screen's edge, comes back inside.
        tool->place_at(*settings->tool_place());
        tool->keep_on_screen();
        return;
    }
    // Beside the main window, on its right if the screen has room, else on its left, else
    // inside it at the top right of the view: never over the menu bar.
    QRect frame = frameGeometry();
    QRect screen_area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    QSize size = tool->frame_size();
    int gap = 8;
    QPoint at(frame.right() + 1 + gap, frame.top());
    if (at.x() + size.width() > screen_area.right()) at.setX(frame.left() - gap - size.width());
    if (at.x() < screen_area.left()) {
        QPoint view_corner = scene->mapToGlobal(QPoint(scene->width(), 0));
        at = QPoint(view_corner.x() - size.width() - gap, view_corner.y() + gap);
    }
    tool->place_at(at);
    tool->keep_on_screen();
}

}  // namespace studio
