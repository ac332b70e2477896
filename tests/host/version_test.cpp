// The plug-in's version where a host reads it: the record get_info fills and the identity
// entries of both string tables. The numbers are written by hand in each place.
#include <string>

#include "host_test_doubles.h"
#include "string_table.h"

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

}  // namespace
