#include "icon_location.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

struct Parsed {
    std::string path;
    std::int32_t index;
};

void ExpectParsed(const std::string& location, const Parsed& expected) {
    const auto parts = ParseIconLocation(location);
    ASSERT_TRUE(parts) << location;
    EXPECT_EQ(parts->path, expected.path) << location;
    EXPECT_EQ(parts->index, expected.index) << location;
}

} // namespace

TEST(ParseIconLocation, TheIndexFollowsTheLastComma) {
    ExpectParsed("C:\\WINDOWS\\system32\\ZelvoDrives.icl,2",
                 {"C:\\WINDOWS\\system32\\ZelvoDrives.icl", 2});
    ExpectParsed("C:\\A, B\\icons.icl,5", {"C:\\A, B\\icons.icl", 5});
    ExpectParsed("C:\\a,b,c\\x.ico,0", {"C:\\a,b,c\\x.ico", 0});
    ExpectParsed(",7", {"", 7});
}

TEST(ParseIconLocation, SignsAndTheEndsOfThe32BitRangeAreNumbers) {
    ExpectParsed("x.ico,-3", {"x.ico", -3});
    ExpectParsed("x.ico,+4", {"x.ico", 4});
    ExpectParsed("x.ico,007", {"x.ico", 7});
    ExpectParsed("x.ico,2147483647", {"x.ico", 2147483647});
    ExpectParsed("x.ico,-2147483648", {"x.ico", INT32_MIN});
}

TEST(ParseIconLocation, WithoutACommaOrANumberAfterTheLastCommaThereIsNoLocation) {
    for (const char* location : {"", "C:\\icons\\disc.ico", "x.ico,", "x.ico,-", "x.ico,+",
                                 "x.ico, 2", "x.ico,2 ", "x.ico,2a", "x.ico,0x10", "x.ico,1.5",
                                 "x.ico,--1", "x.ico,+-1", "x.ico,2,", "C:\\A, B\\icons.icl"})
        EXPECT_FALSE(ParseIconLocation(location)) << location;
}

TEST(ParseIconLocation, NumbersBeyond32BitsAreNoNumber) {
    for (const char* location : {"x.ico,2147483648", "x.ico,-2147483649", "x.ico,4294967296",
                                 "x.ico,99999999999999999999999999"})
        EXPECT_FALSE(ParseIconLocation(location)) << location;
}

TEST(StripTerminator, CutsAtTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(StripTerminator("C:\\x.icl"), "C:\\x.icl");
    EXPECT_EQ(StripTerminator("\0abc"s), "");
    EXPECT_EQ(StripTerminator("abc\0def\0"s), "abc");
    EXPECT_EQ(StripTerminator(""), "");
}
