// vexel-host: the reference host's command line.
//   vexel-host --info PATH_TO_MODULE [--lang en|ja]   prints the module's registration answers
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "host_app.h"

namespace {

char const usage[] = "usage: vexel-host --info PATH_TO_MODULE [--lang en|ja]\n";

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
    std::string info_module;
    std::string lang = "en";
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        bool has_value = i + 1 < argc;
        if (option == "--info" && has_value) {
            info_module = argv[++i];
        } else if (option == "--lang" && has_value) {
            lang = argv[++i];
        } else if (option == "--help" || option == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "vexel-host: unknown or incomplete option \"%s\"\n%s",
                         option.c_str(), usage);
            return 2;
        }
    }
    if (info_module.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    try {
        return print_info(info_module, lang);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "vexel-host: %s\n", e.what());
        return 1;
    }
}
