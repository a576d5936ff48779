// The rendered pictures as Windows reads them: every icon size 32-bit with alpha, the usage
// bar's fill and colour measured from its pixels, the bitmaps, the cursor's hot spot, and the
// resource scripts naming only files the build writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The product's 51 fill levels, stated here on their own: the build takes the number from
// layout.h, and this checks what it made of it.
constexpr int kUsageLevels = 51;
constexpr int kDriveIcons = 10;
const std::vector<int> kIconSizes{16, 20, 24, 32, 40, 48, 64, 256};

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes asset(const std::string& name) {
    return readFile(std::string(ZELVO_ASSET_DIR) + "/" + name);
}

std::string numbered(const char* stem, int n) {
    return stem + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".ico";
}

unsigned u16(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t u32(const Bytes& b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

struct IconImage {
    int size = 0;
    bool png = false;
    std::size_t offset = 0, length = 0;
};

// The directory of an icon file, each entry checked to lie inside the file.
std::vector<IconImage> directory(const Bytes& b) {
    std::vector<IconImage> images;
    if (b.size() < 6 || u16(b, 0) != 0 || u16(b, 2) != 1) {
        ADD_FAILURE() << "not an icon file";
        return images;
    }
    for (unsigned i = 0; i < u16(b, 4); ++i) {
        const std::size_t entry = 6 + 16 * i;
        IconImage image;
        image.size = b.at(entry) == 0 ? 256 : b.at(entry);
        EXPECT_EQ(b.at(entry + 1), b.at(entry)) << "square";
        EXPECT_EQ(u16(b, entry + 6), 32u) << image.size << " px: bits per pixel";
        image.length = u32(b, entry + 8);
        image.offset = u32(b, entry + 12);
        if (image.offset + image.length > b.size() || image.length < 40) {
            ADD_FAILURE() << image.size << " px image lies outside the file";
            return {};
        }
        image.png = b[image.offset] == 0x89 && b[image.offset + 1] == 'P';
        images.push_back(image);
    }
    return images;
}

std::vector<int> sizesOf(const std::vector<IconImage>& images) {
    std::vector<int> sizes;
    for (const IconImage& i : images) {
        sizes.push_back(i.size);
    }
    return sizes;
}

TEST(IconFiles, HoldEverySizeAt32BitsTheLargeOnesAsPng) {
    std::vector<std::string> names{"changer.ico", "updater.ico", "remover.ico"};
    for (int i = 0; i < kDriveIcons; ++i) {
        names.push_back(numbered("drive", i));
    }
    for (int n = 0; n < kUsageLevels; ++n) {
        names.push_back(numbered("usage", n));
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const Bytes b = asset(name);
        const std::vector<IconImage> images = directory(b);
        ASSERT_EQ(sizesOf(images), kIconSizes);
        for (const IconImage& image : images) {
            EXPECT_EQ(image.png, image.size >= 64) << image.size;
            if (!image.png) {
                EXPECT_EQ(u32(b, image.offset + 4), static_cast<std::uint32_t>(image.size));
                EXPECT_EQ(u16(b, image.offset + 14), 32u) << image.size;
            }
        }
    }
    // The help picture's sizes at 100, 150 and 200 % are 24, 36 and 48 pixels.
    EXPECT_EQ(sizesOf(directory(asset("help.ico"))),
              (std::vector<int>{16, 20, 24, 32, 36, 40, 48, 64, 256}));
}

struct Rgba {
    int r, g, b, a;
};

// The size px image of an icon file, top row first; the image is stored as a bottom-up DIB.
std::vector<Rgba> pixels(const std::string& name, int size) {
    const Bytes b = asset(name);
    for (const IconImage& image : directory(b)) {
        if (image.size != size || image.png) {
            continue;
        }
        const std::size_t bits = image.offset + u32(b, image.offset);
        std::vector<Rgba> result;
        for (int y = size - 1; y >= 0; --y) {
            for (int x = 0; x < size; ++x) {
                const std::size_t at = bits + 4 * (static_cast<std::size_t>(y) * size + x);
                result.push_back({b.at(at + 2), b.at(at + 1), b.at(at), b.at(at + 3)});
            }
        }
        return result;
    }
    ADD_FAILURE() << name << " has no " << size << " px DIB";
    return {};
}

// The unfilled part of the bar, #E6EBF0.
bool isTrack(const Rgba& p) {
    return p.a == 255 && p.r == 0xe6 && p.g == 0xeb && p.b == 0xf0;
}

// The bar is where the empty icon shows the track and the full one does not.
std::vector<std::size_t> barPixels(int size) {
    const std::vector<Rgba> empty = pixels(numbered("usage", 0), size);
    const std::vector<Rgba> full = pixels(numbered("usage", kUsageLevels - 1), size);
    std::vector<std::size_t> bar;
    for (std::size_t i = 0; i < empty.size() && i < full.size(); ++i) {
        if (isTrack(empty[i]) && !isTrack(full[i])) {
            bar.push_back(i);
        }
    }
    return bar;
}

TEST(UsageBar, FilledShareGrowsWithTheIndexAtEverySize) {
    for (const int size : {16, 20, 24, 32, 40, 48}) {
        SCOPED_TRACE(size);
        const std::vector<std::size_t> bar = barPixels(size);
        ASSERT_GE(bar.size(), 24u);
        // With room for 50 steps every level shows more; on the smallest bars some share a step.
        const bool everyStep = bar.size() >= 50;
        int previous = -1;
        for (int level = 0; level < kUsageLevels; ++level) {
            const std::vector<Rgba> p = pixels(numbered("usage", level), size);
            int filled = 0;
            for (const std::size_t i : bar) {
                filled += !isTrack(p.at(i));
            }
            if (everyStep) {
                EXPECT_GT(filled, previous) << "level " << level;
            } else {
                EXPECT_GE(filled, previous) << "level " << level;
            }
            EXPECT_NEAR(filled, level * static_cast<double>(bar.size()) / 50, 0.5)
                << "level " << level;
            previous = filled;
        }
    }
}

enum class Hue { Blue, Amber, Red, Other };

Hue hueOf(const Rgba& p) {
    if (p.b > p.r + 0x40) {
        return Hue::Blue;
    }
    if (p.r > p.b + 0x60 && p.g > 0x60) {
        return Hue::Amber;
    }
    if (p.r > p.g + 0x60 && p.r > p.b + 0x60) {
        return Hue::Red;
    }
    return Hue::Other;
}

TEST(UsageBar, TurnsAmberAtEightyAndRedAtNinetyPercent) {
    for (const int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        // The leftmost pixel of the bar's middle row, filled from index 10 on at every size.
        const std::vector<std::size_t> bar = barPixels(size);
        ASSERT_FALSE(bar.empty());
        const std::size_t middleRow = (bar.front() / size + bar.back() / size) / 2;
        std::size_t probe = bar.back();
        for (const std::size_t i : bar) {
            if (i / size == middleRow) {
                probe = std::min(probe, i);
            }
        }
        const auto hue = [&](int level) {
            return hueOf(pixels(numbered("usage", level), size).at(probe));
        };
        EXPECT_EQ(hue(10), Hue::Blue);
        EXPECT_EQ(hue(38), Hue::Blue);  // 78..79 %
        EXPECT_EQ(hue(39), Hue::Amber); // 80..81 %
        EXPECT_EQ(hue(43), Hue::Amber); // 88..89 %
        EXPECT_EQ(hue(44), Hue::Red);   // 90..91 %
        EXPECT_EQ(hue(50), Hue::Red);
    }
}

// The setup wizard's pictures (a welcome and finish picture and a header picture) show the
// product's colours to their edges; the main window's stand in its white band.
TEST(Pictures, BitmapsAreOpaque24BitAtEveryScaleTheWindowsOnWhite) {
    struct Bitmap {
        const char* name;
        std::uint32_t width, height;
        bool onWhite;
    };
    const Bitmap bitmaps[] = {{"product.bmp", 48, 48, true},
                              {"banner.bmp", 200, 50, true},
                              {"placeholder.bmp", 48, 48, true},
                              {"product_150.bmp", 72, 72, true},
                              {"banner_150.bmp", 300, 75, true},
                              {"placeholder_150.bmp", 72, 72, true},
                              {"product_200.bmp", 96, 96, true},
                              {"banner_200.bmp", 400, 100, true},
                              {"placeholder_200.bmp", 96, 96, true},
                              {"setup_welcome.bmp", 164, 314, false},
                              {"setup_welcome_150.bmp", 246, 471, false},
                              {"setup_welcome_200.bmp", 328, 628, false},
                              {"setup_header.bmp", 150, 57, true},
                              {"setup_header_150.bmp", 225, 85, true},
                              {"setup_header_200.bmp", 300, 114, true}};
    for (const Bitmap& bitmap : bitmaps) {
        SCOPED_TRACE(bitmap.name);
        const Bytes b = asset(bitmap.name);
        ASSERT_GE(b.size(), 54u);
        const std::uint32_t w = bitmap.width, h = bitmap.height;
        const std::size_t stride = (w * 3 + 3) / 4 * 4;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(u32(b, 18), w);
        EXPECT_EQ(u32(b, 22), h); // positive: bottom-up
        EXPECT_EQ(u16(b, 28), 24u);
        EXPECT_EQ(u32(b, 30), 0u); // BI_RGB
        const std::size_t bits = u32(b, 10);
        ASSERT_EQ(b.size(), bits + stride * h);
        if (!bitmap.onWhite)
            continue;
        // They stand on white, so the corners must be pure white.
        for (const std::size_t at : {bits, bits + (w - 1) * 3, bits + stride * (h - 1)}) {
            EXPECT_EQ(b[at] & b[at + 1] & b[at + 2], 255) << at;
        }
    }
}

TEST(Pictures, HandCursorPointsWithItsFingerTip) {
    const Bytes b = asset("hand.cur");
    ASSERT_GE(b.size(), 22u + 40);
    EXPECT_EQ(u16(b, 2), 2u); // cursor
    EXPECT_EQ(u16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(u16(b, 10), 7u); // hot spot
    EXPECT_EQ(u16(b, 12), 0u);
    const std::size_t image = u32(b, 18);
    ASSERT_EQ(image + u32(b, 14), b.size());
    ASSERT_EQ(u16(b, image + 14), 32u);
    // The top row is stored last: the hot spot is the finger's dark outline, its left side clear.
    const std::size_t top = image + 40 + 31 * 32 * 4;
    EXPECT_GT(b[top + 7 * 4 + 3], 0xc0);
    EXPECT_LT(b[top + 7 * 4 + 2], 0x40);
    EXPECT_EQ(b[top + 2 * 4 + 3], 0);
}

// The resource scripts must name the icons in id order 1..N, each written by the build.
std::vector<std::string> iconsOfScript(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const std::regex line(R"((\d+)\s+ICON\s+"([^"]+)\")");
    std::vector<std::string> files;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), line); it != std::sregex_iterator();
         ++it) {
        EXPECT_EQ(std::stoul((*it)[1]), files.size() + 1) << path;
        files.push_back((*it)[2]);
    }
    return files;
}

TEST(ResourceScripts, NameTheRenderedIconsInIndexOrder) {
    const std::vector<std::string> drives = iconsOfScript(ZELVO_DATA_DIR "/ZelvoDrives.rc");
    const std::vector<std::string> usage = iconsOfScript(ZELVO_USAGE_SCRIPT);
    ASSERT_EQ(drives.size(), static_cast<std::size_t>(kDriveIcons));
    ASSERT_EQ(usage.size(), static_cast<std::size_t>(kUsageLevels));
    for (int i = 0; i < kDriveIcons; ++i) {
        EXPECT_EQ(drives[i], numbered("drive", i));
    }
    for (int n = 0; n < kUsageLevels; ++n) {
        EXPECT_EQ(usage[n], numbered("usage", n));
    }
}

} // namespace
