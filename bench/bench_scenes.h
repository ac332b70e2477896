// The scenes the benchmarks run on, made in code (fast, any size) or as scene-file text
// for the loading benchmarks. Coordinates are fractional, as a user's usually are.
#pragma once

#include <memory>
#include <string>

#include "scene/scene_model.h"

namespace bench {

// "curve" (a line of 4 control points with handles), "mesh" (a polygon mesh of vertices
// vertices), "cam" (a camera joint), then filler spheres "s0", "s1", ... so that the scene
// holds shapes shapes in all; the three named ones come last.
std::unique_ptr<host::scene_model> mixed_scene(int vertices = 8, int shapes = 3);
// "wing": a surface part of lines lines "rib0", "rib1", ..., each of 4 control points.
std::unique_ptr<host::scene_model> surface_scene(int lines);
// The text of a scene file holding one polygon mesh "mesh" of vertices vertices.
std::string mesh_scene_text(int vertices);

}  // namespace bench
