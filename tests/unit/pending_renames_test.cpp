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
