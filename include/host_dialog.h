// Modal dialogs the host builds from a dialog description among the plug-in's resources.
#pragma once

#include "unknown_interface.h"

class plugin_interface;

// One item of a dialog (a check box for the items the plug-in uses). Borrowed from its
// dialog. May throw.
class dialog_item_class {
public:
    virtual bool get_bool(void* reserved = nullptr) = 0;
    virtual void set_bool(bool value, void* reserved = nullptr) = 0;

protected:
    ~dialog_item_class() = default;
};

// Counted: the caller releases it. Every operation may throw.
class dialog_interface : public IUnknown {
public:
    // The name of the dialog description resource ("DIALOG_ID", "mode_dialog_id").
    virtual void set_resource_name(char const* name, void* reserved = nullptr) = 0;
    // The object whose load_dialog_data/save_dialog_data the host calls while it runs.
    virtual void set_responder(plugin_interface* responder, void* reserved = nullptr) = 0;
    // Runs the dialog modally; returns the host's result code.
    virtual int ask(int a, int b, void* reserved = nullptr) = 0;
    // The item with this id, or null. Borrowed.
    virtual dialog_item_class* get_item(int id, void* reserved = nullptr) = 0;
};
