// A plug-in module whose window breaks the host's rules on purpose, one rule per
// notification, so that the runner's own checks can be seen to catch each:
//   idle                         lets an exception out into the host
//   active_shapes_changed        keeps a counted scene reference and leaves an update open
//   current_joint_value_changed  writes a non-finite centre into the active sphere
//   figure_unit_changed          leaves an undo record open
//   shapes_being_deleted         gives a counted scene reference back twice (and swallows
//                                what the host throws at the second Release)
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "host_scene.h"
#include "host_shape.h"
#include "interface_id.h"
#include "tessel_interface.h"
#include "windowinterface"

namespace {

class faulty_window : public window_interface {
public:
    explicit faulty_window(tessel_interface& host) : window_interface(host), root(host) {}

    int get_tessel_version() const override { return tessel_interface_version; }
    void initialize(void*) override {}

    void idle(void*) override { throw std::runtime_error("the idle tick went wrong"); }

    void active_shapes_changed(bool& flag, scene_interface*, int, shape_class* const*, int,
                               shape_class* const*, void*) override {
        flag = false;
        root.get_scene_interface()->begin_update();  // neither released nor ended
    }

    void current_joint_value_changed(bool& flag, scene_interface* scene, int,
                                     part_class* const*, void*) override {
        flag = false;
        try {
            scene->get_active_shape()->as_sphere()->set_center(vec3{NAN, 0, 0});
        } catch (...) {
            // The host refuses the write; the attempt is what the check reports.
        }
    }

    void figure_unit_changed(bool& flag, scene_interface* scene, void*) override {
        flag = false;
        shape_class* shape = scene->get_active_shape();
        scene->begin_undo_record(1, &shape, false, false, 0);  // never ended
    }

    void shapes_being_deleted(bool& flag, scene_interface*, int, shape_class* const*,
                              void*) override {
        flag = false;
        scene_interface* scene = root.get_scene_interface();
        scene->Release();
        try {
            scene->Release();
        } catch (...) {
            // As a plug-in that catches every host exception at its boundary does.
        }
    }

private:
    tessel_interface& root;
};

struct version_record {
    std::uint8_t host_part[8];
    std::int32_t major, minor, micro, build;
};

}  // namespace

// Exported as the real module's entry points are: stdcall on 32-bit Windows (the .def file
// gives the names), visible symbols elsewhere.
#if defined(_WIN32)
#define FAULTY_ENTRY __stdcall
#else
#define FAULTY_ENTRY __attribute__((visibility("default")))
#endif

extern "C" {
FAULTY_ENTRY bool has_interface(plugin_iid const& iid, void*) {
    return iid_equal(iid, window_iid);
}
FAULTY_ENTRY char const* get_name(void*, void*, tessel_interface&, void*) {
    return "faulty";
}
FAULTY_ENTRY tq::uuid_class get_uuid(void*, void*, void*) {
    return tq::uuid_class("0a0b0c0d-0000-4000-8000-000000000001");
}
FAULTY_ENTRY bool is_resident(void*, void*, void*) { return false; }
FAULTY_ENTRY void get_info(version_record& record, void*, void*) {
    record.major = 1;
    record.minor = record.micro = record.build = 0;
}
FAULTY_ENTRY void create_interface(void*, void*, window_interface** out, tessel_interface& host,
                                  void*) {
    faulty_window* window = new faulty_window(host);
    window->AddRef();
    *out = window;
}
}
