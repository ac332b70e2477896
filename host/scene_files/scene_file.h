// Scene files: the reference host's public input, in JSON.
//
// Top level (an object):
//   "figure_unit"  number > 0, default 1: displayed value = stored value times this.
//   "shapes"       array of shapes (the top level of the tree), default [].
//   "active"       path of the active shape (names joined by "/"), optional.
//   "state_flag"   boolean, default false: the scene's state flag.
// Every shape (an object):
//   "name"         non-empty text without "/", unique among its siblings. Required.
//   "type"         part, line, polygon_mesh, sphere, disk, light, master_surface, other.
//   "matrix"       16 numbers, row after row, local to parent (p_parent = p_local * M);
//                  column 3 must be (0, 0, 0, w) with w not 0. Default identity.
//   "modifiable"   boolean, default true.
//   "active_points" array of point indices in the shape's flat numbering.
//   "skin"         16 numbers: the shape is skinned with this local-to-world matrix.
//   "linked_joint", "linked_skin"  arrays of paths: the shapes linked through the joint
//                  and the skin extension components.
//   Parts: "part" (simple, surface, rotator, slider, scale, uniscale, light_joint, path,
//   morph, switch, custom, ball, camera, link, surface_m, sound; required), "children"
//   (array of shapes), and by part kind: surface "direction" (boolean, default true);
//   rotator, scale "first_point" and "second_point" (the axis vector); slider
//   "first_point" and "second_point" (the end point); uniscale "first_point" (the pivot);
//   ball "pivot"; camera "eye" and "target"; link "link_target" (a path).
//   line: "points", objects with "anchor" (required), "in", "out", "l_in", "l_out"
//   ([x, y, z]; a missing handle equals the anchor), "linked", "l_linked" (default
//   false), "skin" (16 numbers).
//   polygon_mesh: "vertices", each [x, y, z] or {"position": [x, y, z], "skin": [...]}.
//   sphere, disk, light: "center".
// Any other key, a key given twice, a key that does not apply to the shape's type, a wrong value or
// a bad path refuses the whole file with one line: "FILE: WHERE: PROBLEM", e.g.
//   examples/broken.json: shapes/curve/points[1]/anchor: expected 3 numbers, got 2
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "scene/scene_model.h"

namespace host {

struct scene_file_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Loads a scene file; throws scene_file_error and builds nothing on any problem.
std::unique_ptr<scene_model> load_scene_file(std::string const& path);
// The same from text; source names it in messages.
std::unique_ptr<scene_model> load_scene_text(std::string const& text, std::string const& source);

}  // namespace host
