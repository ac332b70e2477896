// A reference host with the plug-in loaded, a scene and the window's controls by name: the
// tests drive the window the way a host and its user would and look only at what the host
// sees (the window model, the scene, the checks).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "scene_files/scene_file.h"
#include "mark_elements.h"
#include "scene/scene_model.h"
#include "services/host_app.h"
#include "services/window_snapshot.h"
#include "window_controls.h"
#include "windowinterface"

namespace window_test {

// The controls by name (app, snap, ..., row_title(r), box(r, axis), extra(r)), as the
// runner's scripts name them.
using namespace script::vexel_controls;

tq::uuid_class const vexel_id("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");

// What the host's marking component was asked, with the indices copied during the call.
struct recorded_mark {
    shape_class* shape;
    int operation;
    int target;
    bool flag;
    int count;
    std::vector<int> indices;
};

class recording_marker : public marking_interface {
public:
    void handle_mark_request(shape_class& shape, mark_elements const* record, void*) override {
        host::host_call("marking.handle_mark_request");
        recorded_mark r{&shape, record->operation, record->target, record->flag, record->count, {}};
        if (record->operation == 3 && record->indices != nullptr)
            r.indices.assign(record->indices, record->indices + record->count);
        requests.push_back(r);
    }
    std::vector<recorded_mark> requests;
};

class window_fixture : public ::testing::Test {
protected:
    // settings: the settings word stored before the module loads (-1: nothing stored).
    void start(int settings = -1, std::string const& lang = "en") {
        host::faults().reset();
        host::audit().reset();
        hostapp = std::make_unique<host::host_app>("", lang);
        if (settings >= 0) hostapp->preferences().store(vexel_id, settings);
        hostapp->set_marking_component(&marker);
        hostapp->load(VEXEL_MODULE_PATH);
    }
    void SetUp() override { start(); }
    void TearDown() override {
        host::faults().reset();
        if (hostapp && hostapp->loaded()) hostapp->unload();
        hostapp.reset();
        // Once the window is gone the plug-in holds nothing of the host's.
        for (std::string const& o : host::audit().outstanding()) ADD_FAILURE() << "outstanding: " << o;
        scene.reset();
    }

    // Opens a scene given as JSON text and announces it as the active scene.
    void open(std::string const& json) {
        auto next = host::load_scene_text(json, "test scene");
        hostapp->set_scene(next.get());
        scene = std::move(next);
        hostapp->active_scene_changed();
    }
    shape_class* shape(std::string const& path) { return &scene->find(path)->iface(); }
    // Makes path the active shape and tells the window, as a host does.
    void activate(std::string const& path, std::vector<int> points = {}) {
        scene->set_active_shape(path);
        if (!points.empty()) scene->set_active_points(path, points);
        hostapp->active_shapes_changed({}, {shape(path)});
    }

    host::window_state state() { return host::window_snapshot(hostapp->services(), *hostapp->window()); }
    host::control_state control(int index) { return state().controls.at(index); }
    std::string text(int index) { return control(index).text; }
    bool enabled(int index) { return control(index).enabled; }
    bool shown(int index) { return control(index).shown; }
    int height() { return state().client.y; }

    // The number a box shows: a host number box's value or a text field's text.
    double shown_number(int index) {
        host::control_state c = control(index);
        if (c.kind == host::control_kind::number) return c.value.value();
        return std::strtod(c.text.c_str(), nullptr);
    }
    vec3 row(int r) {
        return vec3{float(shown_number(box(r, 0))), float(shown_number(box(r, 1))),
                    float(shown_number(box(r, 2)))};
    }
    void type(int index, std::string const& t) { hostapp->user().type(*hostapp->window(), index, t); }
    void type_row(int r, vec3 v) {
        type(box(r, 0), std::to_string(v.x));
        type(box(r, 1), std::to_string(v.y));
        type(box(r, 2), std::to_string(v.z));
    }
    void click(int index, int action = 0) { hostapp->user().click(*hostapp->window(), index, action); }
    void choose_slot(int slot) { hostapp->user().choose(*hostapp->window(), slots, slot); }
    void toggle(int index) { hostapp->user().toggle(*hostapp->window(), index); }
    // Idle ticks, as the host sends them.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) hostapp->idle();
    }
    // The five rows' mode buttons: clicks until the label reads the wanted one.
    void set_mode(int r, std::string const& label) {
        for (int i = 0; i < 4 && text(extra(r)) != label; ++i) click(extra(r));
        ASSERT_EQ(text(extra(r)), label);
    }

    // Reads of the scene through the plug-in's own contract, as the checks see it.
    vec3 anchor(std::string const& path, int index) {
        return shape(path)->control_point_at(index)->get_point_position();
    }
    vec3 center(std::string const& path) { return shape(path)->as_sphere()->get_center(); }

    // Nothing the plug-in left behind: no outstanding reference, no open bracket, no
    // non-finite write.
    void expect_clean() {
        // The window holds the preference store for its whole life.
        for (std::string const& o : host::audit().outstanding())
            if (o.rfind("preference store", 0) != 0) ADD_FAILURE() << "outstanding: " << o;
        if (scene) {
            EXPECT_FALSE(scene->undo_record_open());
            EXPECT_TRUE(scene->updates_balanced());
            EXPECT_TRUE(scene->state_flag_balanced());
            EXPECT_FALSE(scene->has_non_finite_write());
        }
    }

    recording_marker marker;
    std::unique_ptr<host::host_app> hostapp;
    std::unique_ptr<host::scene_model> scene;
};

inline ::testing::AssertionResult vec3_near(vec3 a, vec3 b, double tol) {
    if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z
                                         << ") is not within " << tol << " of (" << b.x << ", "
                                         << b.y << ", " << b.z << ")";
}

#define EXPECT_VEC3_NEAR(actual, x_, y_, z_, tol) \
    EXPECT_TRUE(window_test::vec3_near((actual), vec3{float(x_), float(y_), float(z_)}, (tol)))

// Scenes used by several test files.
extern char const* const line_scene;      // "curve": a line of three control points
extern char const* const mixed_scene;     // one shape of each kind the window shows

}  // namespace window_test
