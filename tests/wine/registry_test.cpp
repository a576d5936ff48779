// The registry layer against the real registry, on a scratch key created and deleted here; and
// the full key paths that the product's effects take, with their format message.
#include "harness.h"
#include "registry.h"
#include "win_system_ops.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <thread>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

const std::string kScratch = "Software\\ZelvoScratch";
const std::string kScratchPath = "HKEY_CURRENT_USER\\" + kScratch;
constexpr RootKey kCurrentUser = 0x80000001U;

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch.c_str()); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch.c_str()); }

    // Type and size of a value as stored, read with sentinels in place.
    static std::pair<DWORD, DWORD> StoredTypeAndSize(const std::string& subkey,
                                                     const std::string& name) {
        DWORD type = 0xdeadbeef;
        DWORD size = 0xdeadbeef;
        UniqueHkey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, key.put()) !=
            ERROR_SUCCESS)
            return {type, size};
        RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
        return {type, size};
    }
};

// Runs the call on a worker thread, answers the format message it must show, and gives its text.
template <typename Call> std::string AnswerFormatMessage(Call call) {
    std::thread worker(call);
    const HWND box = WaitForWindow(GetCurrentProcessId(), "ZelvoTests", 5000);
    std::string text = box ? MessageBoxText(box) : "<no message box>";
    if (box)
        PressOk(box);
    worker.join();
    return text;
}

} // namespace

TEST_F(RegistryTest, CreateRegKeyCreatesMissingKeysAboveIt) {
    CreateRegKey(kCurrentUser, kScratch + "\\E\\DefaultIcon");
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kScratch + "\\E\\DefaultIcon"));
}

TEST_F(RegistryTest, SetRegStringNeverCreatesAKey) {
    SetRegString(kCurrentUser, kScratch + "\\Missing", "", "C:\\x.icl,1");
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kScratch + "\\Missing"));
}

TEST_F(RegistryTest, SetRegStringStoresTheTextWithItsNul) {
    CreateRegKey(kCurrentUser, kScratch);
    SetRegString(kCurrentUser, kScratch, "Empty", "");
    SetRegString(kCurrentUser, kScratch, "Location", "C:\\x.icl,12");
    EXPECT_EQ(StoredTypeAndSize(kScratch, "Empty"), std::make_pair(DWORD{REG_SZ}, DWORD{1}));
    EXPECT_EQ(StoredTypeAndSize(kScratch, "Location"), std::make_pair(DWORD{REG_SZ}, DWORD{12}));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratch, "Location"), "C:\\x.icl,12");
}

TEST_F(RegistryTest, EmptyValueNameSetsTheDefaultValue) {
    CreateRegKey(kCurrentUser, kScratch);
    SetRegString(kCurrentUser, kScratch, "", "first");
    SetRegString(kCurrentUser, kScratch, "", "second");
    char data[32] = "sentinel";
    LONG size = sizeof data;
    ASSERT_EQ(RegQueryValueA(HKEY_CURRENT_USER, kScratch.c_str(), data, &size), ERROR_SUCCESS);
    EXPECT_STREQ(data, "second");
}

TEST_F(RegistryTest, RootAloneAddressesTheRootItself) {
    WinPassOps ops("ZelvoTests");
    ops.CreateRegKey("HKEY_CURRENT_USER");
    ops.SetRegString("HKEY_CURRENT_USER", "ZelvoScratchValue", "at the root");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, "", "ZelvoScratchValue"), "at the root");
    EXPECT_EQ(DeleteRegValue(0x80000001U, "", "ZelvoScratchValue"), ERROR_SUCCESS);
}

