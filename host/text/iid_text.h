// An interface identifier (IID) as a person writes it on a command line: the group form
// "50e47d74-8922-11d1-9a00-00c04fcc9c26", in which the first three groups are Data1,
// Data2 and Data3 and the last sixteen digits the eight bytes of Data4, in order.
#pragma once

#include <optional>
#include <string>

#include "interface_id.h"

namespace host {

// The identifier of exactly 36 characters: hexadecimal digits (either case) in groups of
// 8-4-4-4-12 joined by '-'; none for any other text.
std::optional<com_iid> iid_from_text(std::string const& text);
// The group form in lower case.
std::string iid_text(com_iid const& iid);

}  // namespace host
