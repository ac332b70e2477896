// The vexel window's buttons, check boxes and static texts: the plug-in's rectangles are
// fixed, so each control's font takes the control's inner height, a text wider than its
// place is drawn narrowed (down to least_stretch of its width) rather than in a smaller
// font, and a text that still does not fit is drawn cut with "…" and shown whole in the
// tooltip. text() stays the plug-in's text.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace studio {

// The least font of a label at scale 1, in pixels: the inner height of the plug-in's
// 14-pixel controls, where a kanji stands 10 pixels high, a kana and a capital about 9.
int const least_font_pixels = 12;
// The narrowest a label's text is drawn, in percent of its width.
int const least_stretch = 60;

// Gives widget the font of its height; scale is the window scale.
void fit_font(QWidget& widget, int scale);

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
