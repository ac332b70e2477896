#include "main_window.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>

#include "runner_controls.h"

namespace studio {

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
    tool = new vexel_window_widget(host, this);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &main_window::open_file);
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { save_file(false); });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this] { save_file(true); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, qApp, &QApplication::quit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), QKeySequence::Undo, this, [this] {
        if (!host.undo()) statusBar()->showMessage(tr("Nothing to undo"), 3000);
    });
    edit->addAction(tr("Vexel &Settings..."), this, &main_window::open_settings);

    QMenu* viewing = menuBar()->addMenu(tr("&View"));
    auto* sides = new QActionGroup(this);
    auto add_side = [&](QString const& name, projection p, char const* key) {
        QAction* a = viewing->addAction(name, this, [this, p] { scene->set_projection(p); });
        a->setShortcut(QKeySequence(key));
        a->setCheckable(true);
        a->setChecked(p == projection::top);
        sides->addAction(a);
    };
    add_side(tr("&Top"), projection::top, "1");
    add_side(tr("&Front"), projection::front, "2");
    add_side(tr("&Side"), projection::side, "3");
    viewing->addSeparator();
    viewing->addAction(tr("Zoom &In"), QKeySequence::ZoomIn, this, [this] { scene->zoom_by(1.25); });
    viewing->addAction(tr("Zoom &Out"), QKeySequence::ZoomOut, this, [this] { scene->zoom_by(0.8); });
    viewing->addAction(tr("&Fit"), QKeySequence("F"), scene, &scene_view::fit);
    viewing->addSeparator();
    viewing->addAction(tr("Show &Vexel Window"), this, [this] { host.show_window(); });

    QMenu* language = menuBar()->addMenu(tr("&Language"));
    auto* langs = new QActionGroup(this);
    for (auto [name, code] : {std::pair{"English", "en"}, std::pair{"日本語", "ja"}}) {
        QAction* a = language->addAction(QString::fromUtf8(name), this,
                                         [this, code = code] { switch_language(code); });
        a->setCheckable(true);
        a->setChecked(host.language() == code);
        langs->addAction(a);
    }

    connect(&host, &studio_host::failure, this, &main_window::show_failure);
    connect(&host, &studio_host::message, this, [this](QString const& text) {
        if (interactive) QMessageBox::information(this, tr("vexel"), text);
    });
    connect(&host, &studio_host::scene_replaced, this, &main_window::follow_title);
    connect(&ticks, &QTimer::timeout, &host, &studio_host::idle_tick);
    ticks.setInterval(100);
    resize(1000, 640);
    follow_title();
}

void main_window::set_interactive(bool on) {
    interactive = on;
    if (on)
        ticks.start();
    else
        ticks.stop();
}

void main_window::follow_title() {
    QString name = host.scene_path().empty() ? tr("(untitled)")
                                             : QString::fromStdString(host.scene_path());
    setWindowTitle(name + " - vexel-studio");
}

void main_window::show_failure(QString const& line) {
    statusBar()->showMessage(line, 8000);
}

void main_window::open_file() {
    QString file = QFileDialog::getOpenFileName(this, tr("Open Scene"), QString(),
                                                tr("Scene files (*.json);;All files (*)"));
    if (file.isEmpty()) return;
    try {
        host.open_scene(file.toStdString());
    } catch (std::exception const& e) {
        QMessageBox::warning(this, tr("Open Scene"), QString::fromStdString(e.what()));
    }
}

void main_window::save_file(bool ask_name) {
    QString file = QString::fromStdString(host.scene_path());
    if (ask_name || file.isEmpty())
        file = QFileDialog::getSaveFileName(this, tr("Save Scene"), file,
                                            tr("Scene files (*.json);;All files (*)"));
    if (file.isEmpty()) return;
    try {
        host.save_scene(file.toStdString());
        follow_title();
        statusBar()->showMessage(tr("Saved %1").arg(file), 3000);
    } catch (std::exception const& e) {
        QMessageBox::warning(this, tr("Save Scene"), QString::fromStdString(e.what()));
    }
}

void main_window::open_settings() {
    // The plug-in opens its settings dialog on "Ref." clicked with action code 2.
    auto* ref = qobject_cast<QAbstractButton*>(tool->control_widget(host::vexel_controls::ref));
    if (!ref || !ref->isEnabled()) return;
    tool->set_next_action(2);
    ref->click();
}

void main_window::switch_language(char const* lang) {
    if (host.language() == lang) return;
    // The plug-in reads its texts when its window is made: a new language needs a restart.
    host.restart(lang);
}

}  // namespace studio
