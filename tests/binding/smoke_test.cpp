#include <gtest/gtest.h>
#include "uuid_class.h"
TEST(Smoke, Builds) { EXPECT_EQ(tq::uuid_class(1u).word[0], 1u); }
