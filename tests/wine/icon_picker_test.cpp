// The Windows side of icon picking against the real API: the wide picker's buffer and the
// conversion of its answer, and the shell's own picker as Wine provides it.
#include "harness.h"
#include "icon_browse.h"
#include "icon_location.h"
#include "layout.h"
#include "shell_icon_picker.h"
#include "wide_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

// What the stand-in wide picker received, and what it answers.
struct WideCall {
    std::wstring buffer;
    UINT capacity = 0;
    int index = -99;
};
WideCall received;
std::wstring answerPath;
int answerIndex = 0;
int answerResult = kPickConfirmed;
bool answerFillsTheBuffer = false; // a path too long for it: no NUL within capacity

int WINAPI StandInWidePicker(HWND, LPWSTR path, UINT capacity, int* index) {
    received = {std::wstring(path, capacity), capacity, *index};
    if (answerFillsTheBuffer) {
        std::fill(path, path + capacity, L'x');
        *index = answerIndex;
    } else if (answerResult == kPickConfirmed) {
        wcsncpy(path, answerPath.c_str(), capacity - 1);
        path[capacity - 1] = L'\0';
        *index = answerIndex;
    }
    return answerResult;
}

// A folder named in letters outside the ANSI code page, holding a copy of the default library,
// and one whose letters have best-fit look-alikes there (an L with stroke would become L).
class NonAnsiFolderTest : public ::testing::Test {
  protected:
    const std::wstring folder = L"C:\\tests\\\u0411\u0418";
    const std::wstring library = folder + L"\\icons.icl";
    const std::wstring bestFitFolder = L"C:\\Icons\\\u0141\u00F3d\u017A";
    const std::wstring bestFitIcon = bestFitFolder + L"\\x.ico";

    void SetUp() override {
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW(L"C:\\Icons", nullptr);
        CreateDirectoryW(bestFitFolder.c_str(), nullptr);
        const std::wstring source = WidenAnsi(AppFile(kDefaultLibrarySource));
        ASSERT_TRUE(CopyFileW(source.c_str(), library.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(source.c_str(), bestFitIcon.c_str(), FALSE));
        answerResult = kPickConfirmed;
        answerFillsTheBuffer = false;
    }
    void TearDown() override {
        for (const std::wstring& file : {library, bestFitIcon})
            DeleteFileW(file.c_str());
        for (const std::wstring& dir : {folder, bestFitFolder, std::wstring(L"C:\\Icons")})
            RemoveDirectoryW(dir.c_str());
    }
};

} // namespace

TEST(AnsiPathFromWide, AnAnsiPathComesBackUnchanged) {
    EXPECT_EQ(AnsiPathFromWide(L"C:\\Program Files\\A, B\\icons.icl"),
              "C:\\Program Files\\A, B\\icons.icl");
    EXPECT_EQ(AnsiPathFromWide(L""), "");
    EXPECT_EQ(WidenAnsi(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST_F(NonAnsiFolderTest, TheConvertedPathNamesTheFileItself) {
    const std::string path = AnsiPathFromWide(library);
    EXPECT_TRUE(FileIsThere(path)) << path;
    EXPECT_EQ(path.find('?'), std::string::npos) << path;
}

TEST_F(NonAnsiFolderTest, ALookAlikeIsNoConversionTheShortFormIsUsed) {
    const std::string path = AnsiPathFromWide(bestFitIcon);
    EXPECT_NE(path, "C:\\Icons\\L\xF3"
                    "dz\\x.ico")
        << "a best-fit look-alike names another file";
    EXPECT_TRUE(FileIsThere(path)) << path;
}

TEST_F(NonAnsiFolderTest, AMissingFileKeepsThePlainConversion) {
    const std::string path = AnsiPathFromWide(folder + L"\\none.icl");
    EXPECT_EQ(path.substr(0, 9), "C:\\tests\\") << path;
    EXPECT_EQ(path.substr(path.size() - 9), "\\none.icl") << path;
    EXPECT_FALSE(FileIsThere(path));
}

TEST_F(NonAnsiFolderTest, TheWidePickerGetsTheBufferAndGivesALocationThatExists) {
    const std::string start = PickerBuffer(SysFile(kDefaultLibraryFile));
    std::string buffer = start;
    std::int32_t index = 0;
    answerPath = library;
    answerIndex = 2;
    ASSERT_EQ(PickThroughWide(StandInWidePicker, nullptr, buffer, start.size(), index),
              kPickConfirmed);
    EXPECT_EQ(received.buffer, WidenAnsi(start));
    EXPECT_EQ(received.capacity, start.size());
    EXPECT_EQ(received.index, 0);

    const std::string location = IconLocation(StripTerminator(buffer), index);
    const std::string path = location.substr(0, location.rfind(','));
    EXPECT_TRUE(FileIsThere(path)) << location;
    EXPECT_EQ(location.substr(location.rfind(',')), ",2");
}

// Cancelled, or confirmed with a path too long for the buffer (cut, it would name another file).
TEST_F(NonAnsiFolderTest, ACancelledOrOverlongWidePickLeavesBufferAndIndexAlone) {
    for (const bool overlong : {false, true}) {
        const std::string start = PickerBuffer(SysFile(kDefaultLibraryFile));
        std::string buffer = start;
        std::int32_t index = 0;
        answerResult = overlong ? kPickConfirmed : kPickCancelled;
        answerFillsTheBuffer = overlong;
        answerIndex = 4;
        EXPECT_EQ(PickThroughWide(StandInWidePicker, nullptr, buffer, start.size(), index),
                  kPickCancelled)
            << overlong;
        EXPECT_EQ(buffer, start) << overlong;
        EXPECT_EQ(index, 0) << overlong;
    }
}

// Wine's PickIconDlg shows nothing and returns at once: no working picker, in either width.
TEST(ShellIconPicker, WinesStubCountsAsNoWorkingPickerAndChangesNothing) {
    EXPECT_EQ(WindowsPlatformId(), kPlatformNt);
    for (const bool wide : {true, false}) {
        ShellIconPicker shell(nullptr);
        const std::string start = PickerBuffer(SysFile(kDefaultLibraryFile));
        std::string buffer = start;
        std::int32_t index = 0;
        const int result = shell.Pick(buffer, start.size(), index, wide);
        EXPECT_NE(result, kPickConfirmed) << wide;
        EXPECT_NE(result, kPickCancelled) << wide;
        EXPECT_EQ(buffer, start) << wide;
        EXPECT_EQ(index, 0) << wide;
    }
}
