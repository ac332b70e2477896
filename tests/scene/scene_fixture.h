// Shared helpers for the scene tests and the shape layer's (tests/shape/shape_fixture.h
// builds on them): scenes from inline JSON, and a fixture that starts every test with clean
// fault injection and reference audit, the host calls' trace on.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "checks/host_checks.h"
#include "scene_files/scene_file.h"

namespace scene_test {

inline std::unique_ptr<host::scene_model> load(std::string const& text) {
    return host::load_scene_text(text, "t.json");
}

// The refusal message of a scene text, or "(loaded)".
inline std::string refusal(std::string const& text) {
    try {
        load(text);
    } catch (host::scene_file_error const& e) {
        return e.what();
    }
    return "(loaded)";
}

class checked_scene : public ::testing::Test {
protected:
    void SetUp() override {
        host::faults().reset();
        host::faults().record_trace(true);
        host::audit().reset();
    }
    void TearDown() override {
        host::faults().reset();
        host::faults().record_trace(false);
    }
};

inline void expect_vec3(vec3 const& actual, float x, float y, float z, float tolerance = 0) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

}  // namespace scene_test
