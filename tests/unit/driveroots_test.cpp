#include "driveroots.h"

#include <gtest/gtest.h>

using namespace zelvo;
using Strings = std::vector<std::string>;

TEST(DriveTypeName, NamesEachKnownTypeAndNothingAbove) {
    const Strings expected = {"Unknown Drive Type",
                              "Drive does not exist",
                              "Removable Media",
                              "Fixed Drive",
                              "Network Drive",
                              "CD Rom",
                              "Ram Disk"};
    for (unsigned type = 0; type < expected.size(); ++type)
        EXPECT_EQ(DriveTypeName(type), expected[type]) << type;
    EXPECT_EQ(DriveTypeName(7), "");
    EXPECT_EQ(DriveTypeName(0xFFFFFFFFU), "");
}

TEST(SplitDriveRootList, TakesEachRootBeforeItsNul) {
    using namespace std::string_literals;
    EXPECT_EQ(SplitDriveRootList("A:\\\0C:\\\0D:\\\0"s), (Strings{"A:\\", "C:\\", "D:\\"}));
    EXPECT_EQ(SplitDriveRootList(""), Strings{});
    // A list that the system did not terminate loses only its unterminated tail.
    EXPECT_EQ(SplitDriveRootList("C:\\\0E:"s), Strings{"C:\\"});
}

TEST(DriveLettersFromMask, NamesNoDriveForAnEmptyMaskOrTheBitsAboveZ) {
    EXPECT_EQ(DriveLettersFromMask([] { return 0U; }), Strings{});
    EXPECT_EQ(DriveLettersFromMask([] { return 0xFE000000U; }), Strings{"Z"});
}
