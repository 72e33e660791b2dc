#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(TestSupport, CrLfConversionDoublesEveryLineEnd) {
    EXPECT_EQ(ToCrLf("a\nb\n"), "a\r\nb\r\n");
}
