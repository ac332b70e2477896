// The session both front ends drive, without a plug-in: what it tells its front end, the
// guard around calls into the plug-in, and the scenes it keeps alive.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene_files/scene_file.h"
#include "scene/scene_edits.h"
#include "session/host_session.h"

namespace {

char const* const two_shapes = R"({"shapes": [
    {"name": "curve", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
    {"name": "ball", "type": "sphere", "center": [0, 0, 0]}]})";

// Writes down what the session tells, one word each.
class told final : public host::session_observer {
public:
    void on_failure(host::failure_kind kind, std::string const& line) override {
        heard.push_back(std::string(kind == host::failure_kind::escaped ? "escaped " : "other ") + line);
    }
    void on_plugin_return() override { heard.push_back("returned"); }
    void on_window_change() override { heard.push_back("window"); }
    void on_scene_change(bool content) override { heard.push_back(content ? "content" : "selection"); }
    void on_scene_open() override { heard.push_back("opened"); }
    void on_tree_change() override { heard.push_back("tree"); }
    std::vector<std::string> heard;
};

class HostSession : public ::testing::Test {
protected:
    HostSession() : session("", observer) {
        session.make_host("", "en");
        session.use_scene(host::load_scene_text(two_shapes, "scene"));
        observer.heard.clear();
    }
    told observer;
    host::host_session session;
};

TEST_F(HostSession, WhatThePluginLetsOutIsReportedAndNotPassedOn) {
    EXPECT_NO_THROW(session.into_plugin("idle", [] { throw std::runtime_error("boom"); }));
    EXPECT_NO_THROW(session.into_plugin("idle", [] { throw 7; }));
    EXPECT_EQ(observer.heard,
              (std::vector<std::string>{
                  "escaped idle: the plug-in let an exception through: boom", "returned",
                  "escaped idle: the plug-in let an exception through (not a std::exception)",
                  "returned"}));
    EXPECT_FALSE(session.in_plugin());
}

TEST_F(HostSession, TheFrontEndHearsWhatKindOfChangeEachActionMade) {
    struct {
        std::function<void()> act;
        std::vector<std::string> heard;
    } const table[] = {
        {[&] { session.select_points("curve", {1}); }, {"selection"}},
        {[&] { session.make_active("ball"); }, {"selection"}},
        {[&] { host::move_point(*session.scene(), "curve", 0, {2, 2, 2}); }, {"content"}},
        {[&] { session.set_figure_unit(2); }, {"content"}},
        {[&] { session.delete_shape("ball"); }, {"content", "tree"}},
        // No window is open: the host has nothing to hide, show or tick.
        {[&] { session.hide_window(); }, {}},
        {[&] { session.idle_tick(); }, {}},
    };
    for (auto const& row : table) {
        observer.heard.clear();
        row.act();
        EXPECT_EQ(observer.heard, row.heard);
    }
}

TEST_F(HostSession, AReplacedSceneStaysAliveBehindTheCurrentOne) {
    host::scene_model* first = session.scene();
    host::shape_node* ball = first->find("ball");
    session.open_scene(VEXEL_SOURCE_DIR "/examples/tour.json");
    EXPECT_EQ(observer.heard, (std::vector<std::string>{"opened", "tree"}));
    ASSERT_EQ(session.all_scenes().size(), 2u);
    EXPECT_EQ(session.all_scenes()[1], first);
    EXPECT_EQ(first->find("ball"), ball);  // still there for a pointer the plug-in kept
    // The old scene no longer tells the session of its changes.
    observer.heard.clear();
    host::move_point(*first, "curve", 0, {3, 3, 3});
    EXPECT_TRUE(observer.heard.empty());
    EXPECT_EQ(session.scene_path(), VEXEL_SOURCE_DIR "/examples/tour.json");
}

TEST_F(HostSession, ARefusedSceneFileLeavesTheCurrentScene) {
    host::scene_model* current = session.scene();
    EXPECT_THROW(session.open_scene("/nonexistent.json"), host::scene_file_error);
    EXPECT_EQ(session.scene(), current);
    EXPECT_EQ(session.all_scenes().size(), 1u);
}

}  // namespace
