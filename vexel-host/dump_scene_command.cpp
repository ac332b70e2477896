#include "dump_scene_command.h"

#include <ostream>

#include "scene_files/scene_dump.h"
#include "scene_files/scene_file.h"

namespace runner {

int run_dump_scene(std::string const& path, std::ostream& out, std::ostream& err) {
    try {
        auto scene = host::load_scene_file(path);
        host::write_scene_dump(*scene, out);
        return 0;
    } catch (host::scene_file_error const& e) {
        err << e.what() << "\n";
        return 1;
    }
}

}  // namespace runner
