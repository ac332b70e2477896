#include "text/uuid_text.h"

#include <cstdio>

namespace host {

std::string uuid_text(tq::uuid_class const& id) {
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%04x%08x", id.word[0],
                  id.word[1] >> 16, id.word[1] & 0xffffu, id.word[2] >> 16,
                  id.word[2] & 0xffffu, id.word[3]);
    return text;
}

}  // namespace host
