// The plug-in's settings dialog as a real modal dialog: the title and one check box per
// item of the dialog description resource, set as the plug-in loaded them, with OK and
// Cancel. The host's dialog hands the items over and takes the chosen values back.
#pragma once

#include <map>

#include <QDialog>

#include "services/resource_dialog.h"

class QCheckBox;
class QPushButton;

namespace studio {

class settings_dialog final : public QDialog {
    Q_OBJECT
public:
    settings_dialog(host::dialog_run const& shown, QWidget* parent = nullptr);

    // The check box of item id, null when the description has none.
    QCheckBox* item(int id) const;
    QPushButton* ok_button() const { return ok; }
    QPushButton* cancel_button() const { return cancel; }
    // The items with the values their check boxes show.
    host::dialog_run chosen() const;

private:
    host::dialog_run shown;
    std::map<int, QCheckBox*> boxes;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// A presenter for host_app::set_dialog_presenter. With an answer (a script's `settings`
// or `dialog`), the named check boxes are clicked where they differ and OK, or Cancel, is
// clicked, without waiting for a person; an id the dialog lacks throws host_error as the
// headless host does. Without, the dialog runs modally. The answer is consumed by the next
// dialog.
host::dialog_presenter dialog_presenter_for(QWidget* parent, host::dialog_answer* answer);

}  // namespace studio
