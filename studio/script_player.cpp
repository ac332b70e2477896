#include "script_player.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>

#include "checks/host_checks.h"
#include "expected_refs.h"
#include "files/scene_dump.h"
#include "files/scene_file.h"
#include "runner_controls.h"
#include "runner_dialog.h"
#include "runner_dump.h"
#include "runner_edits.h"
#include "runner_session.h"

namespace studio {

namespace {

using host::names_a_shape;
using host::refusing;
using host::script_error;

void send_key(QWidget* target, int key, QString const& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

}  // namespace

script_player::script_player(studio_host& given_host, vexel_window_widget& given_window,
                             host::dialog_answer& answer, std::ostream& out_stream,
                             std::ostream& err_stream, std::string pictures)
    : host(given_host), window(given_window), dialog_answer(answer), out(out_stream),
      err(err_stream), png_dir(std::move(pictures)) {
    QObject::connect(&host, &studio_host::failure, &context, [this](QString const& line) {
        failed = true;
        std::string where = running && acting
                                ? running->name + ":" + std::to_string(acting->line) + ": "
                                : std::string("vexel-studio: ");
        err << where << line.toStdString() << "\n";
    });
    QObject::connect(&host, &studio_host::message, &context, [this](QString const& text) {
        out << "message: " << text.toStdString() << "\n";
    });
    collect_marks();
}

void script_player::fail(std::string const& what) {
    failed = true;
    err << running->name << ":" << acting->line << ": " << what << "\n";
}

bool script_player::run(host::script const& actions) {
    running = &actions;
    for (host::script_action const& action : actions.actions) {
        acting = &action;
        bool stop = false;
        try {
            perform(action);
        } catch (std::exception const& e) {
            fail(dynamic_cast<script_error const*>(&e) ? e.what()
                                                       : action.word + ": " + e.what());
            stop = true;
        }
        collect_marks();
        host::collect_calls(host.all_scenes(), calls_since);
        if (stop) break;
    }
    acting = nullptr;
    running = nullptr;
    return !failed;
}

bool script_player::finish() {
    for (host::scene_model const* s : host.all_scenes())
        for (std::string const& problem : s->violations()) {
            err << "vexel-studio: after the script: " << problem << "\n";
            failed = true;
        }
    if (host.loaded()) {
        try {
            host.app().unload();
        } catch (std::exception const& e) {
            err << "vexel-studio: releasing the window: " << e.what() << "\n";
            failed = true;
        }
    }
    std::vector<std::string> left = host::audit().outstanding();
    if (!left.empty()) {
        std::string list;
        for (std::string const& h : left) list += (list.empty() ? "" : ", ") + h;
        err << "vexel-studio: after the window was released, counted host objects are still "
               "held: "
            << list << "\n";
        failed = true;
    }
    return !failed;
}

void script_player::collect_marks() {
    std::vector<host::mark_request> const& all = host.marker().requests();
    for (; marks_collected < all.size(); ++marks_collected)
        marks_since.push_back(
            {host::path_in(host.all_scenes(), all[marks_collected].shape), all[marks_collected]});
}

void script_player::check_control(int index, host::control_kind kind, std::string const& name) const {
    std::string const& word = acting->word;
    if (!host.loaded()) throw script_error(word + ": no plug-in window is open");
    QWidget* w = window.control_widget(index);
    if (!w)
        throw script_error(word + ": the window has no " + name + " (it has " +
                           std::to_string(window.control_count()) + " controls)");
    host::window_state s = window.shown_state();
    host::control_state const& c = s.controls[index];
    // The widget's own state: what the person sees, not what the host's model says.
    bool handled = c.kind == host::control_kind::text_field || c.handler != nullptr;
    host::check_reachable(word, name, {c.kind, w->isEnabled(), !w->isHidden(), handled}, kind,
                          w->y(), window.height());
}

void script_player::perform(host::script_action const& a) {
    using host::action_kind;
    host::scene_model* scene = host.scene();
    if (names_a_shape(a.kind) && !a.path.empty() && !scene->find(a.path))
        throw script_error(a.word + ": no shape at path " + host::quoted_word(a.path));
    switch (a.kind) {
    case action_kind::active: refusing(a.word, [&] { host.make_active(a.path); }); break;
    case action_kind::announce:
        if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
        host.announce();
        break;
    case action_kind::select: refusing(a.word, [&] { host.select_points(a.path, a.indices); }); break;
    case action_kind::idle:
        if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
        for (int i = 0; i < a.number; ++i) host.idle_tick();
        break;
    case action_kind::ref: do_click(a, "Ref.", 0); break;
    case action_kind::click: do_click(a, a.value, a.number); break;
    case action_kind::type: do_type(a); break;
    case action_kind::slot: {
        check_control(host::vexel_controls::slots, host::control_kind::popup, "the slot pop-up");
        auto* popup = static_cast<QComboBox*>(window.control_widget(host::vexel_controls::slots));
        if (a.number < 0 || a.number >= popup->count())
            throw script_error(a.word + ": entry " + std::to_string(a.number) +
                               " outside the pop-up's " + std::to_string(popup->count()) +
                               " entries");
        popup->setCurrentIndex(a.number);
        Q_EMIT popup->activated(a.number);
        break;
    }
    case action_kind::hide:
        if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
        host.hide_window();
        break;
    case action_kind::show:
        if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
        host.show_window();
        break;
    case action_kind::dump: do_dump(); break;
    case action_kind::dump_scene: do_dump_scene(a); break;
    case action_kind::settings: ask_settings(a, a.cancel); break;
    case action_kind::dialog:
        host.app().forget_dialog();
        ask_settings(a, true);
        if (host.app().last_dialog().resource.empty())
            throw script_error(a.word + ": the plug-in showed no settings dialog");
        out << host::one_line_json(host::dialog_line(host.app().last_dialog())) << "\n";
        break;
    case action_kind::trace:
        host::collect_calls(host.all_scenes(), calls_since);
        host::play_trace(a, calls_since, out);
        break;
    case action_kind::undo:
        if (!host.undo()) out << "undo: nothing to undo\n";
        break;
    case action_kind::move:
    case action_kind::insert_point:
    case action_kind::remove_point:
    case action_kind::modifiable:
    case action_kind::direction:
        // The scene's modification listener tells the plug-in and redraws.
        host::edit_shape(*scene, a);
        break;
    case action_kind::rename:
        host::edit_shape(*scene, a);
        Q_EMIT host.scene_replaced();  // the outline shows names
        break;
    case action_kind::delete_shape: refusing(a.word, [&] { host.delete_shape(a.path); }); break;
    case action_kind::unit: refusing(a.word, [&] { host.set_figure_unit(a.factor); }); break;
    case action_kind::state: scene->set_state_flag(a.on); break;
    case action_kind::joint: {
        auto* node = scene->find(a.path);
        if (!dynamic_cast<part_class*>(&node->iface()))
            throw script_error(a.word + ": " + host::quoted_word(a.path) + " is not a part");
        host.joint_changed(a.path);
        break;
    }
    case action_kind::scene: {
        std::string path = a.path;
        if (!path.empty() && path[0] != '/' && !running->dir.empty()) path = running->dir + "/" + path;
        try {
            host.open_scene(path);
        } catch (host::scene_file_error const& e) {
            throw script_error(a.word + ": " + e.what());
        }
        break;
    }
    case action_kind::restart: host.restart(); break;
    case action_kind::expect_refs: do_expect_refs(a); break;
    case action_kind::marks:
        collect_marks();
        for (host::collected_mark const& m : marks_since)
            out << host::one_line_json(host::mark_line(m)) << "\n";
        marks_since.clear();
        break;
    case action_kind::move_window: do_move_window(a); break;
    }
}

void script_player::ask_settings(host::script_action const& a, bool cancel) {
    dialog_answer = {a.choices, cancel};
    try {
        do_click(a, "Ref.", 2);
    } catch (...) {
        dialog_answer = {};
        throw;
    }
    dialog_answer = {};
}

void script_player::do_click(host::script_action const& a, std::string const& name, int action) {
    host::named_control const* target = host::find_named_control(name);
    if (!target) throw script_error(a.word + ": unknown control " + host::quoted_word(name));
    check_control(target->index, target->kind, host::quoted_word(name));
    auto* button = static_cast<QAbstractButton*>(window.control_widget(target->index));
    window.set_next_action(action);
    button->click();
}

void script_player::do_type(host::script_action const& a) {
    int index = host::vexel_controls::box(a.number, a.field - 'x');
    std::string name = "row " + std::to_string(a.number) + " " + a.field;
    check_control(index, host::control_kind::number, name);
    bool number_box = window.shown_state().controls[index].kind == host::control_kind::number;
    std::optional<float> number = host::number_box_value(a.value);
    if (number_box && !number)
        throw script_error(a.word + ": " + host::quoted_word(a.value) + " is not a number (" +
                           name + " is a host number box)");
    // The studio's number box refuses it in the box itself, as a spin box does.
    if (number_box && !std::isfinite(*number))
        throw script_error(a.word + ": " + host::quoted_word(a.value) +
                           " is beyond single precision (" + name + " is a host number box)");
    // The person selects the box's text and types over it; a number box takes it on Return.
    auto* box = static_cast<QLineEdit*>(window.control_widget(index));
    box->selectAll();
    if (a.value.empty())
        send_key(box, Qt::Key_Backspace);
    else
        send_key(box, Qt::Key_unknown, QString::fromStdString(a.value));
    if (number_box) send_key(box, Qt::Key_Return);
}

void script_player::do_dump() {
    if (!host.loaded()) throw script_error(acting->word + ": no plug-in window is open");
    out << host::one_line_json(host::window_dump(window.shown_state())) << "\n";
    out.flush();
    if (png_dir.empty()) return;
    char name[24];
    std::snprintf(name, sizeof name, "/%03d.png", ++picture_count);
    std::string file = png_dir + name;
    if (!window.grab().save(QString::fromStdString(file), "PNG"))
        throw script_error(acting->word + ": cannot write the picture " + file);
}

void script_player::do_dump_scene(host::script_action const& a) {
    host::scene_model& s = *host.scene();
    if (a.path.empty()) {
        out << host::dump_scene_text(s);
        return;
    }
    nlohmann::ordered_json const dump = host::dump_scene_json(s);
    for (auto const& shape : dump["shapes"]) {
        std::string path = shape["path"];
        if (path == a.path || path.rfind(a.path + "/", 0) == 0)
            out << host::one_line_json(shape) << "\n";
    }
}

void script_player::do_expect_refs(host::script_action const& a) {
    host::host_app* app = host.loaded() ? &host.app() : nullptr;
    std::string mismatch = host::refs_mismatch(a.word, app, a.number);
    if (!mismatch.empty()) throw script_error(mismatch);
}

void script_player::do_move_window(host::script_action const& a) {
    if (!host.loaded()) throw script_error(a.word + ": no plug-in window is open");
    host::window_state s = host.window_model();
    if (!s.shown) throw script_error(a.word + ": the window is hidden");
    tq::rectangle_class r = host::dragged_frame(s.frame, a.at[0], a.at[1]);
    // Only the frame moves: the plug-in gets no event and sees the place when it next asks.
    // The move is the user's, not the plug-in's: `trace` does not show it.
    host::unrecorded_calls users_own;
    refusing(a.word, [&] { host.app().services().set_frame_rectangle(*host.app().window(), &r); });
    Q_EMIT host.window_changed();
}

}  // namespace studio
