// vexel-host --info: the registration answers as a person reads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct run_result {
    std::string output;
    int status;
};

run_result run(std::string const& arguments) {
    std::string command = std::string(VEXEL_RUNNER_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    run_result result{"", -1};
    if (!pipe) return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

TEST(InfoCommand, PrintsTheRegistrationAnswers) {
    run_result result = run(std::string("--info ") + VEXEL_MODULE_PATH);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output,
              "name: vexel\n"
              "identifier: d43b04ce-8713-4d82-8b7c-c79466f1bfd2\n"
              "version: 10.0.0 build 12\n"
              "resident: yes\n"
              "window-plug-in interface: offered\n");
}

TEST(InfoCommand, AnswersForTheIdentifiersAsked) {
    // The window-plug-in interface in upper case, then the plug-in's own identifier, which
    // names no interface.
    run_result result = run(std::string("--info ") + VEXEL_MODULE_PATH +
                            " --iid 50E47D74-8922-11D1-9A00-00C04FCC9C26"
                            " --iid d43b04ce-8713-4d82-8b7c-c79466f1bfd2");
    EXPECT_EQ(result.status, 0);
    std::string const no_interface = "0x80000004 (no interface)";  // this build's E_NOINTERFACE
    EXPECT_NE(result.output.find("window-plug-in interface: offered\n"
                                 "has_interface 50e47d74-8922-11d1-9a00-00c04fcc9c26: true\n"
                                 "QueryInterface 50e47d74-8922-11d1-9a00-00c04fcc9c26: " +
                                 no_interface +
                                 "\n"
                                 "has_interface d43b04ce-8713-4d82-8b7c-c79466f1bfd2: false\n"
                                 "QueryInterface d43b04ce-8713-4d82-8b7c-c79466f1bfd2: " +
                                 no_interface + "\n"),
              std::string::npos)
        << result.output;
    // A module that makes no window still answers has_interface.
    EXPECT_NE(run(std::string("--info ") + FAKE_REFUSING_MODULE +
                  " --iid 50e47d74-8922-11d1-9a00-00c04fcc9c26")
                  .output.find("has_interface 50e47d74-8922-11d1-9a00-00c04fcc9c26: false\n"
                               "QueryInterface 50e47d74-8922-11d1-9a00-00c04fcc9c26: no window ("),
              std::string::npos);
}

TEST(InfoCommand, NamesAModuleThatCannotBeUsed) {
    run_result result = run("--info /nonexistent/vexel.so");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "vexel-host: /nonexistent/vexel.so: no such file\n");
    EXPECT_EQ(run(std::string("--info ") + FAKE_REFUSING_MODULE).output,
              "name: fake\n"
              "identifier: 00000001-0000-0002-0000-000300000004\n"
              "version: 0.0.0 build 0\n"
              "resident: no\n"
              "window-plug-in interface: not offered\n");
}

}  // namespace
