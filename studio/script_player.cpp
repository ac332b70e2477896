#include "script_player.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>

#include "play.h"
#include "window_dump.h"

namespace studio {

namespace {

using script::script_action;
using script::script_error;

void send_key(QWidget* target, int key, QString const& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

}  // namespace

script_player::script_player(studio_host& given_host, vexel_window_widget& given_window,
                             host::dialog_answer& answer, std::ostream& out_to,
                             std::ostream& err_to, std::string pictures)
    : host(given_host), window(given_window), dialog_answer(answer), out_stream(out_to),
      err(err_to), png_dir(std::move(pictures)) {
    QObject::connect(&host, &studio_host::failure, &context, [this](QString const& line) {
        failed = true;
        std::string where = running && acting
                                ? running->name + ":" + std::to_string(acting->line) + ": "
                                : std::string("vexel-studio: ");
        err << where << line.toStdString() << "\n";
    });
    QObject::connect(&host, &studio_host::message, &context, [this](QString const& text) {
        out_stream << "message: " << text.toStdString() << "\n";
    });
}

void script_player::line_failed(host::failure_kind, std::string const& what) {
    failed = true;
    err << running->name << ":" << acting->line << ": " << what << "\n";
}

bool script_player::run(script::script const& actions) {
    running = &actions;
    host.session().collect();
    script::play(actions, *this);
    acting = nullptr;
    running = nullptr;
    return !failed;
}

bool script_player::finish() {
    for (std::string const& problem : host.session().finish_run()) {
        err << "vexel-studio: " << problem << "\n";
        failed = true;
    }
    return !failed;
}

host::window_state script_player::shown_window(script_action const& a) {
    if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
    return window.shown_state();
}

void script_player::reach(script_action const& a, int index, host::control_kind kind,
                          std::string const& name) {
    if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
    QWidget* w = window.control_widget(index);
    if (!w)
        throw script_error(a.word + ": the window has no " + name + " (it has " +
                           std::to_string(window.control_count()) + " controls)");
    host::window_state shown = window.shown_state();
    host::control_state const& c = shown.controls[index];
    // The widget's own state: what the person sees, not what the host's model says.
    bool handled = c.kind == host::control_kind::text_field || c.handler != nullptr;
    script::check_reachable(a.word, name, {c.kind, w->isEnabled(), !w->isHidden(), handled},
                            kind, w->y(), window.height());
}

void script_player::click(script_action const&, script::named_control const& control,
                          int action) {
    auto* button = static_cast<QAbstractButton*>(window.control_widget(control.index));
    window.set_next_action(action);
    button->click();
}

void script_player::choose(script_action const& a, int index, int entry) {
    auto* popup = static_cast<QComboBox*>(window.control_widget(index));
    if (entry < 0 || entry >= popup->count())
        throw script_error(a.word + ": entry " + std::to_string(entry) + " outside the pop-up's " +
                           std::to_string(popup->count()) + " entries");
    popup->setCurrentIndex(entry);
    Q_EMIT popup->activated(entry);
}

void script_player::type(script_action const& a, int index, bool number_box) {
    // The studio's number box refuses it in the box itself, as a spin box does.
    if (number_box && !std::isfinite(*host::number_box_value(a.value)))
        throw script_error(a.word + ": " + host::quoted_word(a.value) +
                           " is beyond single precision (row " + std::to_string(a.number) + " " +
                           a.field + " is a host number box)");
    // The person selects the box's text and types over it; a number box takes it on Return.
    auto* box = static_cast<QLineEdit*>(window.control_widget(index));
    box->selectAll();
    if (a.value.empty())
        send_key(box, Qt::Key_Backspace);
    else
        send_key(box, Qt::Key_unknown, QString::fromStdString(a.value));
    if (number_box) send_key(box, Qt::Key_Return);
}

void script_player::dump(host::window_state const& shown) {
    out_stream << script::one_line_json(script::window_dump(shown)) << "\n";
    out_stream.flush();
    if (png_dir.empty()) return;
    char name[24];
    std::snprintf(name, sizeof name, "/%03d.png", ++picture_count);
    std::string file = png_dir + name;
    if (!window.grab().save(QString::fromStdString(file), "PNG"))
        throw script_error(acting->word + ": cannot write the picture " + file);
}

void script_player::answer_dialog(std::map<int, bool> const& choices, bool cancel,
                                  std::function<void()> const& click) {
    dialog_answer = {choices, cancel};
    try {
        click();
    } catch (...) {
        dialog_answer = {};
        throw;
    }
    dialog_answer = {};
}

}  // namespace studio
