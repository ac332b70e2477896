// Broken plug-in modules for the loader's refusals, built from this one source:
//   FAKE_REFUSING      answers has_interface false for everything;
//   FAKE_NO_GET_INFO   lacks the get_info export.
#include <cstdint>

struct fake_uuid {
    std::uint32_t word[4];
};

extern "C" {
__attribute__((visibility("default"))) bool has_interface(void const*, void*) {
#if defined(FAKE_REFUSING)
    return false;
#else
    return true;
#endif
}
__attribute__((visibility("default"))) char const* get_name(void*, void*, void*, void*) {
    return "fake";
}
__attribute__((visibility("default"))) fake_uuid get_uuid(void*, void*, void*) {
    return fake_uuid{{1, 2, 3, 4}};
}
__attribute__((visibility("default"))) bool is_resident(void*, void*, void*) { return false; }
#if !defined(FAKE_NO_GET_INFO)
__attribute__((visibility("default"))) void get_info(void*, void*, void*) {}
#endif
__attribute__((visibility("default"))) void create_interface(void*, void*, void** out, void*,
                                                             void*) {
    *out = nullptr;
}
}
