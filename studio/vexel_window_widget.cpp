#include "vexel_window_widget.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "fitted_controls.h"
#include "services/user_controls.h"
#include "session/collected_call.h"
#include "window_controls.h"
#include "studio_words.h"
#include "window_group.h"
#include "windowinterface"

namespace studio {

QString number_text(float value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, static_cast<int>(result.ptr - text));
}

vexel_window_widget::vexel_window_widget(studio_host& given, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      host(given) {
    setObjectName("vexel_window");
    // The main window's close ends the studio; this window never holds it open.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (!parent) group = join_window_group(*this);
    apply_style();
    connect(&host, &studio_host::window_changed, this, &vexel_window_widget::follow_model);
}

void vexel_window_widget::apply_style() {
    // The plug-in lays its controls out in small fixed pixel rectangles (14 pixels high):
    // a small font and no padding let the texts fit them.
    QFont small = font();
    small.setPixelSize(10 * factor);
    setFont(small);
    setStyleSheet(QStringLiteral(
        "QPushButton { padding: 0px; }"
        "QLineEdit { padding: 0px; margin: 0px; border: %1px solid #9a9a9a; background: white;"
        "            font-size: %2px; }"
        "QLineEdit:disabled { background: #eeeeee; }"
        "QComboBox { padding: 0px 1px; }"
        "QCheckBox { spacing: 2px; }").arg(factor).arg(9 * factor));
}

QWidget* vexel_window_widget::control_widget(int index) const {
    if (index < 0 || index >= control_count()) return nullptr;
    return entries[index].widget;
}

int vexel_window_widget::take_action() {
    int action = next_action;
    next_action = -1;
    if (action >= 0) return action;
    return (QApplication::keyboardModifiers() & Qt::ShiftModifier) ? 2 : 0;
}

void vexel_window_widget::user_click(int index) {
    int action = take_action();
    if (!host.loaded()) return;
    window_interface& w = *host.app().window();
    host::scene_model* scene = host.scene();
    std::size_t writes = scene->writes().size(), records = scene->undo_records().calls().size();
    host.into_plugin("click", [&] { host.app().user().click(w, index, action); });
    // An edit the plug-in wrote without an undo record cannot be undone: the person is told
    // once how to have undo, the plug-in's setting stays as it is.
    bool edit = index == script::vexel_controls::app || index == script::vexel_controls::snap;
    if (edit && !told_no_undo && scene == host.scene() && scene->writes().size() > writes &&
        scene->undo_records().calls().size() == records && host.loaded()) {
        told_no_undo = true;
        host::window_state model = host.window_model();
        Q_EMIT edit_without_undo(QString::fromStdString(model.controls[script::vexel_controls::app].text),
                                 QString::fromStdString(model.controls[script::vexel_controls::snap].text));
    }
}

void vexel_window_widget::user_toggle(int index) {
    int action = take_action();
    if (following || !host.loaded()) return;
    window_interface& w = *host.app().window();
    host.into_plugin("toggle", [&] { host.app().user().toggle(w, index, action); });
}

void vexel_window_widget::user_choose(int index, int chosen) {
    if (following || !host.loaded()) return;
    window_interface& w = *host.app().window();
    host.into_plugin("slot", [&] { host.app().user().choose(w, index, chosen, 0); });
}

void vexel_window_widget::user_type(int index, QString const& text) {
    if (following || !host.loaded()) return;
    window_interface& w = *host.app().window();
    std::string typed = text.toStdString();
    host.into_plugin("type", [&] { host.app().user().type(w, index, typed); });
}

void vexel_window_widget::take_number(int index, QLineEdit* box) {
    if (following || !host.loaded()) return;
    std::string typed = box->text().toStdString();
    std::optional<float> value = host::number_box_value(typed);
    if (value && std::isfinite(*value)) {
        user_type(index, box->text());
        return;
    }
    // Refused here, as a spin box refuses: the plug-in never hears of it.
    host::window_state model = host.window_model();
    QString kept = number_text(static_cast<float>(model.controls[index].value.value_or(0)));
    box->setText(kept);
    box->setCursorPosition(0);
    char const* why = value ? "\"%1\" is beyond single precision: the box keeps %2"
                            : "\"%1\" is not a number: the box keeps %2";
    Q_EMIT note(studio_word(host.language(), why).arg(QString::fromStdString(typed), kept));
}

void vexel_window_widget::rebuild(host::window_state const& model) {
    for (entry& e : entries) {
        e.widget->hide();
        // Later: the widget may be the one whose signal is being handled.
        e.widget->deleteLater();
    }
    entries.clear();
    for (std::size_t i = 0; i < model.controls.size(); ++i) {
        host::control_state const& c = model.controls[i];
        int index = static_cast<int>(i);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case host::control_kind::button: {
            auto* button = new fitted_button(this);
            connect(button, &QPushButton::clicked, this, [this, index] { user_click(index); });
            widget = button;
            break;
        }
        case host::control_kind::checkbox: {
            auto* box = new fitted_check_box(this);
            connect(box, &QCheckBox::clicked, this, [this, index] { user_toggle(index); });
            widget = box;
            break;
        }
        case host::control_kind::number: {
            auto* box = new QLineEdit(this);
            box->setAlignment(Qt::AlignRight);
            box->setProperty("vexel_number", true);
            // A host number box takes its text when the person presses Return or leaves it.
            connect(box, &QLineEdit::editingFinished, this, [this, index, box] {
                if (box->isModified()) {
                    box->setModified(false);
                    take_number(index, box);
                }
            });
            widget = box;
            break;
        }
        case host::control_kind::text_field: {
            auto* field = new QLineEdit(this);
            field->setFrame(true);
            // The plain field hands its text to the host's text object as it is typed;
            // the plug-in reads it when it needs it.
            connect(field, &QLineEdit::textEdited, this,
                    [this, index](QString const& text) { user_type(index, text); });
            widget = field;
            break;
        }
        case host::control_kind::static_text: widget = new fitted_label(this); break;
        case host::control_kind::popup: {
            auto* popup = new QComboBox(this);
            connect(popup, qOverload<int>(&QComboBox::activated), this,
                    [this, index](int chosen) { user_choose(index, chosen); });
            widget = popup;
            break;
        }
        }
        widget->setObjectName(QString("control%1").arg(index));
        entries.push_back({c.kind, widget, -1, {}});
    }
}

