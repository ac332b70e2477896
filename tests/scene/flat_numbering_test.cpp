// The host's flat numbering of a shape's points: across parts and links, back again, on
// long chains and on cycles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/host_checks.h"
#include "scene/flat_numbering.h"
#include "scene/scene_model.h"

namespace {

host::shape_node& line(host::scene_model& scene, host::shape_node* parent, std::string name,
                       int points) {
    host::shape_node& node = scene.add_shape(parent, std::move(name), kind_line);
    for (int i = 0; i < points; ++i) node.add_control_point({});
    return node;
}

host::shape_node& link(host::scene_model& scene, host::shape_node* parent, std::string name,
                       host::shape_node* target) {
    host::shape_node& node = scene.add_shape(parent, std::move(name), kind_part, part_link);
    node.link_to = target;
    return node;
}

// Asked of every link of a chain far longer than a stack holds frames for, each walk stays
// linear: counting every link from scratch, or by recursion, would not finish.
TEST(HostFlatNumbering, EveryLinkOfALongChainIsCountedInLinearTime) {
    host::scene_model scene;
    int const length = 200000;
    std::vector<host::shape_node*> chain;
    for (int i = 0; i < length; ++i) chain.push_back(&link(scene, nullptr, "l" + std::to_string(i), nullptr));
    host::shape_node& end = line(scene, nullptr, "end", 2);
    for (int i = 0; i < length; ++i) chain[i]->link_to = i + 1 < length ? chain[i + 1] : &end;

    host::flat_point_counts counts;
    for (host::shape_node* each : chain) ASSERT_EQ(counts.of(*each), 2) << each->name();
    EXPECT_EQ(host::flat_point_count(*chain.front()), 2);
    EXPECT_EQ(host::resolve_flat_index(*chain.front(), 1), std::make_pair(&end, 1));
    EXPECT_EQ(host::flat_starts_of(*chain.front(), end), std::vector<int>{0});
}

// A cycle of links numbers no point: every walk that meets one refuses it, while two links
// to one shape side by side are no cycle.
TEST(HostFlatNumbering, ALinkCycleIsRefusedAndASharedTargetIsNot) {
    host::scene_model scene;
    host::shape_node& a = link(scene, nullptr, "a", nullptr);
    host::shape_node& b = link(scene, nullptr, "b", &a);
    a.link_to = &b;
    host::shape_node& holder = scene.add_shape(nullptr, "holder", kind_part, part_simple);
    link(scene, &holder, "into", &b);
    host::shape_node& after = line(scene, &holder, "after", 1);

    EXPECT_THROW(host::flat_point_count(a), host::host_error);
    EXPECT_THROW(host::flat_point_count(holder), host::host_error);
    EXPECT_THROW(host::resolve_flat_index(holder, 0), host::host_error);
    EXPECT_THROW(host::flat_starts_of(holder, after), host::host_error);
    EXPECT_THROW(host::flat_index_of(holder, after, 0), host::host_error);
    host::flat_point_counts counts;
    EXPECT_THROW(counts.of(holder), host::host_error);

    host::shape_node& twice = scene.add_shape(nullptr, "twice", kind_part, part_simple);
    host::shape_node& shown = line(scene, nullptr, "shown", 3);
    link(scene, &twice, "first", &shown);
    link(scene, &twice, "second", &shown);
    EXPECT_EQ(host::flat_point_count(twice), 6);
    EXPECT_EQ(counts.of(twice), 6);
    EXPECT_EQ(host::flat_starts_of(twice, shown), (std::vector<int>{0, 3}));
}

// Every flat index of a part leads to a shape and a point, and from there back to the same
// index; a point reached through a link lies outside the part's own subtree, where the way
// back does not look.
TEST(HostFlatNumbering, AnIndexLeadsToItsPointAndBack) {
    host::scene_model scene;
    host::shape_node& outer = line(scene, nullptr, "outer", 2);
    host::shape_node& body = scene.add_shape(nullptr, "body", kind_part, part_simple);
    line(scene, &body, "curve", 3);
    scene.add_shape(&body, "ball", kind_sphere);
    host::shape_node& wing = scene.add_shape(&body, "wing", kind_part, part_surface);
    line(scene, &wing, "l0", 2);
    scene.add_shape(&wing, "empty", kind_part, part_simple);
    host::shape_node& mesh = scene.add_shape(&wing, "mesh", kind_polygon_mesh);
    mesh.add_vertex({});
    mesh.add_vertex({});
    link(scene, &body, "copy", &outer);
    // A master surface and an "other" shape hold one place each, as the host reports.
    scene.add_shape(&body, "master", kind_master_surface);
    scene.add_shape(&body, "other", kind_other);

    int const count = host::flat_point_count(body);
    ASSERT_EQ(count, 3 + 1 + 2 + 2 + 2 + 1 + 1);
    for (int index = 0; index < count; ++index) {
        auto [holder, point] = host::resolve_flat_index(body, index);
        ASSERT_NE(holder, nullptr) << index;
        EXPECT_EQ(host::flat_index_of(body, *holder, point), holder == &outer ? -1 : index)
            << index << " " << holder->path();
    }
    EXPECT_EQ(host::resolve_flat_index(body, count).first, nullptr);
    EXPECT_EQ(host::flat_index_of(wing, mesh, 1), 3);
    EXPECT_EQ(host::flat_index_of(wing, *scene.find("body/curve"), 0), -1);
}

}  // namespace
