// Floats in the host's JSON output: the fewest digits that read back as the float, so a
// dump shows 0.1 and not 0.100000001490116.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "text/shortest_decimal.h"

namespace {

TEST(ShortestDecimal, AFloatPrintsAsItsShortestDecimal) {
    struct {
        float f;
        double shown;
    } const cases[] = {
        {0.1f, 0.1},
        {-2.5f, -2.5},
        {1.0f / 3.0f, 0.33333334},
        {1e-45f, 1e-45},                  // the smallest subnormal
        {3.4028235e38f, 3.4028235e38},    // the largest float
        {67108872.0f, 6.710887e7},        // a large whole float is shortened too
        {std::ldexp(1.0f, -96), 1.2621775e-29},  // a power of two: 8 digits read back, not 9
    };
    for (auto const& c : cases) {
        EXPECT_EQ(host::shortest_decimal(c.f), c.shown) << c.f;
        EXPECT_EQ(static_cast<float>(host::shortest_decimal(c.f)), c.f);
    }
}

TEST(ShortestDecimal, SignedZeroInfinityAndNanPassThrough) {
    EXPECT_TRUE(std::signbit(host::shortest_decimal(-0.0f)));
    EXPECT_EQ(host::shortest_decimal(-std::numeric_limits<float>::infinity()),
              -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(host::shortest_decimal(std::numeric_limits<float>::quiet_NaN())));
}

}  // namespace
