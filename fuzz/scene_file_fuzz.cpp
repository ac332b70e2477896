// The scene loader on any text: a scene or one refusal (scene_file_error), nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "scene_files/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    try {
        host::load_scene_text(text, "fuzz.json");
    } catch (host::scene_file_error const&) {
    }
    return 0;
}
