// vexel-host: the reference host's command line.
//   vexel-host --info PATH_TO_MODULE [--lang en|ja]   prints the module's registration answers
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>

#include "host_app.h"

namespace {

int print_info(std::string const& module_path, std::string const& lang) {
    host::host_app app("", lang);
    host::registration answers = app.inspect(module_path);
    std::printf("name: %s\n", answers.name.c_str());
    std::printf("identifier: %s\n", host::uuid_text(answers.uuid).c_str());
    std::printf("version: %d.%d.%d build %d\n", answers.version.major, answers.version.minor,
                answers.version.micro, answers.version.build);
    std::printf("resident: %s\n", answers.resident ? "yes" : "no");
    std::printf("window-plug-in interface: %s\n",
                answers.offers_window ? "offered" : "not offered");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{"vexel-host: the reference host for the vexel plug-in"};
    std::string info_module;
    std::string lang = "en";
    cli.add_option("--info", info_module, "print the registration answers of a module")
        ->option_text("PATH_TO_MODULE");
    cli.add_option("--lang", lang, "language of the plug-in's texts")
        ->check(CLI::IsMember({"en", "ja"}));
    CLI11_PARSE(cli, argc, argv);

    try {
        if (!info_module.empty()) return print_info(info_module, lang);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-host: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "%s", cli.help().c_str());
    return 2;
}
