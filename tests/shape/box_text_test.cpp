// The rows' "%9f" text must be exactly what printf writes, for every kind of float: the
// fast integer path is checked against the C library over random and tricky values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "window/box_text.h"

namespace {

std::string printf_9f(float f) {
    char text[80];
    std::snprintf(text, sizeof text, "%9f", static_cast<double>(f));
    return text;
}

float from_bits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

TEST(BoxText, MatchesPrintfOnChosenValues) {
    float const values[] = {0.0f, -0.0f, 1.5f, -12.25f, 0.1234567f, 0.0078125f,  // a tie: 0.007812
                            0.0234375f, 2.5e-7f, -2.5e-7f, 5e-7f, 1e-30f, -1e-30f,
                            std::numeric_limits<float>::denorm_min(), 999999.9f, 4294967040.0f,
                            4294967296.0f, -3.4e38f, std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (float f : values) EXPECT_EQ(format_box_number(f).text, printf_9f(f)) << f;
}

TEST(BoxText, MatchesPrintfOnRandomFloats) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> usual(-100000.0f, 100000.0f);
    for (int i = 0; i < 200000; ++i) {
        float any = from_bits(static_cast<std::uint32_t>(random()));
        float typical = usual(random);
        ASSERT_EQ(format_box_number(any).text, printf_9f(any)) << any;
        ASSERT_EQ(format_box_number(typical).text, printf_9f(typical)) << typical;
    }
}

}  // namespace
