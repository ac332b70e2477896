// The vexel window's buttons, check boxes and static texts: the plug-in's rectangles are
// fixed, so each control's font is fitted to its height, made smaller down to a readable
// least while its text is wider than its place, and a text that still does not fit is
// drawn cut with "…" and shown whole in the tooltip. text() stays the plug-in's text.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace studio {

// Fits widget's font to its height for text, which takes room pixels less than the width;
// scale is the window scale.
void fit_font(QWidget& widget, QString const& text, int room, int scale);

class fitted_button final : public QPushButton {
public:
    using QPushButton::QPushButton;
    bool cut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

class fitted_check_box final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;
    bool cut() const;
    // The width the text has beside the box.
    int text_room() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

class fitted_label final : public QLabel {
public:
    using QLabel::QLabel;
    bool cut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace studio
