#include "icon_browse.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace zelvo;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kLibrary = kSys + "\\ZelvoDrives.icl";

// A picker that records what it was handed and then acts as the test says.
class FakePicker final : public IconPicker {
  public:
    struct Call {
        std::string buffer;
        std::size_t capacity;
        std::int32_t index;
        bool wide;
    };

    explicit FakePicker(std::function<int(std::string&, std::size_t, std::int32_t&)> act)
        : act_(std::move(act)) {}

    int Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool wide) override {
        calls.push_back({buffer, capacity, index, wide});
        return act_(buffer, capacity, index);
    }

    std::vector<Call> calls;

  private:
    std::function<int(std::string&, std::size_t, std::int32_t&)> act_;
};

// Behaves like Windows' picker when the user confirms the given path and index.
FakePicker Choosing(const std::string& path, std::int32_t chosen) {
    return FakePicker([=](std::string& buffer, std::size_t capacity, std::int32_t& index) {
        WritePickerPath(buffer, capacity, path);
        index = chosen;
        return kPickConfirmed;
    });
}

// Cancels after having written into the buffer, which must not matter.
FakePicker Cancelling() {
    return FakePicker([](std::string& buffer, std::size_t capacity, std::int32_t& index) {
        WritePickerPath(buffer, capacity, "C:\\elsewhere.ico");
        index = 9;
        return kPickCancelled;
    });
}

// Shows nothing and returns at once, leaving path and index as they came (Wine's stub).
FakePicker Returning(int result) {
    return FakePicker([result](std::string&, std::size_t, std::int32_t&) { return result; });
}

} // namespace

TEST(PickerBuffer, IsThePathOneNulAnd256Blanks) {
    const std::string buffer = PickerBuffer(kLibrary);
    ASSERT_EQ(buffer.size(), kLibrary.size() + 257);
    EXPECT_EQ(buffer.substr(0, kLibrary.size()), kLibrary);
    EXPECT_EQ(buffer[kLibrary.size()], '\0');
    EXPECT_EQ(buffer.substr(kLibrary.size() + 1), std::string(256, ' '));
}

TEST(WritePickerPath, WritesThePathWithItsTerminatorAndNeverBeyondCapacity) {
    std::string buffer = PickerBuffer("C:\\x.ico");
    WritePickerPath(buffer, buffer.size(), "C:\\a.ico");
    EXPECT_EQ(buffer.substr(0, 9), std::string("C:\\a.ico") + '\0');

    std::string small(8, '#');
    WritePickerPath(small, 5, "C:\\long\\path.ico");
    EXPECT_EQ(small, std::string("C:\\l") + '\0' + "###");

    std::string shorter = "ab";
    WritePickerPath(shorter, 6, "C:\\long.ico");
    EXPECT_EQ(shorter, std::string("C:\\lo") + '\0');

    std::string untouched = "abc";
    WritePickerPath(untouched, 0, "C:\\x.ico");
    EXPECT_EQ(untouched, "abc");
}

TEST(BrowseForIconLocation, OpensTheShellPickerOnIcon0OfTheDefaultLibrary) {
    FakePicker shell = Returning(kPickCancelled);
    FakePicker own = Returning(kPickCancelled);
    BrowseForIconLocation(shell, own, kSys, kPlatformNt);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].buffer, PickerBuffer(kLibrary));
    EXPECT_EQ(shell.calls[0].capacity, kLibrary.size() + 257);
    EXPECT_EQ(shell.calls[0].index, 0);
    EXPECT_TRUE(own.calls.empty());
}

TEST(BrowseForIconLocation, NtGetsTheWidePickerEveryOtherPlatformThe8BitOne) {
    for (const unsigned long platform : {0ul, 1ul, 2ul, 3ul}) {
        FakePicker shell = Returning(kPickCancelled);
        FakePicker own = Returning(kPickCancelled);
        BrowseForIconLocation(shell, own, kSys, platform);
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0].wide, platform == kPlatformNt) << platform;
    }
}

