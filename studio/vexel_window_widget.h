// The vexel window as a real floating tool window: one Qt widget for every control the
// plug-in created, at the pixel rectangle it asked for, with its text, tooltip, value,
// enabled and shown state, following the host's window model after every call into the
// plug-in. What the person does to a widget goes to the host as the user's action on that
// control (click, toggle, choice, typed text), exactly as the runner's actions do.
#pragma once

#include <memory>
#include <vector>

#include <QWidget>
#include <QWindow>

#include "studio_host.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;

namespace studio {

class vexel_window_widget final : public QWidget {
    Q_OBJECT
public:
    vexel_window_widget(studio_host& host, QWidget* parent = nullptr);

    // Brings the widgets in line with the host's model: rebuilt when the plug-in's
    // controls changed in number or kind, else updated in place; redrawn where the
    // plug-in invalidated.
    void follow_model();

    // The widget of control index (creation order), null when there is none.
    QWidget* control_widget(int index) const;
    int control_count() const { return static_cast<int>(entries.size()); }
    // The window as its widgets show it: the model's state with every control's text,
    // place, enabled and shown state, tooltip and value read back from its widget, and the
    // title and shown state from the tool window.
    host::window_state shown_state() const;

    // The action code the next button click carries (the script's `click NAME ACTION`);
    // a click by a person carries 2 with Shift held, else 0.
    void set_next_action(int action) { next_action = action; }

    // Moves the window's frame to at, as the person's drag does: the host's frame follows
    // and the plug-in sees the place when it next asks.
    void place_at(QPoint at);
    QPoint frame_place() const { return pos(); }
    // The frame's size on the screen (the client area until the window was first shown).
    QSize frame_size() const;
    // Pixels on the screen per pixel of the plug-in's layout (1 or 2): the controls'
    // rectangles and fonts grow with it; shown_state() reports the plug-in's pixels.
    int scale() const { return factor; }
    // A new scale keeps the top-left where it is unless the window would leave the screen.
    void set_scale(int scale);
    // Moves the window back inside its screen's available area if any of it is outside,
    // and off the screen's 0 row and column, which the plug-in takes for "never placed".
    // The person's drags and the window manager's placement are kept there too.
    void keep_on_screen();

Q_SIGNALS:
    // The person moved the window to at.
    void placed_by_person(QPoint at);
    // A short note for the status bar (a number box refused what was typed).
    void note(QString const& text);
    // The first "App." or "Snap" that changed the scene without an undo record (the
    // plug-in's undo setting is off): app and snap are the buttons' texts.
    void edit_without_undo(QString const& app, QString const& snap);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    struct entry {
        host::control_kind kind;
        QWidget* widget;
        int invalidations;
        QSize fitted_at;  // the size its font was fitted to
    };

    void apply_style();
    // The top-left nearest at that keeps the whole frame on its screen (see keep_on_screen).
    QPoint on_screen(QPoint at) const;
    void rebuild(host::window_state const& model);
    void update_entry(int index, entry& e, host::control_state const& c);
    int take_action();
    // The user's action on control index; a refusal or the plug-in's failure is reported.
    void user_click(int index);
    void user_toggle(int index);
    void user_choose(int index, int entry);
    void user_type(int index, QString const& text);
    // A host number box takes what the person typed when it is a number a float holds;
    // anything else is refused in the box itself, which shows its value again.
    void take_number(int index, QLineEdit* box);

    studio_host& host;
    std::unique_ptr<QWindow> group;  // the stand-in transient parent (window_group.h)
    std::vector<entry> entries;
    int window_invalidations = -1;
    int next_action = -1;
    int factor = 1;
    bool following = false;  // set while widgets are being set from the model
    bool told_no_undo = false;  // edit_without_undo is said once
};

// The text a host number box shows for value: the shortest decimal that reads back as it.
QString number_text(float value);

}  // namespace studio
