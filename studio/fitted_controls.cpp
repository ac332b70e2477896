#include "fitted_controls.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>

namespace studio {

namespace {

int const button_frame = 1;  // pixels of a push button's frame on each side of its text

// Whether text is too wide for room even narrowed as far as a text is.
bool too_wide(QWidget const& w, QString const& text, int room) {
    return w.fontMetrics().horizontalAdvance(text) * least_stretch > room * 100;
}

// Draws text in room with the painter's font, narrowed to room's width when it is wider,
// and cut with "…" where even the narrowest is too wide.
void draw_narrowed(QPainter& painter, QRect room, int flags, QString const& text) {
    QFontMetrics const metrics = painter.fontMetrics();
    int wide = metrics.horizontalAdvance(text);
    int widest = room.width() * 100 / least_stretch;  // the most a narrowed room holds
    // A pixel to spare: the advance is rounded, and a text a fraction wider would be cut.
    QString shown = wide <= widest ? text : metrics.elidedText(text, Qt::ElideRight, widest);
    int width = std::max(room.width(), std::min(wide + 1, widest));
    painter.save();
    painter.translate(room.left(), 0);
    painter.scale(double(room.width()) / width, 1);
    painter.drawText(QRect(0, room.top(), width, room.height()), flags, shown);
    painter.restore();
}

// A cut text's tooltip: the whole text, then the plug-in's own tooltip.
bool show_whole(QWidget& w, QEvent* event, QString const& text) {
    auto* help = static_cast<QHelpEvent*>(event);
    QString tip = w.toolTip().isEmpty() ? text : text + "\n" + w.toolTip();
    QToolTip::showText(help->globalPos(), tip, &w);
    return true;
}

QColor text_color(QWidget const& w, QPalette::ColorRole role) {
    return w.palette().color(w.isEnabled() ? QPalette::Active : QPalette::Disabled, role);
}

}  // namespace

void fit_font(QWidget& widget, int scale) {
    // The glyphs take the control's inner height, and never less than least_font_pixels.
    int size = std::max(least_font_pixels, widget.height() / scale - 2) * scale;
    if (widget.font().pixelSize() == size) return;
    QFont font = widget.font();
    font.setPixelSize(size);
    widget.setFont(font);
}

bool fitted_button::cut() const { return too_wide(*this, text(), width() - 2 * button_frame); }

void fitted_button::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();  // the frame from the style, the text narrowed here
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(text_color(*this, QPalette::ButtonText));
    draw_narrowed(painter, rect().adjusted(button_frame, 0, -button_frame, 0), Qt::AlignCenter, text());
}

bool fitted_button::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && cut()) return show_whole(*this, event, text());
    return QPushButton::event(event);
}

int fitted_check_box::text_room() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this).width();
}

bool fitted_check_box::cut() const { return too_wide(*this, text(), text_room()); }

void fitted_check_box::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    painter.setPen(text_color(*this, QPalette::WindowText));
    draw_narrowed(painter, style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this),
                  Qt::AlignLeft | Qt::AlignVCenter, text());
}

bool fitted_check_box::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && cut()) return show_whole(*this, event, text());
    return QCheckBox::event(event);
}

bool fitted_label::cut() const { return too_wide(*this, text(), contentsRect().width()); }

void fitted_label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(text_color(*this, QPalette::WindowText));
    draw_narrowed(painter, contentsRect(), static_cast<int>(alignment()), text());
}

bool fitted_label::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && cut()) return show_whole(*this, event, text());
    return QLabel::event(event);
}

}  // namespace studio
