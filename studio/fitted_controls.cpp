#include "fitted_controls.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>

namespace studio {

namespace {

int const button_margin = 4;  // pixels a push button keeps free around its text

bool too_wide(QWidget const& w, QString const& text, int room) {
    return w.fontMetrics().horizontalAdvance(text) > room;
}

// A cut text's tooltip: the whole text, then the plug-in's own tooltip.
bool show_whole(QWidget& w, QEvent* event, QString const& text) {
    auto* help = static_cast<QHelpEvent*>(event);
    QString tip = w.toolTip().isEmpty() ? text : text + "\n" + w.toolTip();
    QToolTip::showText(help->globalPos(), tip, &w);
    return true;
}

}  // namespace

void fit_font(QWidget& widget, QString const& text, int room, int scale) {
    // About three quarters of the height, as a font of a 14-pixel control is 10 pixels;
    // down to 7 pixels a scale, which still holds "スナップ" in the 32 pixels of "Snap".
    int least = 7 * scale;
    int size = std::max(least, widget.height() * 3 / 4);
    QFont font = widget.font();
    font.setPixelSize(size);
    while (size > least && QFontMetrics(font).horizontalAdvance(text) > room) font.setPixelSize(--size);
    if (widget.font().pixelSize() != size) widget.setFont(font);
}

bool fitted_button::cut() const { return too_wide(*this, text(), width() - button_margin); }

void fitted_button::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, width() - button_margin);
    painter.drawControl(QStyle::CE_PushButton, option);
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
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, text_room());
    painter.drawControl(QStyle::CE_CheckBox, option);
}

bool fitted_check_box::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && cut()) return show_whole(*this, event, text());
    return QCheckBox::event(event);
}

bool fitted_label::cut() const { return too_wide(*this, text(), contentsRect().width()); }

void fitted_label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    QRect room = contentsRect();
    painter.drawText(room, static_cast<int>(alignment()),
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

bool fitted_label::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && cut()) return show_whole(*this, event, text());
    return QLabel::event(event);
}

}  // namespace studio
