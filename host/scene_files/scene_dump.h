// A readable dump of a scene, for `vexel-host --dump-scene SCENE.json` and for tests:
// every shape in pre-order with its path, type name, kinds, matrices and points, each
// point in its local frame and in the world frame.
#pragma once

#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

namespace host {

class scene_model;

// Keys in a fixed order: path first, points last.
nlohmann::ordered_json dump_scene_json(scene_model const& scene);
// The dump as indented text; arrays of plain values stay on one line. write_scene_dump
// writes it shape by shape, without the whole document in memory.
void write_scene_dump(scene_model const& scene, std::ostream& out);
std::string dump_scene_text(scene_model const& scene);

}  // namespace host