void vexel_window_widget::update_entry(int index, entry& e, host::control_state const& c) {
    (void)index;
    QWidget* w = e.widget;
    QString text = QString::fromStdString(c.text);
    QRect place(c.x * factor, c.y * factor, std::max(c.w, 0) * factor, std::max(c.h, 0) * factor);
    if (w->geometry() != place) w->setGeometry(place);
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    if (w->isHidden() == c.shown) w->setVisible(c.shown);
    QString tip = QString::fromStdString(c.tooltip);
    if (w->toolTip() != tip) w->setToolTip(tip);
    switch (c.kind) {
    case host::control_kind::button: {
        auto* b = static_cast<QAbstractButton*>(w);
        if (b->text() != text) b->setText(text);
        break;
    }
    case host::control_kind::checkbox: {
        auto* b = static_cast<QCheckBox*>(w);
        if (b->text() != text) b->setText(text);
        bool checked = c.value && *c.value != 0;
        if (b->isChecked() != checked) b->setChecked(checked);
        break;
    }
    case host::control_kind::number: {
        auto* box = static_cast<QLineEdit*>(w);
        QString shown = number_text(static_cast<float>(c.value.value_or(0)));
        // What the person is typing stays until it is taken.
        if (box->text() != shown && !(box->hasFocus() && box->isModified())) {
            box->setText(shown);
            box->setCursorPosition(0);
        }
        break;
    }
    case host::control_kind::text_field: {
        auto* field = static_cast<QLineEdit*>(w);
        if (field->text() != text) {
            field->setText(text);
            field->setCursorPosition(0);  // a long number shows its start
        }
        if (c.font_size > 0) {
            QFont f = field->font();
            if (f.pointSizeF() != c.font_size * factor) {
                f.setPointSizeF(c.font_size * factor);
                field->setFont(f);
            }
        }
        break;
    }
    case host::control_kind::static_text: {
        auto* label = static_cast<QLabel*>(w);
        if (label->text() != text) label->setText(text);
        break;
    }
    case host::control_kind::popup: {
        auto* popup = static_cast<QComboBox*>(w);
        bool same = popup->count() == static_cast<int>(c.items.size());
        for (int i = 0; same && i < popup->count(); ++i)
            same = popup->itemText(i).toStdString() == c.items[i];
        if (!same) {
            popup->clear();
            for (std::string const& item : c.items) popup->addItem(QString::fromStdString(item));
        }
        int chosen = static_cast<int>(c.value.value_or(0));
        if (popup->currentIndex() != chosen) popup->setCurrentIndex(chosen);
        break;
    }
    }
    // The font follows the control's height, which changes far less often than ticks come.
    bool label = c.kind == host::control_kind::button || c.kind == host::control_kind::checkbox ||
                 c.kind == host::control_kind::static_text;
    if (label && e.fitted_at != place.size()) {
        e.fitted_at = place.size();
        fit_font(*w, factor);
    }
    if (e.invalidations != c.invalidations) {
        e.invalidations = c.invalidations;
        w->update();
    }
}

void vexel_window_widget::follow_model() {
    if (!host.loaded()) {
        hide();
        return;
    }
    host::window_state model = host.window_model();
    bool same = entries.size() == model.controls.size();
    for (std::size_t i = 0; same && i < entries.size(); ++i)
        same = entries[i].kind == model.controls[i].kind;
    following = true;
    if (!same) rebuild(model);
    for (std::size_t i = 0; i < entries.size(); ++i)
        update_entry(static_cast<int>(i), entries[i], model.controls[i]);
    QString title = QString::fromStdString(model.title);
    if (windowTitle() != title) setWindowTitle(title);
    QSize client(std::max(model.client.x, 1) * factor, std::max(model.client.y, 1) * factor);
    if (size() != client) setFixedSize(client);
    QPoint at(model.frame.left, model.frame.top);
    if (pos() != at) move(at);
    if (isHidden() == model.shown) setVisible(model.shown);
    if (window_invalidations != model.invalidations) {
        window_invalidations = model.invalidations;
        update();
    }
    following = false;
}

