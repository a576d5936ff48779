#include "pending_renames.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace std::string_literals;

TEST(GoneAfterRestart, FollowsTheOperationsInTheOrderWindowsMakesThem) {
    const std::wstring file = L"\\??\\C:\\WINDOWS\\system32\\ZDrvs.exe"s;
    const std::wstring deleted = file + L"\0\0"s;
    // A copy moved into its place, as the icon changer lists it.
    const std::wstring replaced = L"\\??\\C:\\x.new\0!"s + file + L"\0"s;
    const struct {
        std::wstring operations;
        bool gone;
    } cases[] = {
        {L""s, false},
        {deleted, true},
        {L"\\??\\c:\\windows\\SYSTEM32\\zdrvs.exe\0\0\0"s, true}, // letter case; the list's end
        {file + L"\0\\??\\C:\\old.exe\0"s, true},                 // moved away
        {deleted + replaced, false},
        {deleted + replaced + deleted, true}, // deleted again by a later removal
        {file + L"\0"s, false},               // a list cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(GoneAfterRestart(c.operations, L"C:\\WINDOWS\\system32\\ZDrvs.exe"), c.gone)
            << std::string(c.operations.begin(), c.operations.end());
}

TEST(ReplacementSources, AreTheOperationsThatMoveAFileIntoThePlace) {
    const std::wstring operations =
        L"\\??\\C:\\s\\ZDrvs.exe.new\0!\\??\\C:\\s\\ZDrvs.exe\0"    // setup's, replacing
        L"\\??\\C:\\s\\ZDrvs.exe\0\0"                               // a deletion
        L"\\??\\C:\\s\\ZDrvs.exe.7-0.new\0\\??\\c:\\S\\zdrvs.EXE\0" // a plain move
        L"\\??\\C:\\s\\other.new\0!\\??\\C:\\s\\other.exe\0"s;      // another file's
    EXPECT_EQ(ReplacementSources(operations, L"C:\\s\\ZDrvs.exe"),
              (std::vector<std::wstring>{L"C:\\s\\ZDrvs.exe.new", L"C:\\s\\ZDrvs.exe.7-0.new"}));
}

TEST(IsReplacementCopy, OnlyTheTargetsOwnNameWithASuffixOfOurs) {
    const struct {
        const char* source;
        bool ours;
    } cases[] = {
        {"C:\\s\\ZDrvs.exe.new", true},        {"c:\\S\\zdrvs.exe.NEW", true},
        {"C:\\s\\ZDrvs.exe.420-13.new", true}, {"C:\\s\\ZDrvs.exe", false},
        {"C:\\s\\ZDrvs.exe.old", false},       {"C:\\s\\ZDrvs.exe.x-1.new", false},
        {"C:\\s\\ZDrvs.exe.1-.new", false},    {"C:\\s\\ZDrvs.exe2.new", false},
        {"D:\\t\\ZDrvs.exe.new", false},      // another folder
        {"C:\\s\\sub\\ZDrvs.exe.new", false}, // another folder
        {"C:\\s\\Setup.exe", false},          // another program's file
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsReplacementCopy(c.source, "C:\\s\\ZDrvs.exe"), c.ours) << c.source;
}
