// The shared modules against the real Windows API (under Wine).
#include "drives.h"
#include "harness.h"
#include "sysfolders.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

TEST(GetSystemFolder, IsTheSystemDirectoryWithoutATrailingBackslash) {
    const std::string folder = GetSystemFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_EQ(folder, SysDir());
}

TEST(GetAppFolder, IsTheFolderOfTheRunningProgram) {
    EXPECT_EQ(GetAppFolder(), L"C:\\tests");
}

class FileExistsTest : public ::testing::Test {
  protected:
    const std::string dir = "C:\\tests\\file-exists";
    void SetUp() override { CreateDirectoryA(dir.c_str(), nullptr); }
    void TearDown() override {
        for (const char* name : {"\\plain.txt", "\\hidden.txt", "\\system.txt"}) {
            SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((dir + name).c_str());
        }
        RemoveDirectoryA((dir + "\\folder").c_str());
        RemoveDirectoryA(dir.c_str());
    }
};

TEST_F(FileExistsTest, SeesPlainHiddenAndSystemFilesButNoFolders) {
    WriteFile(dir + "\\plain.txt", "x");
    WriteFile(dir + "\\hidden.txt", "x");
    WriteFile(dir + "\\system.txt", "x");
    SetFileAttributesA((dir + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((dir + "\\system.txt").c_str(),
                       FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir + "\\folder").c_str(), nullptr);

    EXPECT_EQ(FileExists(dir + "\\plain.txt"), FileTest::Present);
    EXPECT_EQ(FileExists(dir + "\\hidden.txt"), FileTest::Present);
    EXPECT_EQ(FileExists(dir + "\\system.txt"), FileTest::Present);
    EXPECT_EQ(FileExists(dir + "\\folder"), FileTest::Missing);
    EXPECT_EQ(FileExists(dir + "\\none.txt"), FileTest::Missing);
    EXPECT_EQ(FileExists(dir + "\\no-folder\\none.txt"), FileTest::Missing);
}

TEST_F(FileExistsTest, AWildcardIsNoAnswer) {
    WriteFile(dir + "\\plain.txt", "x");
    EXPECT_EQ(FileExists(dir + "\\*.txt"), FileTest::Failed);
}

// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
TEST(MappedDrives, FixedRootsAreCThenE) {
    EXPECT_EQ(FixedDriveRoots(), (std::vector<std::string>{"C:\\", "E:\\"}));
}

TEST(MappedDrives, EveryExistingLetterIsListedInOrder) {
    EXPECT_EQ(ExistingDriveLetters(), (std::vector<std::string>{"A", "C", "D", "E", "Z"}));
}

TEST(MappedDrives, EachRootIsNamedByItsType) {
    EXPECT_EQ(DriveTypeName(std::string("A:\\")), "Removable Media");
    EXPECT_EQ(DriveTypeName(std::string("C:\\")), "Fixed Drive");
    EXPECT_EQ(DriveTypeName(std::string("D:\\")), "CD Rom");
    EXPECT_EQ(DriveTypeName(std::string("Z:\\")), "Network Drive");
    EXPECT_EQ(DriveTypeName(std::string("Q:\\")), "Drive does not exist");
}
