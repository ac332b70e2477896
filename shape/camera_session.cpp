#include "camera_session.h"

camera_session* camera_session::opening = nullptr;

camera_session::camera_session(shape_class& joint, purpose why)
    : scene(joint.get_scene()), why(why), joint_shape(&joint) {
    camera_session* outer = opening;
    opening = this;
    try {
        open(joint);
    } catch (...) {
        opening = outer;
        // The destructor does not run for a half-built session.
        restore();
        throw;
    }
    opening = outer;
}

void camera_session::shape_leaving(shape_class const* shape) {
    if (opening != nullptr && shape == opening->joint_shape) opening->joint_left = true;
}

void camera_session::open(shape_class& joint) {
    if (why == reading) {
        saved_index = scene->get_camera_index();
        index_saved = true;
        scene->begin_update();
        updating = true;
    } else {
        scene->begin_update();
        updating = true;
        saved_index = scene->get_camera_index();
        index_saved = true;
    }
    if (scene->get_state_flag()) {
        scene->suspend_state_flag();
        suspended = true;
    }
    // Deleted inside one of the calls above: the joint is freed and must not be asked.
    if (joint_left) throw missing_host_object();
    require(joint.as_part()).select_as_camera();
    current = &require(scene->get_camera());
}

void camera_session::close() {
    if (index_saved) {
        scene->set_camera_index(saved_index);
        index_saved = false;
    }
    if (suspended) {
        scene->resume_state_flag();
        suspended = false;
    }
    if (updating) {
        scene->end_update();
        updating = false;
        if (why == reading) scene->refresh();
    }
}

camera_session::~camera_session() { restore(); }

void camera_session::restore() noexcept {
    // Each step on its own: a failing one must not keep the bracket open.
    if (index_saved) {
        try {
            scene->set_camera_index(saved_index);
        } catch (...) {
        }
    }
    if (suspended) {
        try {
            scene->resume_state_flag();
        } catch (...) {
        }
    }
    if (updating) {
        try {
            scene->end_update();
        } catch (...) {
        }
    }
}
