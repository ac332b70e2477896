// Shared setup for the shape access layer tests: the scene tests' fixture (scenes from
// inline JSON, clean fault injection and reference audit, the trace on) with wrappers
// aimed at shapes by path, and the host's checks after every test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "scene/scene_model.h"
#include "shape/shape_class.h"
#include "tests/scene/scene_fixture.h"

namespace shape_test {

// 16 numbers of a pure translation, as scene files write matrices.
inline std::string translation(float x, float y, float z) {
    return "[1,0,0,0, 0,1,0,0, 0,0,1,0, " + std::to_string(x) + "," + std::to_string(y) + "," +
           std::to_string(z) + ",1]";
}

// The tests of this layer check which host calls it makes (the trace is on) and that it
// leaves the host as it must: no reference held, no non-finite write, brackets closed.
class shape_layer : public scene_test::checked_scene {
protected:
    void TearDown() override {
        checked_scene::TearDown();
        if (scene) {
            EXPECT_TRUE(host::audit().outstanding().empty()) << "a counted host object leaked";
            EXPECT_FALSE(scene->has_non_finite_write());
            EXPECT_TRUE(scene->updates_balanced());
            EXPECT_TRUE(scene->state_flag_balanced());
        }
    }

    void load(std::string const& text) { scene = scene_test::load(text); }
    host::shape_node& node(char const* path) {
        host::shape_node* found = scene->find(path);
        if (found == nullptr) throw std::invalid_argument(std::string("no shape ") + path);
        return *found;
    }
    shape_class& host_shape(char const* path) { return node(path).iface(); }
    // A wrapper aimed at the shape, as the window aims Shape.
    Shape_class wrap(char const* path) { return Shape_class(&host_shape(path)); }

    std::unique_ptr<host::scene_model> scene;
};

inline void expect_vec3(vec3 const& actual, vec3 const& expected, float tolerance = 0) {
    scene_test::expect_vec3(actual, expected.x, expected.y, expected.z, tolerance);
}

inline void expect_matrix(mat4 const& actual, mat4 const& expected, float tolerance = 0) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << "element " << r << c;
}

}  // namespace shape_test
