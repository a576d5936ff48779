#include "icon_directory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zelvo;

namespace {

void Put(std::string& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

// An icon file's header claiming `count` images, with a directory entry per (offset, size) pair.
std::string IconHead(std::uint32_t count,
                     const std::vector<std::pair<std::uint32_t, std::uint32_t>>& images) {
    std::string bytes;
    Put(bytes, 0, 2);
    Put(bytes, 1, 2);
    Put(bytes, count, 2);
    for (const auto& [offset, size] : images) {
        Put(bytes, 0x2020, 4);     // 32 x 32, no palette
        Put(bytes, 0x00200001, 4); // one plane, 32 bits
        Put(bytes, size, 4);
        Put(bytes, offset, 4);
    }
    return bytes;
}

// The bytes with a little-endian value written at `at`.
std::string With(std::string bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

// A 16-bit icon library (NE): the DOS header, the NE header at 0x40, its resource table at 0x80
// (a shift of 4, a group icon and an icon whose 16 bytes lie at 0xB0 and 0xC0, the table's end
// at 0xAA), 0xD0 bytes in all.
const std::string kLibrary = [] {
    std::string b(0xD0, '\0');
    for (const auto& [at, value] :
         std::vector<std::pair<std::size_t, std::uint32_t>>{{0, 'M' | 'Z' << 8},
                                                            {0x3C, 0x40},
                                                            {0x40, 'N' | 'E' << 8},
                                                            {0x64, 0x40},
                                                            {0x80, 4},
                                                            {0x82, 0x800E},
                                                            {0x84, 1},
                                                            {0x8A, 0xB},
                                                            {0x8C, 1},
                                                            {0x96, 0x8003},
                                                            {0x98, 1},
                                                            {0x9E, 0xC},
                                                            {0xA0, 1}})
        b = With(b, at, value, at == 0x3C ? 4 : 2);
    return b;
}();

// A whole icon file with two images right after its directory.
const std::string kTwoImages = IconHead(2, {{38, 40}, {78, 1000}}) + std::string(1040, 'x');

} // namespace

TEST(IconDirectoryFits, FilesNotReadAsIconFilesAreLeftToTheReader) {
    for (const std::string& file :
         {std::string(), std::string(1, '\0'), std::string("no icons here")})
        EXPECT_TRUE(IconDirectoryFits(file, file.size())) << file.size();
}

TEST(IconDirectoryFits, AWholeIconFileFitsAndSoDoesAnEmptyDirectory) {
    EXPECT_TRUE(IconDirectoryFits(kTwoImages, kTwoImages.size()));
    EXPECT_TRUE(IconDirectoryFits(kTwoImages.substr(0, 38), kTwoImages.size())) << "its directory";
    EXPECT_TRUE(IconDirectoryFits(IconHead(0, {}), 6));
}

TEST(IconDirectoryFits, AHeaderDirectoryOrImageBeyondTheEndDoesNotFit) {
    // The damaged file that crashes the system's reader: six bytes claiming 65535 images.
    EXPECT_FALSE(IconDirectoryFits(IconHead(0xFFFF, {}), 6));
    EXPECT_FALSE(IconDirectoryFits(std::string(4, '\0'), 4)) << "a header cut short";
    EXPECT_FALSE(IconDirectoryFits(kTwoImages.substr(0, 30), 30)) << "the last entry cut";
    EXPECT_FALSE(IconDirectoryFits(kTwoImages, kTwoImages.size() - 1)) << "the last image's end";
    EXPECT_FALSE(IconDirectoryFits(IconHead(1, {{0xFFFFFFF0u, 0x20}}), 0xFFFFFFFFull))
        << "offset and size beyond 32 bits";
    EXPECT_FALSE(IconDirectoryFits(kTwoImages.substr(0, 22), kTwoImages.size()))
        << "a head too short to show the directory";
}

TEST(IconDirectoryFits, ASixteenBitLibraryFitsUnlessItsTableOrAResourceRunsBeyondTheEnd) {
    const struct {
        const char* damage;
        std::string file;
        bool fits;
    } cases[] = {
        {"none", kLibrary, true},
        {"a 32-bit library", With(kLibrary, 0x40, 'P' | 'E' << 8, 2), true},
        {"new header beyond the end", With(kLibrary, 0x3C, 0xFFFFFF00, 4), false},
        {"NE header cut short", kLibrary.substr(0, 0x60), false},
        {"table beyond the end", With(kLibrary, 0x64, 0xFFF0, 2), false},
        {"65535 group icons", With(kLibrary, 0x84, 0xFFFF, 2), false},
        {"icon beyond the end", With(kLibrary, 0x9E, 0xFFF0, 2), false},
        {"table without its end", kLibrary.substr(0, 0xAA), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconDirectoryFits(c.file, c.file.size()), c.fits) << c.damage;
}
