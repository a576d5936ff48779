#include "assets.hpp"

#include "drawings.hpp"

#include <cstdio>

namespace zelvo {

namespace {

template <typename Draw> Bytes icon(std::initializer_list<int> sizes, Draw draw) {
    std::vector<Canvas> images;
    for (int size : sizes) {
        images.push_back(draw(size));
    }
    return writeIco(images);
}

std::string numbered(const char* stem, int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%02d.ico", stem, n);
    return name;
}

} // namespace

std::vector<Asset> allAssets() {
    std::vector<Asset> assets;
    for (int i = 0; i < kDriveIconCount; ++i) {
        assets.push_back(
            {numbered("drive", i), icon({16, 32, 48}, [i](int s) { return driveIcon(i, s); })});
    }
    for (int n = 0; n < kUsageLevels; ++n) {
        assets.push_back(
            {numbered("usage", n), icon({16, 32, 48}, [n](int s) { return usageIcon(n, s); })});
    }
    assets.push_back({"changer.ico", icon({48, 32, 24, 16}, changerIcon)});
    assets.push_back({"updater.ico", icon({32, 48}, updaterIcon)});
    assets.push_back({"remover.ico", icon({16, 32, 48}, removerIcon)});
    assets.push_back({"help.ico", icon({24, 16, 32, 36, 48}, helpIcon)});
    // The main window's pictures for 100, 150 and 200 % (96, 144 and 192 dpi).
    const std::pair<const char*, int> scales[] = {{"", 100}, {"_150", 150}, {"_200", 200}};
    for (const auto& [suffix, percent] : scales) {
        const std::string s = suffix;
        assets.push_back({"product" + s + ".bmp", writeBmp(productPicture(48 * percent / 100))});
        assets.push_back({"banner" + s + ".bmp", writeBmp(bannerPicture(percent))});
        assets.push_back(
            {"placeholder" + s + ".bmp", writeBmp(placeholderPicture(48 * percent / 100))});
    }
    assets.push_back({"hand.cur", writeCur(handCursor())});
    return assets;
}

} // namespace zelvo
