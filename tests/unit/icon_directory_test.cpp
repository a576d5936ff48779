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

// A whole icon file with two images right after its directory.
const std::string kTwoImages = IconHead(2, {{38, 40}, {78, 1000}}) + std::string(1040, 'x');

} // namespace

TEST(IconDirectoryFits, FilesNotReadAsIconFilesAreLeftToTheReader) {
    for (const std::string& file : {std::string(), std::string(1, '\0'), std::string("MZ\x90\0", 4),
                                    std::string("no icons here")})
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
