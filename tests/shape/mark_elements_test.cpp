// The marking request record and the requests the host's marking component receives.
#include "entry/module_state.h"
#include "services/marking_component.h"
#include "shape_fixture.h"

namespace {

using shape_test::shape_layer;

class ElementMarking : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(R"({"shapes": [{"name": "curve", "type": "line",
                 "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]}]})");
        record.service = &component;
    }
    host::marking_component component;
    mark_elements record = ::mark;  // a fresh record as the module builds it
};

TEST_F(ElementMarking, TheModuleRecordStartsEmpty) {
    EXPECT_EQ(::mark.service, nullptr);
    EXPECT_EQ(::mark.operation, 0);
    EXPECT_EQ(::mark.target, mark_elements::points);
    EXPECT_EQ(static_cast<int>(::mark.target), 1);
    EXPECT_FALSE(::mark.flag);
    EXPECT_EQ(::mark.count, 0);
    EXPECT_EQ(::mark.indices, nullptr);
}

TEST_F(ElementMarking, AMarkHandsTheComponentTheShapeAndItsIndices) {
    int const index = 1;
    EXPECT_FALSE(record.mark(host_shape("curve"), mark_elements::points, 1, &index, false));
    ASSERT_EQ(component.requests().size(), 1u);
    host::mark_request const& r = component.requests()[0];
    EXPECT_EQ(r.shape, &host_shape("curve"));
    EXPECT_EQ(r.operation, 3);
    EXPECT_EQ(r.target, 1);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.indices, std::vector<std::int32_t>{1});
    EXPECT_FALSE(r.flag);
}

TEST_F(ElementMarking, AClearBeforeAnyMarkCarriesNoIndices) {
    EXPECT_FALSE(record.clear(host_shape("curve"), mark_elements::points));
    ASSERT_EQ(component.requests().size(), 1u);
    EXPECT_EQ(component.requests()[0].operation, 0);
    EXPECT_EQ(component.requests()[0].target, 1);
    EXPECT_EQ(component.requests()[0].count, 0);
    EXPECT_EQ(record.indices, nullptr);
}

TEST_F(ElementMarking, AClearAfterAMarkKeepsTheMarksCountAndFlag) {
    int const indices[2] = {0, 1};
    record.mark(host_shape("curve"), mark_elements::points, 2, indices, true);
    record.clear(host_shape("curve"), mark_elements::points);
    ASSERT_EQ(component.requests().size(), 2u);
    host::mark_request const& r = component.requests()[1];
    EXPECT_EQ(r.operation, 0);
    EXPECT_EQ(r.count, 2);
    EXPECT_TRUE(r.flag);
}

TEST_F(ElementMarking, WithoutAComponentTheRequestIsStillRecorded) {
    record.service = nullptr;
    int const index = 1;
    EXPECT_TRUE(record.mark(host_shape("curve"), mark_elements::points, 1, &index, true));
    EXPECT_EQ(record.operation, 3);
    EXPECT_EQ(record.count, 1);
    EXPECT_EQ(record.indices, &index);
    EXPECT_TRUE(record.flag);
    EXPECT_TRUE(record.clear(host_shape("curve"), mark_elements::points));
    EXPECT_EQ(record.operation, 0);
}

TEST_F(ElementMarking, AFailingComponentAnswersTrueAndKeepsTheRequest) {
    int const index = 0;
    host::faults().fail_operation("marking.handle_mark_request", 1);
    EXPECT_TRUE(record.mark(host_shape("curve"), mark_elements::points, 1, &index, false));
    EXPECT_EQ(record.operation, 3);
    EXPECT_EQ(record.count, 1);
    host::faults().fail_operation("marking.handle_mark_request", 1);
    EXPECT_TRUE(record.clear(host_shape("curve"), mark_elements::points));
    EXPECT_TRUE(component.requests().empty());
}

}  // namespace
