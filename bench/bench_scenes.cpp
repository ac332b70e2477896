#include "bench_scenes.h"

#include <cstdio>

namespace bench {

namespace {

host::control_point_data control_point(float x, float y, float z) {
    host::control_point_data p;
    p.anchor = {x, y, z};
    p.in = {x - 0.375f, y + 0.1f, z};
    p.out = {x + 0.625f, y - 0.2f, z + 0.05f};
    p.l_in = {x, y - 1.3f, z + 0.7f};
    p.l_out = {x, y + 1.1f, z - 0.3f};
    return p;
}

void add_line(host::scene_model& scene, host::shape_node* parent, std::string name, float y) {
    host::shape_node& line = scene.add_shape(parent, std::move(name), kind_line);
    for (int i = 0; i < 4; ++i) line.add_control_point(control_point(1.234567f * i, y, 0.3f * i));
}

}  // namespace

std::unique_ptr<host::scene_model> mixed_scene(int vertices, int shapes) {
    auto scene = std::make_unique<host::scene_model>();
    for (int i = 0; i + 3 < shapes; ++i) {
        host::shape_node& s =
            scene->add_shape(nullptr, "s" + std::to_string(i), kind_sphere);
        s.geometry.center = {0.5f * i, 1.25f, -3.5f};
    }
    add_line(*scene, nullptr, "curve", 2.71828f);
    host::shape_node& mesh = scene->add_shape(nullptr, "mesh", kind_polygon_mesh);
    mesh.geometry.vertices.reserve(vertices);
    for (int i = 0; i < vertices; ++i) {
        host::vertex_data v;
        v.position = {0.001f * (i % 1000) + 0.125f, 0.001f * (i / 1000) + 0.375f, 1.1f};
        mesh.add_vertex(v);
    }
    host::shape_node& cam = scene->add_shape(nullptr, "cam", kind_part, part_camera);
    cam.geometry.eye = {0.1f, -20.3f, 8.7f};
    cam.geometry.target = {0.25f, 0.5f, 2.125f};
    return scene;
}

std::unique_ptr<host::scene_model> surface_scene(int lines) {
    auto scene = std::make_unique<host::scene_model>();
    host::shape_node& wing = scene->add_shape(nullptr, "wing", kind_part, part_surface);
    for (int i = 0; i < lines; ++i) add_line(*scene, &wing, "rib" + std::to_string(i), 0.5f * i);
    return scene;
}

std::string mesh_scene_text(int vertices) {
    std::string text =
        "{\"shapes\": [{\"name\": \"mesh\", \"type\": \"polygon_mesh\", \"vertices\": [\n";
    text.reserve(text.size() + 24 * static_cast<std::size_t>(vertices) + 16);
    char buffer[64];
    for (int i = 0; i < vertices; ++i) {
        int n = std::snprintf(buffer, sizeof buffer, "%s[%d.125,%d.375,-1.5]", i ? ",\n" : "",
                              i % 1000, i / 1000);
        text.append(buffer, n);
    }
    text += "\n]}], \"active\": \"mesh\"}\n";
    return text;
}

}  // namespace bench
