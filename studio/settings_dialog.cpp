#include "settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "checks/host_checks.h"

namespace studio {

settings_dialog::settings_dialog(host::dialog_run const& given, QWidget* parent)
    : QDialog(parent), shown(given) {
    setWindowTitle(QString::fromStdString(shown.title));
    setObjectName("settings_dialog");
    auto* layout = new QVBoxLayout(this);
    for (auto const& entry : shown.items) {
        auto* box = new QCheckBox(QString::fromStdString(entry.label), this);
        box->setChecked(entry.value);
        layout->addWidget(box);
        boxes[entry.id] = box;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok = buttons->button(QDialogButtonBox::Ok);
    cancel = buttons->button(QDialogButtonBox::Cancel);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QCheckBox* settings_dialog::item(int id) const {
    auto found = boxes.find(id);
    return found == boxes.end() ? nullptr : found->second;
}

host::dialog_run settings_dialog::chosen() const {
    host::dialog_run out = shown;
    for (auto& entry : out.items) entry.value = boxes.at(entry.id)->isChecked();
    return out;
}

host::dialog_presenter dialog_presenter_for(QWidget* parent, host::dialog_answer* answer) {
    return [parent, answer](host::dialog_run& shown) {
        settings_dialog dialog(shown, parent);
        if (answer) {
            host::dialog_answer wanted = std::move(*answer);
            *answer = {};
            for (auto const& [id, value] : wanted.choices) {
                QCheckBox* box = dialog.item(id);
                if (!box)
                    throw host::host_error("ask: dialog \"" + shown.resource + "\" has no item " +
                                           std::to_string(id));
                if (box->isChecked() != value) box->click();
            }
            dialog.show();
            (wanted.cancel ? dialog.cancel_button() : dialog.ok_button())->click();
        } else if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        if (dialog.result() != QDialog::Accepted) return false;
        shown = dialog.chosen();
        return true;
    };
}

}  // namespace studio
