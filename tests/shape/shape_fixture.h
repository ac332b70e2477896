// Shared setup for the shape access layer tests: reference-host scenes from inline JSON,
// wrappers aimed at shapes by path, and clean fault injection and reference audit.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "checks/host_checks.h"
#include "scene_files/scene_file.h"
#include "scene/scene_model.h"
#include "shape/shape_class.h"

namespace shape_test {

// 16 numbers of a pure translation, as scene files write matrices.
inline std::string translation(float x, float y, float z) {
    return "[1,0,0,0, 0,1,0,0, 0,0,1,0, " + std::to_string(x) + "," + std::to_string(y) + "," +
           std::to_string(z) + ",1]";
}

class shape_layer : public ::testing::Test {
protected:
    // The tests of this layer check which host calls it makes: the trace is on.
    void SetUp() override {
        host::faults().reset();
        host::faults().record_trace(true);
        host::audit().reset();
    }
    void TearDown() override {
        host::faults().reset();
        host::faults().record_trace(false);
        if (scene) {
            EXPECT_TRUE(host::audit().outstanding().empty()) << "a counted host object leaked";
            EXPECT_FALSE(scene->has_non_finite_write());
            EXPECT_TRUE(scene->updates_balanced());
            EXPECT_TRUE(scene->state_flag_balanced());
        }
    }

    void load(std::string const& text) { scene = host::load_scene_text(text, "test.json"); }
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
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expect_matrix(mat4 const& actual, mat4 const& expected, float tolerance = 0) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << "element " << r << c;
}

}  // namespace shape_test
