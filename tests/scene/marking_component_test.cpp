// The marking component keeps its own copy of each request.
#include <gtest/gtest.h>

#include "scene_fixture.h"
#include "services/marking_component.h"

namespace {

class MarkingComponent : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene =
        scene_test::load(R"({"shapes": [{"name": "c", "type": "line"}]})");
    shape_class& line = scene->find("c")->iface();
    host::marking_component component;
    mark_elements record{&component, 0, mark_elements::points, false, 0, nullptr};
};

TEST_F(MarkingComponent, AMarkIsRecordedWithACopyOfItsIndices) {
    {
        int indices[2] = {4, 9};
        record.operation = 3;
        record.count = 2;
        record.indices = indices;
        record.flag = true;
        component.handle_mark_request(line, &record);
        indices[0] = -1;  // the caller's storage goes away after the call
    }
    ASSERT_EQ(component.requests().size(), 1u);
    auto const& r = component.requests()[0];
    EXPECT_EQ(r.shape, &line);
    EXPECT_EQ(r.operation, 3);
    EXPECT_EQ(r.target, 1);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.indices, (std::vector<std::int32_t>{4, 9}));
    EXPECT_TRUE(r.flag);
}

TEST_F(MarkingComponent, AClearNeverReadsTheIndices) {
    int stale = 0;
    record.operation = 0;
    record.count = 1000000;  // left over from an earlier mark; must not be followed
    record.indices = &stale;
    component.handle_mark_request(line, &record);
    ASSERT_EQ(component.requests().size(), 1u);
    EXPECT_EQ(component.requests()[0].operation, 0);
    EXPECT_EQ(component.requests()[0].count, 1000000);
    EXPECT_TRUE(component.requests()[0].indices.empty());
}

TEST_F(MarkingComponent, BadRequestsAndInjectedFaultsThrowAndRecordNothing) {
    record.operation = 3;
    record.count = 2;
    record.indices = nullptr;
    EXPECT_THROW(component.handle_mark_request(line, &record), host::host_error);
    EXPECT_THROW(component.handle_mark_request(line, nullptr), host::host_error);
    host::faults().fail_operation("marking.handle_mark_request", 1);
    record.count = 0;
    EXPECT_THROW(component.handle_mark_request(line, &record), host::host_error);
    EXPECT_TRUE(component.requests().empty());
}

}  // namespace
