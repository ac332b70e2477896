// vexel-host as a person or a build script runs it: the examples, exit statuses, the error
// lines, standard input, --view, --dump-scene, the language and the preference file.
#include <filesystem>

#include "dump_scene_command.h"
#include "runner_fixture.h"

namespace runner_test {
namespace {

using namespace script::vexel_controls;

std::string const examples = VEXEL_SOURCE_DIR "/examples/";

class CommandLine : public ::testing::Test {
protected:
    // Runs vexel-host with a preference file of its own in a fresh folder.
    process_result run(std::vector<std::string> args, std::string const& stdin_text = "") {
        args.insert(args.begin(), {"--prefs", prefs});
        return run_runner(args, stdin_text);
    }
    std::string scene() { return files.write("scene.json", small_scene); }

    temp_dir files;
    std::string prefs = files.path() + "/prefs.json";
};

TEST_F(CommandLine, TheTourShowsTheValuesTheSceneFileHolds) {
    process_result r = run({"--view", "--json", examples + "tour.json", examples + "tour.vxs"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<json> d = dumps_of(r.out);
    ASSERT_EQ(d.size(), 13u);
    // Control point 1 of the line: anchor (10, 4, 0), In (8, 3, 0) relative to it.
    EXPECT_EQ(d[2]["title"], "Line          [curve]");
    EXPECT_EQ(box_number(d[2], 0, 0), 10);
    EXPECT_EQ(box_number(d[2], 0, 1), 4);
    EXPECT_EQ(box_number(d[2], 1, 0), -2);
    EXPECT_EQ(box_number(d[2], 1, 1), -1);
    // In world coordinates the line sits 5 up.
    EXPECT_EQ(box_number(d[3], 0, 2), 5);
    // The camera's target (0, 0, 2) relative to its eye (0, -20, 8); the sphere's centre.
    EXPECT_EQ(d[11]["title"], "Camera joint  [cam]");
    EXPECT_EQ(box_number(d[11], 1, 1), 20);
    EXPECT_EQ(box_number(d[11], 1, 2), -6);
    EXPECT_EQ(d[12]["title"], "Sphere        [ball]");
    EXPECT_EQ(box_number(d[12], 0, 0), 6);
    // --view draws every dump and echoes every action.
    EXPECT_NE(r.out.find("|Center    [     6.000000][    -3.000000] [     2.000000] [Loc.  ] |\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("> active wing\n"), std::string::npos);
}

TEST_F(CommandLine, TheEditingExampleRunsClean) {
    process_result r = run({examples + "tour.json", examples + "editing.vxs"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("message: Activate at restart.\n"), std::string::npos);
    // Undo, mark and the host number boxes are on after it, kept in the preference file.
    EXPECT_EQ(json::parse(read_file(prefs)), json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 7}}));
}

TEST_F(CommandLine, ABadLineStopsBeforeAnythingRuns) {
    std::string script = files.write("bad.vxs", "dump\n\nactive ball\nclick Apply\n");
    process_result r = run({scene(), script});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, script + ":4: click: unknown control \"Apply\" (expected App., Snap, Ref., Save, "
                              "Load, loc, mode1, mode3, link2, link4)\n");
}

TEST_F(CommandLine, ARefusedLineEndsTheRunWithAFailure) {
    process_result r = run({scene()}, "dump\nactive nowhere\ndump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(dumps_of(r.out).size(), 1u);
    EXPECT_EQ(r.err, "<stdin>:2: active: no shape at path \"nowhere\"\n");
}

TEST_F(CommandLine, TheScriptComesFromStandardInputWithoutAFile) {
    process_result r = run({scene()}, "active ball\nidle\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<json> d = dumps_of(r.out);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(box_number(d[0], 0, 2), 3);
    EXPECT_EQ(r.out.find("+-"), std::string::npos);  // no drawing without --view
}

TEST_F(CommandLine, ViewDrawsTheWindowInPlaceOfTheJsonLineUnlessJsonIsAsked) {
    std::string script = "active ball\nidle\ndump\n";
    process_result drawn = run({"--view", scene()}, script);
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_TRUE(dumps_of(drawn.out).empty());
    EXPECT_NE(drawn.out.find("+-"), std::string::npos);
    process_result both = run({"--view", "--json", scene()}, script);
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(dumps_of(both.out).size(), 1u);
    EXPECT_NE(both.out.find("+-"), std::string::npos);
}

TEST_F(CommandLine, JapaneseTextsComeFromThePluginsStringTable) {
    process_result r = run({"--lang", "ja", scene()}, "active ball\nidle\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    json d = dumps_of(r.out).at(0);
    EXPECT_NE(d["controls"][app]["text"], "App.");
    EXPECT_EQ(d["controls"][row_title(0)]["text"], "Center");  // shown as it is
    EXPECT_EQ(d["controls"][extra(0)]["text"], "Loc.");
}

TEST_F(CommandLine, SettingsSurviveTheNextRunThroughThePreferenceFile) {
    ASSERT_EQ(run({scene()}, "settings undo=1\n").status, 0);
    EXPECT_EQ(json::parse(read_file(prefs)), json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 4}}));
    // Undo is still on: one undo takes the App. back.
    process_result r = run({scene()}, "active ball\nidle\ntype 0 x 9\nclick App.\nundo\ndump-scene ball\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["points"][0]["local"], json::array({1.0, 2.0, 3.0}));
}

#if defined(_WIN32)
TEST_F(CommandLine, WithoutPrefsTheFileLivesInTheUsersApplicationData) {
    std::string app_data = files.path() + "/AppData";
    std::filesystem::create_directory(app_data);
    process_result r = run_runner({scene()}, "settings mark=1\n", "APPDATA=" + app_data);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(read_file(app_data + "/vexel-host/prefs.json")),
              json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 1}}));
}
#else
TEST_F(CommandLine, WithoutPrefsTheFileLivesInTheUsersConfigFolder) {
    std::string home = files.path() + "/home";
    std::filesystem::create_directory(home);
    std::string command_env = "HOME=" + home + " XDG_CONFIG_HOME=";
    process_result r = run_runner({scene()}, "settings mark=1\n", command_env);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(read_file(home + "/.config/vexel-host/prefs.json")),
              json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 1}}));

    std::string config = files.path() + "/config";
    r = run_runner({scene()}, "settings undo=1\n", "HOME=" + home + " XDG_CONFIG_HOME=" + config);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(read_file(config + "/vexel-host/prefs.json")),
              json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 4}}));
}
#endif

