#include "tessel_interface.h"

char const* tessel_interface::gettext(char const* key) {
    return get_plugin_services(nullptr)->lookup_text(key, nullptr);
}
