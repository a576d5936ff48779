#include "keypath.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(RootKeyFromName, GivesEachPredefinedRootItsHandle) {
    EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), 0x80000000U);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_USER"), 0x80000001U);
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), 0x80000002U);
    EXPECT_EQ(RootKeyFromName("HKEY_USERS"), 0x80000003U);
    EXPECT_EQ(RootKeyFromName("HKEY_PERFORMANCE_DATA"), 0x80000004U);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_CONFIG"), 0x80000005U);
    EXPECT_EQ(RootKeyFromName("HKEY_DYN_DATA"), 0x80000006U);
}

TEST(RootKeyFromName, AnythingElseIsNoRoot) {
    EXPECT_EQ(RootKeyFromName("HKEY_Local_Machine"), 0U);
    EXPECT_EQ(RootKeyFromName("HKLM"), 0U);
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE "), 0U);
    EXPECT_EQ(RootKeyFromName(""), 0U);
}

// A root alone has an empty subkey; a second backslash after the root stays in the subkey.
TEST(ParseKeyPath, SplitsAtTheFirstBackslash) {
    const struct {
        const char* path;
        RootKey root;
        const char* subkey;
    } kCases[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelvo\\DefaultIcon", 0x80000002U,
         "SOFTWARE\\Zelvo\\DefaultIcon"},
        {"HKEY_CURRENT_USER", 0x80000001U, ""},
        {"HKEY_LOCAL_MACHINE\\\\SOFTWARE", 0x80000002U, "\\SOFTWARE"},
    };
    for (const auto& c : kCases) {
        const SplitPath split = ParseKeyPath(c.path);
        EXPECT_FALSE(split.malformed) << c.path;
        EXPECT_EQ(split.root, c.root) << c.path;
        EXPECT_EQ(split.subkey, c.subkey) << c.path;
    }
}

TEST(ParseKeyPath, MalformedPathsGiveNoRoot) {
    for (const char* path :
         {"hkey_local_machine\\SOFTWARE", "HKEY_LOCAL_MACHINE\\SOFTWARE\\", "SOFTWARE\\Microsoft",
          "HKEY_LOCAL_MACHINE\\", "", "HKEY", "\\HKEY_LOCAL_MACHINE"}) {
        const SplitPath split = ParseKeyPath(path);
        EXPECT_TRUE(split.malformed) << path;
        EXPECT_EQ(split.root, 0U) << path;
    }
}

TEST(ParseKeyPath, MisspeltRootPassesTheFormatTestButHasNoRoot) {
    const SplitPath split = ParseKeyPath("HKEY_LOCAL_MACHIN\\SOFTWARE");
    EXPECT_FALSE(split.malformed);
    EXPECT_EQ(split.root, 0U);
}
