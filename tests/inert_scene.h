// A scene with nothing in it, for tests that hand a scene over only to see it passed on:
// no active shape, a figure unit of 1, and every other call does nothing. Counting gives
// QueryInterface, AddRef and Release: a fixed count where nothing counts them, the host's
// audited count where the test checks the references.
#pragma once

#include "host_scene.h"

namespace test_doubles {

template <class Counting>
class inert_scene : public Counting {
public:
    using Counting::Counting;
    shape_class* get_active_shape(void*) override { return nullptr; }
    void begin_update(void*) override {}
    void end_update(void*) override {}
    void refresh(void*) override {}
    bool get_state_flag(void*) override { return false; }
    void suspend_state_flag(void*) override {}
    void resume_state_flag(void*) override {}
    float get_figure_unit_factor(void*) override { return 1; }
    int get_camera_index(void*) override { return 0; }
    void set_camera_index(int, void*) override {}
    camera_class* get_camera(void*) override { return nullptr; }
    void begin_undo_record(int, shape_class* const*, bool, bool, int, void*) override {}
    void end_undo_record(int, shape_class* const*, bool, bool, int, void*) override {}
    void commit_undo(void*) override {}
};

}  // namespace test_doubles
