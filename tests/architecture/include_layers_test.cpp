// The layers hold in the repository, and a wrong include planted in a copy is caught.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "include_layers.h"

namespace fs = std::filesystem;
using architecture_test::include_violations;

namespace {

TEST(IncludeLayers, NoSourceIncludesAcrossAForbiddenArrow) {
    std::vector<std::string> problems = include_violations(VEXEL_SOURCE_DIR);
    for (std::string const& p : problems) ADD_FAILURE() << p;
}

// A small tree of the same shape, with one wrong include per case.
class PlantedInclude : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("vexel-layers-" + std::to_string(::getpid()));
        fs::remove_all(root);
        write("include/host_shape.h", "#include <vector>\n");
        write("shape/shape_class.h", "#include \"host_shape.h\"\n");
        write("window/snap.cpp", "#include \"shape/shape_class.h\"\n#include \"entry/module_state.h\"\n");
        write("entry/module_state.h", "#include \"shape/shape_class.h\"\n");
        write("entry/entry_points.h", "");
        write("entry/entry_points.cpp", "#include \"entry_points.h\"\n");
        write("host/scene/scene_model.h", "#include \"host_shape.h\"\n");
        write("host/services/host_app.h", "#include \"host_shape.h\"\n");
        write("script/performer.h", "#include \"scene/scene_model.h\"\n");
        write("vexel-host/runner_session.h", "#include \"scene/scene_model.h\"\n#include \"performer.h\"\n");
        write("studio/studio_host.h", "#include \"scene/scene_model.h\"\n#include \"performer.h\"\n");
        write("host/text/quoted_word.h", "");
        write("front_end/command_line_reader.h", "#include <CLI/CLI.hpp>\n#include \"text/quoted_word.h\"\n");
        write("oracles/session_oracles.h", "#include \"scene/scene_model.h\"\n#include \"performer.h\"\n");
        write("programs/vexel-host.cpp", "#include \"runner_session.h\"\n#include \"session_oracles.h\"\n");
        write("fuzz/session_player.cpp", "#include \"runner_session.h\"\n#include \"session_oracles.h\"\n");
        write("bench/bench_session.h", "#include \"scene/scene_model.h\"\n#include \"performer.h\"\n");
    }
    void TearDown() override { fs::remove_all(root); }
    void write(std::string const& name, std::string const& text) {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name) << text;
    }
    fs::path root;
};

TEST_F(PlantedInclude, TheCleanTreePasses) { EXPECT_TRUE(include_violations(root.string()).empty()); }

TEST_F(PlantedInclude, EachWrongArrowIsNamedWithFileAndLine) {
    struct {
        char const* file;
        char const* text;
        char const* expected;
    } const cases[] = {
        {"window/snap.cpp", "#include \"host/scene/scene_model.h\"\n",
         "window/snap.cpp:1: includes host/scene/scene_model.h"},
        {"shape/shape_class.h", "#include \"host_shape.h\"\n#include \"snap.cpp\"\n",
         "shape/shape_class.h:2: includes window/snap.cpp"},
        {"host/scene/scene_model.h", "#include \"runner_session.h\"\n",
         "host/scene/scene_model.h:1: includes vexel-host/runner_session.h"},
        // a lower room of the host reaching up
        {"host/scene/scene_model.h", "#include \"services/host_app.h\"\n",
         "host/scene/scene_model.h:1: includes host/services/host_app.h"},
        // the plug-in's services know nothing of the scene
        {"host/services/host_app.h", "#include \"scene/scene_model.h\"\n",
         "host/services/host_app.h:1: includes host/scene/scene_model.h"},
        {"include/host_shape.h", "#include \"shape/shape_class.h\"\n",
         "include/host_shape.h:1: includes shape/shape_class.h"},
        {"window/snap.cpp", "#include \"entry/entry_points.h\"\n",
         "window/snap.cpp:1: includes entry/entry_points.h"},
        {"host/scene/scene_model.h", "#include \"performer.h\"\n",
         "host/scene/scene_model.h:1: includes script/performer.h"},
        {"script/performer.h", "#include \"runner_session.h\"\n",
         "script/performer.h:1: includes vexel-host/runner_session.h"},
        {"script/performer.h", "#include \"studio_host.h\"\n",
         "script/performer.h:1: includes studio/studio_host.h"},
        {"studio/studio_host.h", "#include \"runner_session.h\"\n",
         "studio/studio_host.h:1: includes vexel-host/runner_session.h"},
        // the runner and the oracles meet only in a program
        {"oracles/session_oracles.h", "#include \"runner_session.h\"\n",
         "oracles/session_oracles.h:1: includes vexel-host/runner_session.h"},
        {"vexel-host/runner_session.h", "#include \"session_oracles.h\"\n",
         "vexel-host/runner_session.h:1: includes oracles/session_oracles.h"},
        // the core knows nothing of how it is driven
        {"host/services/host_app.h", "#include \"command_line_reader.h\"\n",
         "host/services/host_app.h:1: includes front_end/command_line_reader.h"},
        {"front_end/command_line_reader.h", "#include \"performer.h\"\n",
         "front_end/command_line_reader.h:1: includes script/performer.h"},
        {"bench/bench_session.h", "#include \"session_oracles.h\"\n",
         "bench/bench_session.h:1: includes oracles/session_oracles.h"},
        {"host/session/host_session.h", "#include <vector>\n#include <CLI/CLI.hpp>\n",
         "host/session/host_session.h:2: includes <CLI/CLI.hpp> (only front_end may)"},
    };
    for (auto const& c : cases) {
        SetUp();
        write(c.file, c.text);
        std::vector<std::string> problems = include_violations(root.string());
        ASSERT_EQ(problems.size(), 1u) << c.file << ": " << c.text;
        EXPECT_EQ(problems[0].rfind(c.expected, 0), 0u) << problems[0];
    }
}

}  // namespace
