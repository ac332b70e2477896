// A dialog description resource as the host reads it:
//   <dialog title="..." default_button="true"><vbox><bool label= id= default=/>...</vbox></dialog>
// Items may sit in nested boxes; only bool items carry values.
#pragma once

#include <string>
#include <vector>

namespace host {

struct dialog_description {
    struct item {
        int id;
        std::string label;
        bool default_value;
    };
    std::string title;
    std::vector<item> items;  // document order

    // Reads the resource at path. Throws host_error naming the file and the problem (no
    // <dialog> root, a bool without a numeric id, a repeated id, a default that is not
    // "true" or "false").
    static dialog_description read(std::string const& path);
    // The same for a description's text; source names it in messages.
    static dialog_description parse(std::string const& text, std::string const& source);
};

}  // namespace host
