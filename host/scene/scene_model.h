// The reference host's scene: a tree of shapes, the active shape, update brackets, the
// state flag, cameras, undo records, and the checks the tests and the runner read (every
// coordinate written into the scene, non-finite writes, bracket balance).
//
// The scene is a counted object: the host owns it (std::unique_ptr) and keeps no
// reference of its own, so the reference audit lists it exactly while the plug-in holds
// one. Every scene_interface operation enters the fault injector as "scene.<operation>".
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "host_scene.h"
#include "scene/shape_node.h"
#include "scene/undo_history.h"

namespace host {

// One coordinate write the plug-in (or host code through a view) made into the scene.
struct coordinate_write {
    std::string operation;     // e.g. "control_point.set_point_position"
    shape_class const* shape;  // null for the scene's default camera
    std::string path;          // the shape's path at the time of the write
    std::vector<float> values;
    bool finite;               // false: the write was refused and the scene left unchanged
    bool modifiable;           // the shape's is_modifiable at the time of the write
};

class scene_model final : public counted<scene_interface> {
public:
    // Called after every modifying operation with the shapes it changed (empty for the
    // scene's default camera), possibly from inside a plug-in call.
    using modification_listener = std::function<void(std::vector<shape_class*> const&)>;

    scene_model();
    ~scene_model() override;
    scene_model(scene_model const&) = delete;
    scene_model& operator=(scene_model const&) = delete;

    // ---- Building (scene files, tests) ----
    // Appends a shape under parent (null: top level). A camera joint gets a camera.
    shape_node& add_shape(shape_node* parent, std::string name, int object_kind,
                          int part_kind = -1);
    std::vector<std::unique_ptr<shape_node>> const& roots() const { return top; }
    // Link parts in the scene (a bound for following links without a cycle).
    int link_part_count() const { return link_parts; }
    // The shape at a path of names joined by "/", or null.
    shape_node* find(std::string const& path) const;
    // Every shape in pre-order.
    std::vector<shape_node*> all_shapes() const;
    // Position in the pre-order walk, from 0; -1 for a shape not in this scene.
    int sequence_number(shape_node const& node) const;
    // The sentinel after the last top-level shape.
    shape_class* top_level_end();

    // ---- scene_interface ----
    shape_class* get_active_shape(void* reserved = nullptr) override;
    void begin_update(void* reserved = nullptr) override;
    // An end without a matching begin is counted as unbalanced; the depth stays at 0.
    void end_update(void* reserved = nullptr) override;
    void refresh(void* reserved = nullptr) override;
    // False while suspended.
    bool get_state_flag(void* reserved = nullptr) override;
    void suspend_state_flag(void* reserved = nullptr) override;
    void resume_state_flag(void* reserved = nullptr) override;
    float get_figure_unit_factor(void* reserved = nullptr) override;
    int get_camera_index(void* reserved = nullptr) override;
    void set_camera_index(int index, void* reserved = nullptr) override;
    // Throws host_error when no camera has the current index.
    camera_class* get_camera(void* reserved = nullptr) override;
    // Throws host_error for a bad shape array or a shape of another scene.
    void begin_undo_record(int count, shape_class* const* shapes, bool flag_a, bool flag_b,
                           int kind, void* reserved = nullptr) override;
    void end_undo_record(int count, shape_class* const* shapes, bool flag_a, bool flag_b,
                         int kind, void* reserved = nullptr) override;
    void commit_undo(void* reserved = nullptr) override;

    // ---- What the checks read ----
    shape_node* active_shape() const { return active; }
    float figure_unit() const { return unit_factor; }
    int camera_index() const { return current_camera; }
    camera_view& default_camera() { return scene_camera; }
    int refresh_count() const { return refreshes; }
    int update_begin_count() const { return update_begins; }
    int update_end_count() const { return update_ends; }
    int update_depth() const { return update_level; }
    // No bracket open and no end without a begin.
    bool updates_balanced() const { return update_level == 0 && !update_underflow; }
    bool state_flag_value() const { return state_flag; }
    int suspend_count() const { return suspends; }
    int resume_count() const { return resumes; }
    bool state_flag_balanced() const { return suspend_level == 0 && !resume_underflow; }
    undo_history const& undo_records() const { return history; }
    bool undo_record_open() const { return history.record_open(); }