TEST_F(RegistryTest, DeleteRegValueGivesTheErrorAndTheSeamTrueOnlyWhenAValueWent) {
    CreateRegKey(kCurrentUser, kScratch);
    SetRegString(kCurrentUser, kScratch, "ZDrives", "C:\\x.exe");
    SetRegString(kCurrentUser, kScratch, "Second", "C:\\x.exe");
    EXPECT_EQ(DeleteRegValue(0x80000001U, kScratch, "ZDrives"), ERROR_SUCCESS);
    EXPECT_EQ(DeleteRegValue(0x80000001U, kScratch, "ZDrives"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeleteRegValue(0x80000001U, kScratch + "\\Missing", "ZDrives"), ERROR_FILE_NOT_FOUND);
    WinSystemOps winOps(nullptr, "ZelvoTests");
    SystemOps& ops = winOps;
    EXPECT_TRUE(ops.DeleteRegValue(0x80000001U, kScratch, "Second"));
    EXPECT_FALSE(ops.DeleteRegValue(0x80000001U, kScratch, "Second"));
    EXPECT_FALSE(ops.DeleteRegValue(0x80000001U, kScratch + "\\Missing", "Second"));
}

TEST_F(RegistryTest, DeleteRegTreeRemovesEverythingBelow) {
    CreateRegKey(kCurrentUser, kScratch + "\\C\\DefaultIcon");
    CreateRegKey(kCurrentUser, kScratch + "\\Q\\DefaultIcon");
    SetRegString(kCurrentUser, kScratch + "\\Q\\DefaultIcon", "", "other software");
    EXPECT_EQ(DeleteRegTree(0x80000001U, kScratch), ERROR_SUCCESS);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kScratch));
    EXPECT_EQ(DeleteRegTree(0x80000001U, kScratch), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, MalformedPathShowsTheFormatMessageAndWritesNothing) {
    WinPassOps ops("ZelvoTests");
    ops.CreateRegKey(kScratchPath);
    const std::string malformed = "hkey_current_user\\" + kScratch;
    EXPECT_EQ(AnswerFormatMessage([&] { ops.SetRegString(malformed, "Value", "x"); }),
              "Incorrect Format:\n\n" + malformed);
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kScratch, "Value"));

    const std::string trailing = kScratchPath + "\\New\\";
    EXPECT_EQ(AnswerFormatMessage([&] { ops.CreateRegKey(trailing); }),
              "Incorrect Format:\n\n" + trailing);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kScratch + "\\New"));
}

TEST_F(RegistryTest, MisspeltRootDoesNothingAndShowsNothing) {
    WinPassOps ops("ZelvoTests");
    ops.CreateRegKey("HKEY_CURRENT_USR\\" + kScratch + "\\New");
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kScratch + "\\New"));
    EXPECT_FALSE(HasVisibleWindow(GetCurrentProcessId()));
}

// What the updater reads back before it rewrites an override: text, or a refusal that leaves
// the text alone and never reads as equal to a location.
TEST_F(RegistryTest, ReadRegStringGivesTextOrADefinedError) {
    CreateRegKey(kCurrentUser, kScratch);
    UniqueHkey key;
    RegOpenKeyExA(HKEY_CURRENT_USER, kScratch.c_str(), 0, KEY_SET_VALUE, key.put());
    const struct {
        const char* name;
        DWORD type;
        std::string data;
        long error;
        const char* text;
    } kCases[] = {
        {"Location", REG_SZ, std::string("C:\\x.icl,3\0junk", 16), ERROR_SUCCESS, "C:\\x.icl,3"},
        {"NoNul", REG_SZ, "C:\\y.icl,4", ERROR_SUCCESS, "C:\\y.icl,4"},
        {"Number", REG_DWORD, std::string(4, '\1'), ERROR_UNSUPPORTED_TYPE, "sentinel"},
        {"Long", REG_SZ, std::string(kMaxReadTextBytes + 1, 'a'), ERROR_MORE_DATA, "sentinel"},
        {"Missing", REG_NONE, "", ERROR_FILE_NOT_FOUND, "sentinel"},
    };
    for (const auto& c : kCases) {
        if (c.type != REG_NONE)
            RegSetValueExA(key.get(), c.name, 0, c.type,
                           reinterpret_cast<const BYTE*>(c.data.data()),
                           static_cast<DWORD>(c.data.size()));
        std::string text = "sentinel";
        EXPECT_EQ(zelvo::ReadRegString(kCurrentUser, kScratch, c.name, text), c.error) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}