host::window_state vexel_window_widget::shown_state() const {
    host::window_state s = host.window_model();
    s.title = windowTitle().toStdString();
    s.shown = !isHidden();
    for (std::size_t i = 0; i < entries.size() && i < s.controls.size(); ++i) {
        host::control_state& c = s.controls[i];
        QWidget const* w = entries[i].widget;
        QRect r = w->geometry();
        c.x = r.x() / factor;
        c.y = r.y() / factor;
        c.w = r.width() / factor;
        c.h = r.height() / factor;
        c.enabled = w->isEnabled();
        c.shown = !w->isHidden();
        c.tooltip = w->toolTip().toStdString();
        switch (c.kind) {
        case host::control_kind::button:
            c.text = static_cast<QAbstractButton const*>(w)->text().toStdString();
            break;
        case host::control_kind::checkbox:
            c.text = static_cast<QAbstractButton const*>(w)->text().toStdString();
            c.value = static_cast<QCheckBox const*>(w)->isChecked() ? 1 : 0;
            break;
        case host::control_kind::number:
            c.value = static_cast<QLineEdit const*>(w)->text().toFloat();
            break;
        case host::control_kind::text_field:
            c.text = static_cast<QLineEdit const*>(w)->text().toStdString();
            break;
        case host::control_kind::static_text:
            c.text = static_cast<QLabel const*>(w)->text().toStdString();
            break;
        case host::control_kind::popup:
            c.value = static_cast<QComboBox const*>(w)->currentIndex();
            break;
        }
    }
    return s;
}

void vexel_window_widget::closeEvent(QCloseEvent* event) {
    // The person's close button hides the window; the plug-in's window lives on. A close
    // by the program (quitting) is let through, or it would hold the quit up.
    if (!event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    host.hide_window();
}

void vexel_window_widget::place_at(QPoint at) {
    if (!host.loaded()) return;
    host::window_state model = host.window_model();
    tq::rectangle_class r = host::dragged_frame(model.frame, at.x(), at.y());
    try {
        host.app().services().set_frame_rectangle(*host.app().window(), &r);
    } catch (std::exception const&) {
        // A refused move leaves the window where it was.
    }
    follow_model();
}

QSize vexel_window_widget::frame_size() const {
    QSize frame = frameGeometry().size();
    return frame.isEmpty() ? size() : frame;
}

void vexel_window_widget::set_scale(int scale) {
    factor = scale == 2 ? 2 : 1;
    apply_style();
    follow_model();
    // The top-left stays where it is unless the grown window would leave the screen.
    keep_on_screen();
}

QPoint vexel_window_widget::on_screen(QPoint at) const {
    QScreen* shown_on = QGuiApplication::screenAt(at);
    if (!shown_on) shown_on = screen();
    if (!shown_on || !host.loaded()) return at;
    // The frame's size from the client size the model asks for: a window not yet shown
    // at its new size may still report its old one.
    host::window_state model = host.window_model();
    QSize client(std::max(model.client.x, 1) * factor, std::max(model.client.y, 1) * factor);
    QSize frame = client + (frame_size() - size());
    QRect room = shown_on->availableGeometry();
    QPoint inside(std::max(std::min(at.x(), room.right() + 1 - frame.width()), room.left()),
                  std::max(std::min(at.y(), room.bottom() + 1 - frame.height()), room.top()));
    // The plug-in takes a frame at 0 or less for one it never placed and moves it to a
    // place of its own at the next selection.
    return QPoint(std::max(inside.x(), 1), std::max(inside.y(), 1));
}

void vexel_window_widget::keep_on_screen() {
    QPoint at = on_screen(pos());
    if (at != pos()) place_at(at);
}

void vexel_window_widget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (following || !host.loaded() || !isVisible()) return;
    // The person dragged the frame, or the window manager placed it when it was first shown
    // (only then are the frame's margins known): it is kept on the screen, and the host's
    // frame follows without an event to the plug-in, which sees the place when it next asks.
    QPoint at = on_screen(pos());
    if (at != pos()) {
        following = true;
        move(at);
        following = false;
    }
    host::window_state model = host.window_model();
    if (model.frame.left == at.x() && model.frame.top == at.y()) return;
    tq::rectangle_class r = host::dragged_frame(model.frame, at.x(), at.y());
    try {
        host::unrecorded_calls persons_own;  // not the plug-in's call: `trace` leaves it out
        host.app().services().set_frame_rectangle(*host.app().window(), &r);
    } catch (std::exception const&) {
        // A refused move leaves the model where it was; the next follow puts it back.
        return;
    }
    Q_EMIT placed_by_person(at);
}

}  // namespace studio
