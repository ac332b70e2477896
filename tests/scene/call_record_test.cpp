// The call record behind a script's `trace`: every host call with the shape it is about and
// the values it was given, kept only while asked for and apart from the name trace.
#include <gtest/gtest.h>

#include "scene_fixture.h"

namespace {

using scene_test::load;
using traced = std::vector<host::traced_value>;

class CallRecord : public scene_test::checked_scene {
protected:
    void TearDown() override {
        host::faults().record_calls(false);
        checked_scene::TearDown();
    }
    std::unique_ptr<host::scene_model> scene = load(R"({"shapes": [
      {"name": "curve", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]}]})");
    shape_class* curve = &scene->find("curve")->iface();
};

TEST_F(CallRecord, EachCallIsKeptWithItsShapeAndValuesInOrder) {
    host::faults().record_calls(true);
    scene->begin_undo_record(1, &curve, true, false, 3);
    curve->control_point_at(1)->set_point_position({1.5f, -2, 0});
    curve->control_point_at(1)->set_linked(true);
    scene->get_state_flag();
    std::vector<host::traced_call> calls = host::faults().take_calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_STREQ(calls[0].operation, "scene.begin_undo_record");
    EXPECT_EQ(calls[0].shape, curve);
    EXPECT_EQ(calls[0].args, (traced{1LL, true, false, 3LL}));
    EXPECT_STREQ(calls[2].operation, "control_point.set_point_position");
    EXPECT_EQ(calls[2].shape, curve);
    EXPECT_EQ(calls[2].args, (traced{1.5f, -2.0f, 0.0f}));
    EXPECT_EQ(calls[4].args, traced{true});
    EXPECT_STREQ(calls[5].operation, "scene.get_state_flag");
    EXPECT_EQ(calls[5].shape, nullptr);
    EXPECT_TRUE(host::faults().take_calls().empty()) << "taken once";
}

TEST_F(CallRecord, TheRecordAndTheNameTraceAreSwitchedApart) {
    scene->get_state_flag();  // the name trace is on (fixture), the record is not
    EXPECT_TRUE(host::faults().take_calls().empty());
    host::faults().record_calls(true);
    host::faults().record_trace(false);
    scene->refresh();
    EXPECT_EQ(host::faults().take_calls().size(), 1u);
    EXPECT_EQ(host::faults().trace(), std::vector<std::string>{"scene.get_state_flag"});
}

TEST_F(CallRecord, ACallThatThrowsAFaultWasStillMade) {
    host::faults().record_calls(true);
    host::faults().fail_operation("shape.control_point_at", 1);
    EXPECT_THROW(curve->control_point_at(1), host::host_error);
    std::vector<host::traced_call> calls = host::faults().take_calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, traced{1LL});
}

TEST_F(CallRecord, ResetEmptiesTheRecordAndKeepsItOn) {
    host::faults().record_calls(true);
    scene->refresh();
    host::faults().reset();
    EXPECT_TRUE(host::faults().take_calls().empty());
    scene->refresh();
    EXPECT_EQ(host::faults().take_calls().size(), 1u);
}

}  // namespace