TEST_F(CommandLine, DumpScenePrintsASceneFileOrRefusesIt) {
    process_result r = run_runner({"--dump-scene", scene()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["shapes"][1]["path"], "ball");
    std::string broken = files.write("broken.json", R"({"shapes": [{"name": "b", "type": "sphere", "center": [1]}]})");
    r = run_runner({"--dump-scene", broken});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, broken + ": shapes/b/center: expected 3 numbers, got 1\n");
}

TEST_F(CommandLine, ASceneOrModuleThatCannotBeUsedFailsTheRun) {
    process_result r = run({files.path() + "/none.json"}, "dump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vexel-host: " + files.path() + "/none.json: cannot open the file\n");
    r = run({"--module", files.path() + "/none.so", scene()}, "dump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("vexel-host: cannot load the plug-in: ", 0), 0u) << r.err;
}

TEST_F(CommandLine, AScriptThatIsAFolderOrHoldsNoActionIsRefused) {
    std::string const blank = files.write("blank.vxs", "");
    std::string const remarks = files.write("remarks.vxs", "# nothing yet\n\n");
    std::string const folder = files.path();
    struct {
        std::string script;
        std::string said;
    } const cases[] = {
        {folder, folder + ": is a folder, not a script\n"},
        {blank, blank + ": the script holds no action\n"},
        {remarks, remarks + ": the script holds no action\n"},
    };
    for (auto const& c : cases) {
        process_result r = run({scene(), c.script});
        EXPECT_EQ(r.status, 1) << c.script;
        EXPECT_EQ(r.err, c.said);
    }
}

TEST_F(CommandLine, AFaultCanBeInjectedAtOneHostCall) {
    // The first host call is made while the host registers the plug-in: it cannot load.
    process_result r = run({"--fail-call", "1", scene()}, "dump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("injected fault in "), std::string::npos) << r.err;
}

TEST_F(CommandLine, ACommandLineThatCannotRunSaysWhyAndShowsTheUsage) {
    std::string usage =
        "usage: vexel-host [--module PATH] [--lang en|ja] [--prefs FILE] [--view] [--no-announce] "
        "SCENE.json [SCRIPT]\n";
    struct bad {
        std::vector<std::string> args;
        char const* reason;
    } const cases[] = {
        {{}, "no scene file given"},
        {{"--view"}, "no scene file given"},
        {{"--lang", "fr", "s.json"}, "--lang: \"fr\" is not en or ja"},
        {{"s.json", "--prefs"}, "--prefs needs a value"},
        {{"--fail-call", "0", "s.json"}, "--fail-call: \"0\" is not a call number 1 or more"},
        {{"--colour", "s.json"}, "unknown option \"--colour\""},
        {{"s.json", "t.vxs", "u.vxs"}, "unexpected argument \"u.vxs\""},
        {{"--info", "m.so", "--iid", "50e47d74-8922-11d1-9a00-00c04fcc9c2g"},
         "--iid: \"50e47d74-8922-11d1-9a00-00c04fcc9c2g\" is not an interface identifier "
         "(expected 8-4-4-4-12 hexadecimal digits)"},
        {{"--info", "m.so", "--iid", "50e47d74-8922-11d1-9a0000c0-4fcc9c26"},
         "--iid: \"50e47d74-8922-11d1-9a0000c0-4fcc9c26\" is not an interface identifier "
         "(expected 8-4-4-4-12 hexadecimal digits)"},
        {{"--iid", "50e47d74-8922-11d1-9a00-00c04fcc9c26", "s.json"}, "--iid goes with --info"},
    };
    for (bad const& c : cases) {
        process_result r = run_runner(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err.rfind("vexel-host: " + std::string(c.reason) + "\n" + usage, 0), 0u) << r.err;
    }
    process_result help = run_runner({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(usage, 0), 0u) << help.out;
}

TEST(DumpSceneCommand, ReportsARefusedFileOnErrorOutput) {
    std::ostringstream out, err;
    EXPECT_EQ(runner::run_dump_scene("/nonexistent.json", out, err), 1);
    EXPECT_EQ(err.str(), "/nonexistent.json: cannot open the file\n");
    EXPECT_TRUE(out.str().empty());
    std::ostringstream folder_out, folder_err;
    EXPECT_EQ(runner::run_dump_scene(VEXEL_SOURCE_DIR "/examples", folder_out, folder_err), 1);
    EXPECT_EQ(folder_err.str(), VEXEL_SOURCE_DIR "/examples: is a folder, not a scene file\n");
    std::ostringstream good_out, good_err;
    EXPECT_EQ(runner::run_dump_scene(VEXEL_SOURCE_DIR "/examples/scene-format.json", good_out,
                                   good_err),
              0);
    EXPECT_TRUE(good_err.str().empty());
    auto parsed = nlohmann::json::parse(good_out.str());
    EXPECT_EQ(parsed["shapes"].size(), 24u);
}

}  // namespace
}  // namespace runner_test
