// The generated pictures: file structure as Windows reads it, the usage bar's measurable fill,
// the cursor's hot spot, and the resource scripts naming only files the generator writes.
#include "assets.hpp"
#include "drawings.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

using zelvo::Asset;
using zelvo::Bytes;

unsigned u16(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t u32(const Bytes& b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}
std::int32_t s32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

class GeneratedAssets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (Asset& a : zelvo::allAssets()) {
            files_[a.name] = std::move(a.bytes);
        }
    }
    static const Bytes& file(const std::string& name) {
        const auto it = files_.find(name);
        EXPECT_NE(it, files_.end()) << name;
        static const Bytes none;
        return it == files_.end() ? none : it->second;
    }
    static std::map<std::string, Bytes> files_;
};

std::map<std::string, Bytes> GeneratedAssets::files_;

std::vector<int> expectedIconSizes(const std::string& name) {
    if (name == "changer.ico") {
        return {48, 32, 24, 16};
    }
    if (name == "updater.ico") {
        return {32, 48};
    }
    if (name == "help.ico") {
        return {24, 16, 32, 36, 48};
    }
    return {16, 32, 48};
}

TEST_F(GeneratedAssets, IconDirectoriesDescribeTheirImages) {
    int icons = 0;
    for (const auto& [name, b] : files_) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".ico") {
            continue;
        }
        ++icons;
        SCOPED_TRACE(name);
        ASSERT_GE(b.size(), 6u);
        EXPECT_EQ(u16(b, 0), 0u);
        EXPECT_EQ(u16(b, 2), 1u);
        const std::vector<int> sizes = expectedIconSizes(name);
        ASSERT_EQ(u16(b, 4), sizes.size());
        std::size_t next = 6 + 16 * sizes.size();
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const std::size_t entry = 6 + 16 * i;
            const int size = sizes[i];
            EXPECT_EQ(b[entry], size);
            EXPECT_EQ(b[entry + 1], size);
            EXPECT_EQ(u16(b, entry + 4), 1u);
            EXPECT_EQ(u16(b, entry + 6), 32u);
            const std::uint32_t length = u32(b, entry + 8);
            const std::uint32_t offset = u32(b, entry + 12);
            // Images follow the directory back to back, each exactly as long as declared.
            EXPECT_EQ(offset, next);
            const std::size_t maskStride = (size + 31) / 32 * 4;
            EXPECT_EQ(length, 40 + size * size * 4 + maskStride * size);
            ASSERT_LE(offset + length, b.size());
            EXPECT_EQ(u32(b, offset), 40u);
            EXPECT_EQ(s32(b, offset + 4), size);
            EXPECT_EQ(s32(b, offset + 8), 2 * size);
            EXPECT_EQ(u16(b, offset + 14), 32u);
            // The AND mask marks exactly the fully transparent pixels.
            const std::size_t pixels = offset + 40, mask = pixels + size * size * 4;
            for (int row = 0; row < size; ++row) {
                for (int x = 0; x < size; ++x) {
                    const bool clear = b[pixels + (row * size + x) * 4 + 3] == 0;
                    const bool masked = b[mask + row * maskStride + x / 8] & (0x80 >> (x % 8));
                    ASSERT_EQ(clear, masked) << "pixel " << x << ", row " << row;
                }
            }
            next = offset + length;
        }
        EXPECT_EQ(next, b.size());
    }
    EXPECT_EQ(icons, zelvo::kDriveIconCount + zelvo::kUsageLevels + 4);
}

TEST_F(GeneratedAssets, BitmapsAreOpaqueAndWhiteEdged) {
    const std::map<std::string, std::pair<std::size_t, std::size_t>> bitmaps{
        {"product.bmp", {48, 48}},        {"banner.bmp", {200, 50}},
        {"placeholder.bmp", {48, 48}},    {"product_150.bmp", {72, 72}},
        {"banner_150.bmp", {300, 75}},    {"placeholder_150.bmp", {72, 72}},
        {"product_200.bmp", {96, 96}},    {"banner_200.bmp", {400, 100}},
        {"placeholder_200.bmp", {96, 96}}};
    for (const auto& [name, dims] : bitmaps) {
        SCOPED_TRACE(name);
        const Bytes& b = file(name);
        ASSERT_GE(b.size(), 54u);
        const auto [w, h] = dims;
        const std::size_t stride = (w * 3 + 3) / 4 * 4;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 2), b.size());
        EXPECT_EQ(u32(b, 10), 54u);
        EXPECT_EQ(u32(b, 18), w);
        EXPECT_EQ(u32(b, 22), h); // positive: bottom-up
        EXPECT_EQ(u16(b, 28), 24u);
        ASSERT_EQ(b.size(), 54 + stride * h);
        // They stand in a white band, so the corners must be pure white.
        for (const std::size_t at : {std::size_t{54}, 54 + (w - 1) * 3, 54 + stride * (h - 1)}) {
            EXPECT_EQ(b[at], 255);
            EXPECT_EQ(b[at + 1], 255);
            EXPECT_EQ(b[at + 2], 255);
        }
    }
}

