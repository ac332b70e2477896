// The host's scene: active shape, update brackets, camera, state flag and undo records.
//
// A scene reached through get_scene_interface or shape_class::get_scene is counted: the
// caller releases it. A scene passed to a notification is borrowed for that call. Every
// operation may throw a host exception.
#pragma once

#include "math_values.h"
#include "unknown_interface.h"

class shape_class;

// The scene's current camera (get_camera). Positions in the camera joint's local frame.
class camera_class {
public:
    virtual vec3 get_eye(void* reserved = nullptr) = 0;
    virtual void set_eye(vec3 const& p, void* reserved = nullptr) = 0;
    virtual vec3 get_target(void* reserved = nullptr) = 0;
    virtual void set_target(vec3 const& p, void* reserved = nullptr) = 0;

protected:
    ~camera_class() = default;
};

class scene_interface : public IUnknown {
public:
    // The shape the user works on, or null. Borrowed. May throw.
    virtual shape_class* get_active_shape(void* reserved = nullptr) = 0;
    // Update bracket: the host defers redrawing until the outermost end_update. Nests.
    virtual void begin_update(void* reserved = nullptr) = 0;
    virtual void end_update(void* reserved = nullptr) = 0;
    // Redraws the views. May throw.
    virtual void refresh(void* reserved = nullptr) = 0;
    // The scene's state flag and a bracket that suspends it while the plug-in edits.
    virtual bool get_state_flag(void* reserved = nullptr) = 0;
    virtual void suspend_state_flag(void* reserved = nullptr) = 0;
    virtual void resume_state_flag(void* reserved = nullptr) = 0;
    // Displayed value = stored value times this factor. May throw.
    virtual float get_figure_unit_factor(void* reserved = nullptr) = 0;
    // Which camera the views look through.
    virtual int get_camera_index(void* reserved = nullptr) = 0;
    virtual void set_camera_index(int index, void* reserved = nullptr) = 0;
    // The current camera. Borrowed. May throw.
    virtual camera_class* get_camera(void* reserved = nullptr) = 0;
    // Undo record over count shapes: begin captures them, end closes the record, commit
    // files it as one host undo step. flag_a is true for "no undo of selection", flag_b
    // true when the shapes are surface parts; kind is the host's record kind (0). May throw.
    virtual void begin_undo_record(int count, shape_class* const* shapes, bool flag_a,
                                   bool flag_b, int kind, void* reserved = nullptr) = 0;
    virtual void end_undo_record(int count, shape_class* const* shapes, bool flag_a,
                                 bool flag_b, int kind, void* reserved = nullptr) = 0;
    virtual void commit_undo(void* reserved = nullptr) = 0;
};
