// The about box's space lines: the full 64-bit free space, and the required space.
#include <gtest/gtest.h>

#include <cstdint>

#include "SpaceText.h"

TEST(InstallSpaceText, ShowsTheAvailableSpaceWithEveryDigit) {
    EXPECT_EQ(AvailableSpaceLine(0), "Available space: 0 Bytes");
    EXPECT_EQ(AvailableSpaceLine(21999999), "Available space: 21999999 Bytes");
    EXPECT_EQ(AvailableSpaceLine(4294967296ull), "Available space: 4294967296 Bytes");
    EXPECT_EQ(AvailableSpaceLine(1099511627776ull + 5), "Available space: 1099511627781 Bytes");
    EXPECT_EQ(AvailableSpaceLine(UINT64_MAX), "Available space: 18446744073709551615 Bytes");
}

TEST(InstallSpaceText, ShowsTheRequiredSpace) {
    EXPECT_EQ(RequiredSpaceLine(), "Required space: 22000000 Bytes");
}