    std::vector<coordinate_write> const& writes() const { return write_log; }
    int non_finite_write_count() const { return non_finite_writes; }
    // What a plug-in left wrong in this scene, one line each: non-finite writes, an open
    // undo record, unbalanced update brackets or state-flag suspends. Empty when all hold.
    std::vector<std::string> violations() const;
    bool has_non_finite_write() const { return non_finite_writes > 0; }
    void clear_write_log();

    void set_modification_listener(modification_listener listener);

    // ---- Used by the element views ----
    // Records a write of values into shape (null: the default camera); throws host_error,
    // leaving the scene unchanged, when any value is NaN or infinite.
    void check_write(char const* operation, shape_node* shape, float const* values, int count);
    void check_write(char const* operation, shape_node* shape, vec3 const& p);
    // Calls the modification listener for shape (null: no shape).
    void notify_modified(shape_node* shape);
    // The reference the scene hands out (get_scene, get_scene_interface): one AddRef.
    scene_interface* new_reference();
    int new_camera_index() { return next_camera++; }
    // Makes camera index current (select_as_camera).
    void use_camera(int index) { current_camera = index; }

    // ---- The host's own changes (runner, studio, tests) ----
    // None of them enters the fault injector; bad input throws std::invalid_argument. The
    // edits of a shape's points, name and flags are scene_edits.h's.
    //
    // The shape at path; throws std::invalid_argument when there is none.
    shape_node& require(std::string const& path) const;
    // The shape at path and its subtree, in pre-order.
    std::vector<shape_class*> subtree(std::string const& path) const;
    // Deletes the shape at path and its subtree. before_free sees them while they are
    // still in the scene (to notify the plug-in); then every reference the scene holds to
    // them (active shape, links, linked shapes, camera index) is dropped and they are
    // freed. Returns their former addresses, for identity only.
    std::vector<shape_class const*> delete_shape(
        std::string const& path,
        std::function<void(std::vector<shape_class*> const&)> const& before_free = {});
    // "" clears the active shape.
    void set_active_shape(std::string const& path);
    void set_active_points(std::string const& path, std::vector<int> points);
    // factor must be finite and positive.
    void set_figure_unit(float factor);
    void set_state_flag(bool value) { state_flag = value; }
    // The host's undo: restores the last committed undo step that changes something (see
    // undo_history.h); false when there is none. A restored shape may hold fewer points
    // than before (the host removed or inserted some since the step): active points past
    // the end are dropped. Calls the modification listener with the restored shapes.
    bool undo();
    // Takes the last undone step forward again; false when there is none.
    bool redo();
    bool can_undo() const { return history.can_undo(); }
    bool can_redo() const { return history.can_redo(); }
    // A host-side edit of the shape at path as one undo step (a drag in a front end):
    // begin captures what a record of the shape covers, commit files it. A step in which
    // nothing changed is never offered by undo.
    void begin_host_step(std::string const& path);
    void commit_host_step() { history.commit_host_step(); }
    // Puts the shapes of the begun host step that changed back as they were at its begin,
    // files no step, and calls the modification listener with them (if any).
    void cancel_host_step() { restored(history.cancel_host_step()); }

private:
    // Calls the modification listener with the shapes an undo or redo restored.
    bool restored(std::vector<shape_node*> const& nodes);
    shape_node* node_of(shape_class* shape) const;

    std::vector<std::unique_ptr<shape_node>> top;
    int link_parts = 0;
    std::unique_ptr<shape_node> top_end;
    shape_node* active = nullptr;
    float unit_factor = 1.0f;
    bool state_flag = false;
    int suspend_level = 0, suspends = 0, resumes = 0;
    bool resume_underflow = false;
    int update_level = 0, update_begins = 0, update_ends = 0;
    bool update_underflow = false;
    int refreshes = 0;
    int current_camera = 0;
    int next_camera = 1;
    vec3 default_eye{0, 0, 0};
    vec3 default_target{0, 0, -1};
    camera_view scene_camera;
    undo_history history;
    std::vector<coordinate_write> write_log;
    int non_finite_writes = 0;
    modification_listener listener;
};

}  // namespace host
