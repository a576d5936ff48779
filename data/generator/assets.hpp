// Every file the product ships from the generator, by file name.
#pragma once

#include "formats.hpp"

#include <string>
#include <vector>

namespace zelvo {

struct Asset {
    std::string name;
    Bytes bytes;
};

std::vector<Asset> allAssets();

} // namespace zelvo
