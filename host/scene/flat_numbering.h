// The flat numbering of a shape's points, the one the host's point_count and a surface
// part's control_point_at speak: a line numbers its control points, a polygon mesh its
// vertices, any other shape that is not a part one point, a part the points of its
// children one child after another, and a link part the points of its target. The
// count, the dump's point_count, the loader's check of active points, the host's own edits
// and the studio's selection all ask here.
//
// Two counts of "how many points" differ on purpose. Here a light, sphere, disk, master
// surface or "other" shape holds one place, because the host reports one to the plug-in
// (the dump's point_count shows it); shape_points.h lists the coordinates a shape keeps,
// and a master surface or "other" shape keeps none, so a move to that place is refused.
// Joint parts go the other way: they number their children's points here but keep their
// own joint points there.
//
// Every walk goes through the shapes before the point once, without recursion (a chain of
// links may be long), and refuses a cycle of link parts: a walk that passes more link
// parts on its way down than the scene holds has met one.
#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

#include "scene/shape_node.h"

namespace host {

// The number of points in shape's flat numbering. Throws host_error when its links form a
// cycle. Allocates nothing once warm: the plug-in asks it on every refresh.
int flat_point_count(shape_node const& shape);

// The shape holding flat index of shape (a line, a mesh or another shape that is not a
// part; a link part's points are its target's) and the index inside it; {null, 0} when
// index is out of range. Throws host_error when links form a cycle.
std::pair<shape_node*, int> resolve_flat_index(shape_node& shape, int index);

// Where the points of holder start in shape's flat numbering, once for each time they
// appear in it (a link part numbers its target's points again), in order. Throws
// host_error when links form a cycle.
std::vector<int> flat_starts_of(shape_node& shape, shape_node const& holder);

// Back again: the flat index in ancestor's numbering of point index of shape, which lies
// in ancestor's own subtree (a place it also has through a link part is not looked for);
// -1 when it is not in that subtree. Throws host_error when a shape before it meets a
// link cycle.
int flat_index_of(shape_node const& ancestor, shape_node const& shape, int index);

// Counts of many shapes of one scene, each shape counted once however many ask through
// it, for a caller that counts every shape (the loader): a count from scratch for each
// link of a long chain would make that quadratic. Valid while the scene does not change.
class flat_point_counts {
public:
    // As flat_point_count.
    int of(shape_node const& shape);

private:
    std::unordered_map<shape_node const*, int> known;
};

}  // namespace host
