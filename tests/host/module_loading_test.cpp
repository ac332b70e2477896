// The plug-in module loaded through dlopen as a host loads it: registration, the window's
// reference count, release, reload, and the loader's refusals.
#include "host_test_doubles.h"
#include "services/plugin_module.h"
#include "text/uuid_text.h"

using namespace host_test;

namespace {

class ModuleLoading : public host_test_base {};

TEST_F(ModuleLoading, RegistrationAnswersNameIdentityVersionAndResidency) {
    host::host_app app;
    host::registration answers = app.inspect(VEXEL_MODULE_PATH);
    EXPECT_TRUE(answers.offers_window);
    EXPECT_EQ(answers.name, "vexel");
    EXPECT_EQ(host::uuid_text(answers.uuid), "d43b04ce-8713-4d82-8b7c-c79466f1bfd2");
    EXPECT_EQ(answers.version.major, 10);
    EXPECT_EQ(answers.version.minor, 0);
    EXPECT_EQ(answers.version.micro, 0);
    EXPECT_EQ(answers.version.build, 12);
    EXPECT_TRUE(answers.resident);
    EXPECT_FALSE(app.loaded());
}

TEST_F(ModuleLoading, TheDisplayNameComesFromTheCurrentStringTable) {
    host::host_app app("", "ja");
    EXPECT_EQ(app.inspect(VEXEL_MODULE_PATH).name, "ベクセル");
}

TEST_F(ModuleLoading, ANewWindowHoldsExactlyTheHostsOneReference) {
    host::host_app app;
    host::plugin_module module(VEXEL_MODULE_PATH);
    window_interface* window = module.create_window(app);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->AddRef(), 2u);
    EXPECT_EQ(window->Release(), 1u);
    EXPECT_EQ(window->Release(), 0u);  // the host's one Release destroys it
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(ModuleLoading, LoadCreatesInitializesAndUnloadLeavesNothingCounted) {
    host::host_app app;
    app.load(VEXEL_MODULE_PATH);
    ASSERT_TRUE(app.loaded());
    EXPECT_TRUE(app.services().has_window(*app.window()));
    EXPECT_EQ(app.window()->uuid(), tq::uuid_class("d43b04ce-8713-4d82-8b7c-c79466f1bfd2"));
    window_interface* window = app.window();
    app.unload();
    EXPECT_FALSE(app.loaded());
    EXPECT_FALSE(app.services().has_window(*window));
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(ModuleLoading, RestartUnloadsAndLoadsTheModuleAgain) {
    host::host_app app;
    app.load(VEXEL_MODULE_PATH);
    app.preferences().store(tq::uuid_class(0x1234u), 7);
    host::registration again = app.restart();
    EXPECT_TRUE(app.loaded());
    EXPECT_EQ(again.name, "vexel");
    EXPECT_EQ(app.preferences().value(tq::uuid_class(0x1234u)), 7);
    app.unload();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(ModuleLoading, ASecondLoadWhileLoadedIsRefused) {
    host::host_app app;
    app.load(VEXEL_MODULE_PATH);
    EXPECT_THROW(app.load(VEXEL_MODULE_PATH), std::logic_error);
    EXPECT_TRUE(app.loaded());
}

void expect_refusal(char const* path, std::string const& message) {
    host::host_app app;
    try {
        app.load(path);
        FAIL() << "loaded " << path;
    } catch (host::module_error const& e) {
        EXPECT_EQ(e.what(), message);
    }
    EXPECT_FALSE(app.loaded());
    // Nothing stays half loaded: the same host can load a good module afterwards.
    app.load(VEXEL_MODULE_PATH);
    EXPECT_TRUE(app.loaded());
}

TEST_F(ModuleLoading, AMissingFileIsNamed) {
    expect_refusal("/nonexistent/vexel.so", "/nonexistent/vexel.so: no such file");
}

TEST_F(ModuleLoading, AMissingExportIsNamed) {
    expect_refusal(FAKE_NO_GET_INFO_MODULE,
                   std::string(FAKE_NO_GET_INFO_MODULE) + ": missing export get_info");
}

TEST_F(ModuleLoading, AModuleRefusingTheWindowInterfaceGivesNoWindow) {
    expect_refusal(FAKE_REFUSING_MODULE,
                   std::string(FAKE_REFUSING_MODULE) + ": refuses the window-plug-in interface");
}

TEST_F(ModuleLoading, AFileThatIsNoModuleIsRefusedWithTheLoadersReason) {
    host::host_app app;
    std::string path = std::string(VEXEL_SOURCE_DIR) + "/CMakeLists.txt";
    try {
        app.load(path.c_str());
        FAIL();
    } catch (host::module_error const& e) {
        EXPECT_EQ(std::string(e.what()).rfind(path + ": cannot load module: ", 0), 0u)
            << e.what();
    }
}

TEST_F(ModuleLoading, AFailingWindowConstructionUnloadsTheModuleAgain) {
    host::host_app app;
    // Whatever the window asks the host for first fails; then the next load works.
    host::faults().fail_any(1);
    EXPECT_THROW(app.load(VEXEL_MODULE_PATH), host::host_error);
    EXPECT_FALSE(app.loaded());
    EXPECT_TRUE(host::faults().fired());
    app.load(VEXEL_MODULE_PATH);
    EXPECT_TRUE(app.loaded());
}

TEST_F(ModuleLoading, UuidTextIsTheCanonicalLowerCaseForm) {
    EXPECT_EQ(host::uuid_text(tq::uuid_class("D43B04CE-8713-4D82-8B7C-C79466F1BFD2")),
              "d43b04ce-8713-4d82-8b7c-c79466f1bfd2");
    EXPECT_EQ(host::uuid_text(tq::uuid_class(0x50030010u)),
              "50030010-53b8-11d9-bcff-000a95baceb2");
}

}  // namespace
