#include "registry.h"

#include "program.h"
#include "unique_handle.h"

namespace zelvo {

namespace {

// Access for deleting a value: the six specific key rights, without the standard rights that
// KEY_ALL_ACCESS adds.
constexpr REGSAM kDeleteValueAccess = 0x3F;

// The error of a key path that names no root: malformed, or an unknown root name.
constexpr long kNoRootError = ERROR_BAD_PATHNAME;

} // namespace

SplitPath SplitKeyPath(const std::string& fullPath) {
    SplitPath split = ParseKeyPath(fullPath);
    if (split.malformed)
        MessageBoxA(GetActiveWindow(), IncorrectFormatMessage(fullPath).c_str(), kProgramTitle,
                    MB_OK);
    return split;
}

long CreateRegKey(const std::string& fullPath) {
    const SplitPath split = SplitKeyPath(fullPath);
    if (split.root == 0)
        return kNoRootError;
    UniqueHkey key;
    return RegCreateKeyA(ToHkey(split.root), split.subkey.c_str(), key.put());
}

long SetRegString(const std::string& fullPath, const std::string& valueName,
                  const std::string& text) {
    const SplitPath split = SplitKeyPath(fullPath);
    if (split.root == 0)
        return kNoRootError;
    UniqueHkey key;
    if (const LONG opened =
            RegOpenKeyExA(ToHkey(split.root), split.subkey.c_str(), 0, KEY_WRITE, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    // The data is the text with its terminating NUL, and the size counts that NUL.
    return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

bool DeleteRegValue(RootKey root, const std::string& subkey, const std::string& valueName,
                    RegistryView view) {
    const REGSAM access =
        kDeleteValueAccess | (view == RegistryView::Wow64Of32Bit ? KEY_WOW64_32KEY : 0);
    UniqueHkey key;
    if (RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, access, key.put()) != ERROR_SUCCESS)
        return false;
    return RegDeleteValueA(key.get(), valueName.c_str()) == ERROR_SUCCESS;
}

} // namespace zelvo
