#include "services/resource_dialog.h"

#include "resources/module_resource.h"
#include "plugininterface"

namespace host {

bool resource_dialog::item::get_bool(void*) {
    host_call("get_bool");
    return value;
}

void resource_dialog::item::set_bool(bool new_value, void*) {
    host_call("set_bool", nullptr, new_value);
    value = new_value;
}

resource_dialog::resource_dialog(tq::uuid_class const& owner, std::string resource_dir,
                                 std::string lang, dialog_answer& pending,
                                 dialog_run& finished, std::string& problem)
    : counted<dialog_interface>("dialog"), owner_id(owner),
      resource_dir(std::move(resource_dir)), lang(std::move(lang)), pending(pending),
      finished(finished), problem(problem) {
    delete_on_last_release();
}

void resource_dialog::set_resource_name(char const* name, void*) {
    host_call("set_resource_name", nullptr, name);
    std::string plain = name ? name : "";
    if (plain.empty() || plain.find('/') != std::string::npos || plain == "." || plain == "..") {
        problem = "the dialog resource name \"" + plain + "\" is not a plain file name";
        throw host_error(problem);
    }
    dialog_description description;
    try {
        module_resource found = read_module_resource(resource_dir, lang, plain);
        description = dialog_description::parse(found.text, found.source);
    } catch (host_error const& e) {
        problem = e.what();  // names the file, the place and the problem
        throw;
    }
    resource = plain;
    title = description.title;
    items.clear();
    for (auto const& entry : description.items) items.push_back(std::make_unique<item>(entry));
    described = true;
}

void resource_dialog::set_responder(plugin_interface* new_responder, void*) {
    host_call("set_responder");
    responder = new_responder;
}

int resource_dialog::ask(int a, int b, void*) {
    host_call("ask", nullptr, a, b);
    if (!described) throw host_error("ask: the dialog has no description (set_resource_name)");
    // The answer belongs to this one run, whatever happens in it.
    dialog_answer answer = std::move(pending);
    pending = {};
    if (responder) responder->load_dialog_data(*this, nullptr);
    for (auto const& [id, value] : answer.choices) {
        item* target = nullptr;
        for (auto& entry : items)
            if (entry->id == id) target = entry.get();
        if (target == nullptr) {
            problem = "dialog \"" + resource + "\" has no item " + std::to_string(id);
            throw host_error(problem);
        }
        target->value = value;
    }
    dialog_run shown{resource, title, {}, true};
    for (auto const& entry : items)
        shown.items.push_back({entry->id, entry->label, entry->value});
    if (presenter && *presenter) {
        if (!(*presenter)(shown)) {
            shown.accepted = false;
        } else {
            for (auto const& chosen : shown.items)
                for (auto& entry : items)
                    if (entry->id == chosen.id) entry->value = chosen.value;
        }
    } else {
        shown.accepted = !answer.cancel;
    }
    if (!shown.accepted) {
        finished = std::move(shown);  // as shown: nothing goes back to the responder
        return 0;
    }
    if (responder) responder->save_dialog_data(*this, nullptr);
    finished = dialog_run{resource, title, {}, true};
    for (auto const& entry : items)
        finished.items.push_back({entry->id, entry->label, entry->value});
    return 1;
}

dialog_item_class* resource_dialog::get_item(int id, void*) {
    host_call("get_item", nullptr, id);
    for (auto& entry : items)
        if (entry->id == id) return entry.get();
    return nullptr;
}

}  // namespace host
