// The key-tree deletion in a file of its own: a program that never deletes a tree does not
// load shlwapi.
#include "registry.h"

#include <shlwapi.h>

namespace zelvo {

long DeleteRegTree(RootKey root, const std::string& subkey) {
    return SHDeleteKeyA(ToHkey(root), subkey.c_str());
}

} // namespace zelvo
