// The three settings (marking, standard number boxes, undo): the settings word in the
// host's preference store and the settings dialog.
#include "counted_ref.h"
#include "module_state.h"
#include "host_boundary.h"
#include "host_dialog.h"
#include "vexel_window.h"
#include "whole_click.h"

namespace {

int const mark_bit = 1;
int const number_box_bit = 2;
int const undo_bit = 4;

int const mark_item = 10;
int const number_box_item = 11;
int const undo_item = 12;

#if defined(_WIN32)
char const* const dialog_resource = "DIALOG_ID";
#else
char const* const dialog_resource = "mode_dialog_id";
#endif

// The item's check box, or keep when the dialog has no such item.
bool read_item(dialog_interface& dialog, int id, bool keep) {
    dialog_item_class* item = dialog.get_item(id);
    return item != nullptr ? item->get_bool() : keep;
}

void write_item(dialog_interface& dialog, int id, bool value) {
    dialog_item_class* item = dialog.get_item(id);
    if (item != nullptr) item->set_bool(value);
}

}  // namespace

// Only bits 0 to 2 are looked at; nothing stored yet stores the word 0 at once.
void vexel_window::read_settings() {
    if (preferences == nullptr) {
        mark_mode = standard_number_box = undo_setting = false;
        return;
    }
    counted_ref<stream_interface> stream(preferences->open_read_stream(vexel_UUID, 0));
    if (stream) {
        stream->rewind(0, 0);
        int word = stream->read_int();
        mark_mode = (word & mark_bit) != 0;
        standard_number_box = (word & number_box_bit) != 0;
        undo_setting = (word & undo_bit) != 0;
        return;
    }
    mark_mode = standard_number_box = undo_setting = false;
    regist_mode();
}

void vexel_window::regist_mode() {
    if (preferences == nullptr) return;
    int word = (mark_mode ? mark_bit : 0) + (standard_number_box ? number_box_bit : 0) +
               (undo_setting ? undo_bit : 0);
    counted_ref<stream_interface> stream(preferences->open_write_stream(vexel_UUID, 0));
    if (stream) stream->write_int(word);
}

void vexel_window::mode() {
    counted_ref<dialog_interface> dialog(xtessel->create_dialog(vexel_UUID));
    if (!dialog) return;
    dialog->set_resource_name(dialog_resource);
    dialog->set_responder(this);
    dialog->ask(0, 0);
}

void vexel_window::load_dialog_data(dialog_interface& dialog, void*) {
    at_host_boundary([&] {
        write_item(dialog, mark_item, mark_mode);
        write_item(dialog, number_box_item, standard_number_box);
        write_item(dialog, undo_item, undo_setting);
    });
}

void vexel_window::save_dialog_data(dialog_interface& dialog, void*) {
    at_host_boundary([&] {
        bool marking = read_item(dialog, mark_item, mark_mode);
        bool number_box = read_item(dialog, number_box_item, standard_number_box);
        bool undo = read_item(dialog, undo_item, undo_setting);
        if (marking == mark_mode && number_box == standard_number_box && undo == undo_setting)
            return;
        bool const was_marking = mark_mode, was_number_box = standard_number_box,
                   was_undo = undo_setting;
        // Settings that could not be stored are taken back: the window works with what the
        // preference store holds, and the dialog shows it next time.
        take_effect_whole(
            [&] {
                mark_mode = marking;
                undo_setting = undo;
                // Rows keep the kind of box they were built with; the next window uses
                // the new one.
                standard_number_box = number_box;
            },
            [&] {
                mark_mode = was_marking;
                undo_setting = was_undo;
                standard_number_box = was_number_box;
            },
            [&] { regist_mode(); });
        // The settings are stored even if the message cannot be shown.
        if (number_box != was_number_box)
            at_host_boundary([] { xtessel->show_message(tr("Activate at restart."), 0, 0); });
    });
}
