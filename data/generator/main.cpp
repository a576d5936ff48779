// zelvo-assetgen OUTDIR: draws the product's icons, bitmaps and cursor and writes them to OUTDIR.
#include "assets.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zelvo-assetgen OUTDIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "zelvo-assetgen: cannot create " << dir << ": " << error.message() << '\n';
        return 1;
    }
    for (const zelvo::Asset& asset : zelvo::allAssets()) {
        const std::filesystem::path path = dir / asset.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(asset.bytes.data()),
                  static_cast<std::streamsize>(asset.bytes.size()));
        if (!out.flush()) {
            std::cerr << "zelvo-assetgen: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
