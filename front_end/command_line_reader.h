// The command line as both front ends (vexel-host, vexel-studio) read it, with CLI11: the
// options they share declared once, the help generated from the declarations, and every
// refusal worded the same way in both programs.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace front_end {

// A command line that cannot be run; what() says why in one line.
struct usage_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What the shared options give.
struct common_options {
    std::string module_path;   // --module; "" when not given
    std::string lang = "en";   // --lang: en or ja
    std::string prefs_file;    // --prefs, when prefs_given
    bool prefs_given = false;
    bool announce = true;      // false with --no-announce
    bool help = false;         // --help, -h
};

// A refused command line as a program reports it (exit status 2): its name, the problem,
// the usage lines and what --help lists ("every option").
std::string refusal_text(std::string const& program, usage_error const& e, std::string const& usage,
                         std::string const& help_lists);

class command_line_reader {
public:
    // program: "vexel-host" or "vexel-studio", named in the defaults the help shows. usage:
    // the usage lines, which open the help. footer: printed after the options in the help
    // ("" for none).
    command_line_reader(std::string const& program, std::string usage, std::string footer = "");
    command_line_reader(command_line_reader const&) = delete;
    command_line_reader& operator=(command_line_reader const&) = delete;

    // Declares the program's own options (shown after the shared ones, before --help).
    CLI::App& app() { return app_; }
    common_options const& common() const { return common_; }

    // Reads argv and returns the arguments that are not options, in order. An option given
    // twice takes its last value. Throws usage_error.
    std::vector<std::string> parse(int argc, char const* const* argv);
    // The usage lines, "options:" with every option, then the footer.
    std::string help();

private:
    void declare_help();

    common_options common_;
    CLI::App app_;
    bool help_declared_ = false;
};

}  // namespace front_end