TEST(BrowseForIconLocation, AConfirmedChoiceIsThePathUnchangedACommaAndTheIndex) {
    for (const bool nt : {true, false}) {
        FakePicker shell = Choosing("C:\\A, B\\icons.icl", 12);
        FakePicker own = Returning(kPickCancelled);
        EXPECT_EQ(BrowseForIconLocation(shell, own, kSys, nt ? kPlatformNt : 1),
                  "C:\\A, B\\icons.icl,12");
    }
    FakePicker preselected = Choosing(kLibrary, 0);
    FakePicker own = Returning(kPickCancelled);
    EXPECT_EQ(BrowseForIconLocation(preselected, own, kSys, kPlatformNt), kLibrary + ",0");
}

TEST(BrowseForIconLocation, CancellingGivesNothingWhateverThePickerWrote) {
    FakePicker shell = Cancelling();
    FakePicker own = Choosing("C:\\never.ico", 1);
    EXPECT_FALSE(BrowseForIconLocation(shell, own, kSys, kPlatformNt));
    EXPECT_TRUE(own.calls.empty()) << "a cancelled shell picker is not followed by our own";
}

TEST(BrowseForIconLocation, WithoutAWorkingShellPickerOurOwnGetsTheSameBufferAndIndex) {
    for (const int broken : {kNoPicker, 2, -5}) {
        FakePicker shell = Returning(broken);
        FakePicker own = Choosing("C:\\tests\\icons.icl", 2);
        EXPECT_EQ(BrowseForIconLocation(shell, own, kSys, kPlatformNt), "C:\\tests\\icons.icl,2")
            << broken;
        ASSERT_EQ(own.calls.size(), 1u);
        EXPECT_EQ(own.calls[0].buffer, PickerBuffer(kLibrary));
        EXPECT_EQ(own.calls[0].capacity, kLibrary.size() + 257);
        EXPECT_EQ(own.calls[0].index, 0);
        EXPECT_FALSE(own.calls[0].wide);
    }
}

TEST(BrowseForIconLocation, OurOwnPickerCancelledOrFailingGivesNothing) {
    for (const int result : {kPickCancelled, kNoPicker}) {
        FakePicker shell = Returning(kNoPicker);
        FakePicker own = Returning(result);
        EXPECT_FALSE(BrowseForIconLocation(shell, own, kSys, kPlatformNt)) << result;
    }
}

TEST(BrowseForIconLocation, TheChosenPathEndsAtItsFirstNul) {
    FakePicker withTail([](std::string& buffer, std::size_t, std::int32_t&) {
        buffer.replace(0, 13, std::string("C:\\a.ico\0tail", 13));
        return kPickConfirmed;
    });
    FakePicker own = Returning(kPickCancelled);
    EXPECT_EQ(BrowseForIconLocation(withTail, own, kSys, kPlatformNt), "C:\\a.ico,0");
}

// Cut at the buffer's end, the path would name another file.
TEST(BrowseForIconLocation, APathWithoutANulWithinCapacityIsNoChoice) {
    FakePicker noTerminator([](std::string& buffer, std::size_t capacity, std::int32_t& index) {
        buffer.assign(capacity + 10, 'x');
        index = 3;
        return kPickConfirmed;
    });
    FakePicker own = Choosing("C:\\never.ico", 1);
    EXPECT_FALSE(BrowseForIconLocation(noTerminator, own, kSys, kPlatformNt));
    EXPECT_TRUE(own.calls.empty());

    const std::string nulJustBeyond = std::string(8, 'x') + '\0';
    EXPECT_FALSE(PickedPath(nulJustBeyond, 8));
    EXPECT_EQ(PickedPath(nulJustBeyond, 9), std::string(8, 'x'));
    EXPECT_TRUE(FitsPickerBuffer(std::string(8, 'x'), 9));
    EXPECT_FALSE(FitsPickerBuffer(std::string(9, 'x'), 9));
}
