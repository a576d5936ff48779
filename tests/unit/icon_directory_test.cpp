#include "icon_directory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zelvo;

namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

struct Image {
    std::uint32_t offset;
    std::uint32_t size;
};

// An icon file's header claiming `count` images and directory entries for `images`.
std::string IconHead(std::uint32_t count, const std::vector<Image>& images) {
    std::string bytes;
    PutLittleEndian(bytes, 0, 2); // reserved
    PutLittleEndian(bytes, 1, 2); // icon
    PutLittleEndian(bytes, count, 2);
    for (const Image& image : images) {
        bytes += std::string{32, 32, 0, 0};
        PutLittleEndian(bytes, 1, 2);  // planes
        PutLittleEndian(bytes, 32, 2); // bits
        PutLittleEndian(bytes, image.size, 4);
        PutLittleEndian(bytes, image.offset, 4);
    }
    return bytes;
}

// A whole icon file: the directory, then each image's bytes right after it.
std::string IconFile(const std::vector<std::uint32_t>& imageSizes) {
    std::vector<Image> images;
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * imageSizes.size());
    for (const std::uint32_t size : imageSizes) {
        images.push_back({offset, size});
        offset += size;
    }
    std::string file = IconHead(static_cast<std::uint32_t>(images.size()), images);
    file.resize(offset, '\x55');
    return file;
}

} // namespace

TEST(IconDirectoryFits, FilesNotReadAsIconFilesAreLeftToTheReader) {
    for (const std::string& file : {std::string(), std::string(1, '\0'), std::string("MZ\x90\0", 4),
                                    std::string("no icons here")})
        EXPECT_TRUE(IconDirectoryFits(file, file.size())) << file.size();
}

TEST(IconDirectoryFits, AWholeIconFileFitsAndSoDoesAnEmptyDirectory) {
    const std::string file = IconFile({40, 1000});
    EXPECT_TRUE(IconDirectoryFits(file, file.size()));
    EXPECT_TRUE(IconDirectoryFits(file.substr(0, 6 + 32), file.size())) << "the directory suffices";
    EXPECT_TRUE(IconDirectoryFits(IconHead(0, {}), 6));
}

TEST(IconDirectoryFits, ADirectoryOrImageBeyondTheEndDoesNotFit) {
    // The damaged file that crashes the system's reader: six bytes claiming 65535 images.
    const std::string claimsAll = IconHead(0xFFFF, {});
    EXPECT_FALSE(IconDirectoryFits(claimsAll, claimsAll.size()));
    EXPECT_FALSE(IconDirectoryFits(std::string(4, '\0'), 4)) << "a header cut short";

    std::string lastEntryCut = IconFile({40, 40});
    lastEntryCut.erase(6 + 16 + 8);
    EXPECT_FALSE(IconDirectoryFits(lastEntryCut, lastEntryCut.size()));

    const std::string file = IconFile({40, 1000});
    EXPECT_FALSE(IconDirectoryFits(file, file.size() - 1)) << "the last image's last byte";

    const std::string farImage = IconHead(1, {{0xFFFFFFF0u, 0x20}});
    EXPECT_FALSE(IconDirectoryFits(farImage, 0xFFFFFFFFull)) << "offset and size overflow 32 bits";
}

TEST(IconDirectoryFits, AHeadTooShortToShowTheDirectoryDoesNotFit) {
    const std::string file = IconFile({40, 40});
    EXPECT_FALSE(IconDirectoryFits(file.substr(0, 6 + 16), file.size()));
}