TEST_F(GeneratedAssets, HandCursorPointsWithItsFingerTip) {
    const Bytes& b = file("hand.cur");
    ASSERT_EQ(b.size(), 6u + 16 + 40 + 8 + 2 * 128);
    EXPECT_EQ(u16(b, 2), 2u);
    EXPECT_EQ(u16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(u16(b, 10), 6u);
    EXPECT_EQ(u16(b, 12), 0u);
    EXPECT_EQ(u32(b, 18), 22u);
    EXPECT_EQ(s32(b, 22 + 8), 64);
    EXPECT_EQ(u16(b, 22 + 14), 1u);
    // Top row is stored last; the hot spot is drawn (black), the pixel left of it is not.
    const std::size_t xorTop = 22 + 48 + 31 * 4, andTop = xorTop + 128;
    EXPECT_EQ(b[andTop] & (0x80 >> 6), 0);
    EXPECT_EQ(b[xorTop] & (0x80 >> 6), 0);
    EXPECT_NE(b[andTop] & (0x80 >> 5), 0);
}

int countFilled(int level, int size) {
    const zelvo::Canvas icon = zelvo::usageIcon(level, size);
    const zelvo::PixelRect r = zelvo::usageFillRegion(size);
    const zelvo::Canvas track = [] {
        zelvo::Canvas c(1, 1);
        c.set(0, 0, zelvo::usageTrackColour());
        return c;
    }();
    int filled = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) {
            filled += !(icon.pixel(x, y) == track.pixel(0, 0));
        }
    }
    return filled;
}

TEST(UsageBar, FilledPixelsGrowStrictlyWithLevel) {
    const zelvo::PixelRect r = zelvo::usageFillRegion(32);
    const int area = r.width * r.height;
    EXPECT_EQ(countFilled(0, 32), 0);
    EXPECT_EQ(countFilled(zelvo::kUsageLevels - 1, 32), area);
    int previous = 0;
    for (int level = 1; level < zelvo::kUsageLevels; ++level) {
        const int filled = countFilled(level, 32);
        EXPECT_GT(filled, previous) << "level " << level;
        EXPECT_NEAR(filled, level * area / 50.0, 0.5) << "level " << level;
        previous = filled;
    }
}

TEST(UsageBar, FrameSurroundsTheFillRegionAtEverySize) {
    for (int size : {16, 32, 48}) {
        const zelvo::Canvas icon = zelvo::usageIcon(25, size);
        const zelvo::PixelRect r = zelvo::usageFillRegion(size);
        ASSERT_GE(r.x, 1);
        ASSERT_LE(r.y + r.height, size - 1);
        for (int x = r.x - 1; x <= r.x + r.width; ++x) {
            EXPECT_EQ(icon.pixel(x, r.y - 1).a, 255) << size;
            EXPECT_EQ(icon.pixel(x, r.y + r.height).a, 255) << size;
            EXPECT_LT(icon.pixel(x, r.y - 1).g, 0x80) << size;
        }
    }
}

TEST(UsageBar, ColourWarnsAsTheDriveFillsUp) {
    const zelvo::PixelRect r = zelvo::usageFillRegion(48);
    const auto fill = [&](int level) { return zelvo::usageIcon(level, 48).pixel(r.x, r.y + 2); };
    EXPECT_GT(fill(30).b, fill(30).r); // room to spare: blue
    EXPECT_GT(fill(42).r, fill(42).b); // from 80 %: amber
    EXPECT_GT(fill(42).g, 0x60);
    EXPECT_GT(fill(50).r, fill(50).g + 0x60); // from 90 %: red
}

// The resource scripts must name the icons in id order 1..N, each written by the generator.
std::vector<std::string> iconsOfScript(const std::string& name) {
    std::ifstream in(std::string(ZELVO_DATA_DIR) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const std::regex line(R"((\d+)\s+ICON\s+"([^"]+)\")");
    std::vector<std::string> files;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), line); it != std::sregex_iterator();
         ++it) {
        EXPECT_EQ(std::stoul((*it)[1]), files.size() + 1) << name;
        files.push_back((*it)[2]);
    }
    return files;
}

TEST_F(GeneratedAssets, ResourceScriptsNameGeneratedIconsInOrder) {
    const std::vector<std::string> drives = iconsOfScript("ZelvoDrives.rc");
    const std::vector<std::string> usage = iconsOfScript("ZelvoPrg.rc");
    EXPECT_EQ(drives.size(), static_cast<std::size_t>(zelvo::kDriveIconCount));
    ASSERT_EQ(usage.size(), static_cast<std::size_t>(zelvo::kUsageLevels));
    EXPECT_EQ(usage.front(), "usage00.ico");
    EXPECT_EQ(usage.back(), "usage50.ico");
    for (const std::string& f : drives) {
        EXPECT_EQ(files_.count(f), 1u) << f;
    }
    for (const std::string& f : usage) {
        EXPECT_EQ(files_.count(f), 1u) << f;
    }
}

} // namespace
