// The host's own edits of the shapes of a scene, as a user makes them in a host (the
// runner's and the studio's actions): moving a point or a handle, inserting and removing
// a line's control point or a mesh's vertex, renaming, the modifiable flag and a surface
// part's direction. None of them is a host call or an undo step (a front end brackets a
// drag with begin_host_step); bad input throws std::invalid_argument and changes nothing;
// each ends with the modification listener, as a host tells its plug-ins about any change.
#pragma once

#include <string>

#include "scene/scene_model.h"

namespace host {

// Moves point index of the shape at path to p (local frame). The point is the one the
// flat numbering and the joint layout name (shape_points.h): a control point's anchor
// (its four handles move with it, as when dragged in the host), a vertex, a centre, a
// joint's first point (0) or end point (1), a uniscale or ball pivot, a camera's eye (0)
// or target (1). A part's flat index moves the point of the shape that holds it.
void move_point(scene_model& scene, std::string const& path, int index, vec3 const& p);
// Moves handle (1 In, 2 Out, 3 L in, 4 L out) of control point index of the line at path
// to p (the line's frame), as a drag of the handle in a host.
void move_handle(scene_model& scene, std::string const& path, int index, int handle,
                 vec3 const& p);
// Inserts a point at index (0 to the point count: before that point, or at the end) of
// the line or polygon mesh at path: a control point with its anchor at p (local frame),
// its four handles on the anchor and both link flags false, or a vertex at p. The active
// points behind it, in the shape and in every part that numbers it, move up by one.
void insert_point(scene_model& scene, std::string const& path, int index, vec3 const& p);
// Removes point index of the line or polygon mesh at path. It is no longer active; the
// active points behind it move down by one.
void remove_point(scene_model& scene, std::string const& path, int index);
// Renames the shape at path. The name follows the scene file's rule: not empty, no "/",
// not the name of another shape at the same level.
void rename_shape(scene_model& scene, std::string const& path, std::string const& name);
// The shape's modifiable flag.
void set_modifiable(scene_model& scene, std::string const& path, bool modifiable);
// The direction flag of the surface part at path; any other shape is refused.
void set_surface_direction(scene_model& scene, std::string const& path, bool direction);

}  // namespace host
