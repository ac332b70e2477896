// Writes a scene back as a scene file (the format of scene_file.h), so that loading the
// written file gives the same shapes, points, links, active shape and active points. The
// undo history, the write log and the scene's camera index are not part of the format and
// are not written.
#pragma once

#include <string>

#include "scene_files/scene_file.h"
#include "scene/scene_model.h"

namespace host {

// The scene as scene-file JSON text, indented, arrays of numbers on one line. Every float
// is written as the shortest decimal that reads back as the same float.
std::string scene_file_text(scene_model const& scene);
// Writes scene_file_text to path; throws scene_file_error "PATH: cannot write the file".
void save_scene_file(scene_model const& scene, std::string const& path);

}  // namespace host
