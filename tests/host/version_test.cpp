// The plug-in's version where a host reads it: the record get_info fills, the identity
// entries of both string tables and the Mac OS X bundle's Info.plist. The numbers are
// written by hand in each place.
#include <fstream>
#include <sstream>
#include <string>

#include "resources/string_table.h"
#include "host_test_doubles.h"

using namespace host_test;

namespace {

class Version : public host_test_base {};

TEST_F(Version, BothStringTablesCarryTheNumbersGetInfoReports) {
    host::host_app app;
    host::version_record reported = app.inspect(VEXEL_MODULE_PATH).version;
    struct entry {
        char const* key;
        int number;
    } const entries[] = {{"major_version", reported.major},
                         {"minor_version", reported.minor},
                         {"micro_version", reported.micro},
                         {"build_number", reported.build}};
    for (char const* lang : {"en", "ja"}) {
        host::string_table table(std::string(VEXEL_SOURCE_DIR) + "/resources/lang/" + lang +
                                 "/TEXT.xml");
        for (entry const& e : entries) {
            SCOPED_TRACE(std::string(lang) + "/TEXT.xml " + e.key);
            EXPECT_EQ(std::string(table.lookup(e.key)), std::to_string(e.number));
        }
    }
}

TEST_F(Version, TheMacBundleCarriesTheNumbersGetInfoReports) {
    host::host_app app;
    host::version_record v = app.inspect(VEXEL_MODULE_PATH).version;
    std::string const version = std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                                std::to_string(v.micro);
    std::ifstream file(std::string(VEXEL_SOURCE_DIR) + "/cmake/mac_bundle.cmake");
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("MACOSX_BUNDLE_BUNDLE_VERSION " + version + "." +
                              std::to_string(v.build) + "\n"),
              std::string::npos);
    EXPECT_NE(text.str().find("MACOSX_BUNDLE_SHORT_VERSION_STRING " + version + ")"),
              std::string::npos);
}

}  // namespace
