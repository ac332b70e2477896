// The reference reading of a typed text: what "App." must take from a text field.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "typed_number.h"

namespace {

using oracles::holds_number;
using oracles::read_typed;

struct reading {
    char const* text;
    float value;
};

float const inf = std::numeric_limits<float>::infinity();

reading const readings[] = {
    {"  -1.5e1xyz", -15.0f},  // blanks, a sign, an exponent, then garbage
    {"+4", 4.0f},
    {".5", 0.5f},
    {"5.", 5.0f},
    {"-.25", -0.25f},
    {"1.2.3", 1.2f},          // the second point ends the number
    {"1e", 1.0f},             // an exponent without digits is not read
    {"1e+", 1.0f},
    {"2E-1", 0.2f},
    {"\t 7", 7.0f},
    {"7#", 7.0f},
    {"0.1234567", 0.1234567f},  // rounded to single precision
    {"1e39", inf},              // beyond a float
    {"-1e39", -inf},
    {"1e-50", 0.0f},            // below a float
    {"inf", inf},               // as the C library reads it; the window writes it so
    {"--5", 0.0f},              // one optional sign only
    {"+-1", 0.0f},
    {"-+1", 0.0f},
    {"abc", 0.0f},              // no number reads 0
    {"", 0.0f},
    {"   ", 0.0f},
    {".", 0.0f},
    {"e5", 0.0f},
    {"0x10", 0.0f},             // not hexadecimal
};

TEST(TypedNumber, ATextReadsAsTheWindowsOwnFieldsMustReadIt) {
    for (reading const& r : readings) {
        SCOPED_TRACE(std::string("\"") + r.text + "\"");
        EXPECT_EQ(read_typed(r.text), r.value);
    }
}

TEST(TypedNumber, NotANumberIsReadAsTheWindowShowsIt) {
    EXPECT_TRUE(std::isnan(read_typed("      nan")));
    EXPECT_TRUE(std::isnan(read_typed("-nan")));
}

TEST(TypedNumber, ATextHoldsANumberOnlyWithADigitOrAnInfinity) {
    struct {
        char const* text;
        bool number;
    } const cases[] = {{" 1.500000", true}, {"-.5", true}, {"  -inf", true}, {"nan", true},
                       {"", false},         {"-", false},  {".", false},     {"abc", false}};
    for (auto const& c : cases) EXPECT_EQ(holds_number(c.text), c.number) << "\"" << c.text << "\"";
}

}  // namespace
