// The scene's camera borrowed for one read or write of a camera joint's eye or target:
// the joint is made the current camera inside an update bracket with the state flag
// suspended, and the scene's camera index is put back afterwards.
#pragma once

#include "counted_ref.h"
#include "host_scene.h"
#include "host_shape.h"

class camera_session {
public:
    // A read saves the camera index before opening the update bracket and refreshes the
    // views at the end; a write opens the bracket first and does not refresh.
    enum purpose { reading, writing };

    // Takes the joint's scene, opens the bracket and makes the joint the current camera.
    // May throw; whatever was opened is closed again by the destructor.
    camera_session(shape_class& joint, purpose why);
    // Restores the camera index and the state flag, closes the bracket (and refreshes
    // for a read). May throw; the destructor finishes what was left.
    void close();
    // After an exception: undoes, as far as the host lets it, what is still open.
    ~camera_session();

    camera_session(camera_session const&) = delete;
    camera_session& operator=(camera_session const&) = delete;

    camera_class& camera() { return *current; }

    // The host is about to free shape (shapes_being_deleted): when it is the joint of the
    // session being opened, the session stops before it touches the joint again. The host
    // may delete it from inside the scene calls that open the session.
    static void shape_leaving(shape_class const* shape);

private:
    void open(shape_class& joint);
    void restore() noexcept;

    counted_ref<scene_interface> scene;
    purpose why;
    int saved_index = 0;
    bool index_saved = false;
    bool updating = false;
    bool suspended = false;
    camera_class* current = nullptr;
    // The session being opened (null: none) and whether its joint has left since.
    static camera_session* opening;
    shape_class const* joint_shape = nullptr;
    bool joint_left = false;
};
