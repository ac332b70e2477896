// A modal dialog built from one of the plug-in's dialog description resources. The host
// "runs" it without a person: ask hands the items to the responder, applies the choices
// queued by the runner or a test, and hands them back.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "resources/dialog_description.h"
#include "host_dialog.h"
#include "uuid_class.h"

namespace host {

// What the last finished ask showed and returned, for the runner and the tests.
struct dialog_run {
    std::string resource;  // the resource name
    std::string title;
    struct item {
        int id;
        std::string label;
        bool value;  // as handed back to save_dialog_data; after Cancel, as shown
    };
    std::vector<item> items;
    bool accepted = true;  // false: closed with Cancel, nothing handed back
};

// How the host answers the next ask without a person: the items to set, then OK or Cancel.
struct dialog_answer {
    std::map<int, bool> choices;  // item id -> state; unnamed items keep theirs
    bool cancel = false;
};

// A front end that puts the dialog before a person: called by ask with the items as the
// responder loaded them (queued choices applied); it edits their values and answers true
// for OK, false for Cancel, after which nothing is handed back to the responder.
using dialog_presenter = std::function<bool(dialog_run& shown)>;

class resource_dialog final : public counted<dialog_interface> {
public:
    // resource_dir and lang locate the descriptions; pending holds the answer to give at
    // the next ask (consumed by it); finished receives the record of each ask; problem
    // receives why a description could not be read. All three are the host's and outlive
    // the dialog.
    resource_dialog(tq::uuid_class const& owner, std::string resource_dir, std::string lang,
                    dialog_answer& pending, dialog_run& finished, std::string& problem);

    // Reads <resource dir>/<lang>/<name>.xml; refuses a name that is not a plain file name.
    // A refusal is also written to problem, for the runner to report: the plug-in only
    // sees an exception.
    void set_resource_name(char const* name, void* reserved = nullptr) override;
    void set_responder(plugin_interface* responder, void* reserved = nullptr) override;
    // load_dialog_data, the queued choices (an id the dialog lacks is refused), the
    // presenter if one is set (else the queued answer), then on OK save_dialog_data;
    // answers 1 for OK, 0 for Cancel. The responder's exceptions pass on.
    int ask(int a, int b, void* reserved = nullptr) override;
    dialog_item_class* get_item(int id, void* reserved = nullptr) override;

    tq::uuid_class const& owner() const { return owner_id; }
    // Borrowed: the host keeps the presenter alive while its dialogs live. Null: none.
    void use_presenter(dialog_presenter const* given) { presenter = given; }

private:
    class item final : public dialog_item_class {
    public:
        explicit item(dialog_description::item const& from)
            : id(from.id), label(from.label), value(from.default_value) {}
        bool get_bool(void*) override;
        void set_bool(bool new_value, void*) override;
        int id;
        std::string label;
        bool value;
    };

    tq::uuid_class owner_id;
    std::string resource_dir;
    std::string lang;
    dialog_answer& pending;
    dialog_run& finished;
    std::string& problem;
    std::string resource;
    std::string title;
    std::vector<std::unique_ptr<item>> items;
    bool described = false;
    plugin_interface* responder = nullptr;  // borrowed
    dialog_presenter const* presenter = nullptr;
};

}  // namespace host
