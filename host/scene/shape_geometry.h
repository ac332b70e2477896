// The geometry a shape owns: everything a host undo step restores. Plain values, copied
// freely; positions are in the frame of the element that holds them.
#pragma once

#include <vector>

#include "math_values.h"

namespace host {

// A skin record: when skinned, matrix is the element's own local-to-world matrix.
struct skin_data {
    bool skinned = false;
    mat4 matrix = mat4::identity;
};

// A line's control point: anchor and four handles as absolute positions.
struct control_point_data {
    vec3 anchor{0, 0, 0};
    vec3 in{0, 0, 0};
    vec3 out{0, 0, 0};
    vec3 l_in{0, 0, 0};
    vec3 l_out{0, 0, 0};
    bool linked = false;
    bool l_linked = false;
    skin_data skin;
};

// A mesh may have millions of vertices and few skinned ones: a vertex holds the index of
// its skin matrix in the mesh's vertex_skins, -1 when it is not skinned (16 bytes, not 80).
struct vertex_data {
    vec3 position{0, 0, 0};
    int skin = -1;
};

struct shape_geometry {
    mat4 local = mat4::identity;  // local to parent: p_parent = p_local * local
    skin_data skin;               // the shape as a whole
    std::vector<control_point_data> points;  // line
    std::vector<vertex_data> vertices;       // polygon mesh
    std::vector<mat4> vertex_skins;          // the skinned vertices' matrices
    vec3 center{0, 0, 0};                    // light, sphere, disk
    // Joints: rotator/scale keep an axis vector in second, a slider its end point, a
    // uniscale joint its pivot in first; a ball joint uses pivot.
    vec3 first{0, 0, 0};
    vec3 second{0, 0, 0};
    vec3 pivot{0, 0, 0};
    vec3 eye{0, 0, 0};     // camera joint
    vec3 target{0, 0, 0};  // camera joint

    // Vertex i's skin record. Throws std::out_of_range for an index outside the mesh.
    skin_data vertex_skin(std::size_t i) const {
        int k = vertices.at(i).skin;
        return k < 0 ? skin_data{} : skin_data{true, vertex_skins.at(static_cast<std::size_t>(k))};
    }
    // Skins vertex i with matrix.
    void set_vertex_skin(std::size_t i, mat4 const& matrix) {
        vertices.at(i).skin = static_cast<int>(vertex_skins.size());
        vertex_skins.push_back(matrix);
    }
};

// Whether a and b hold the same geometry bit for bit (so -0 differs from 0): what an undo
// step must change to be worth offering.
bool same_geometry(shape_geometry const& a, shape_geometry const& b);

}  // namespace host
