#include <gtest/gtest.h>
#include "test_support.h"
TEST(Placeholder, Builds) { EXPECT_EQ(1, 1); }
