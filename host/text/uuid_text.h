// An identifier's canonical text form, as the preference store keys values by it and the
// runner prints it.
#pragma once

#include <string>

#include "uuid_class.h"

namespace host {

// "d43b04ce-8713-4d82-8b7c-c79466f1bfd2". Does not throw (beyond allocation).
std::string uuid_text(tq::uuid_class const& id);

}  // namespace host
