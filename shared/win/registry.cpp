#include "registry.h"

#include "system_text.h"
#include "unique_handle.h"

#include <algorithm>

namespace zelvo {

namespace {

// Access for deleting a value: the six specific key rights, without the standard rights that
// KEY_ALL_ACCESS adds.
constexpr REGSAM kDeleteValueAccess = 0x3F;

} // namespace

long CreateRegKey(RootKey root, const std::string& subkey) {
    UniqueHkey key;
    return RegCreateKeyA(ToHkey(root), subkey.c_str(), key.put());
}

long SetRegString(RootKey root, const std::string& subkey, const std::string& valueName,
                  const std::string& text) {
    UniqueHkey key;
    if (const LONG opened = RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, KEY_WRITE, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    // The data is the text with its terminating NUL, and the size counts that NUL.
    return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

long ReadRegString(RootKey root, const std::string& subkey, const std::string& valueName,
                   std::string& text, bool alsoExpandable) {
    UniqueHkey key;
    if (const LONG opened =
            RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, KEY_QUERY_VALUE, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    char data[kMaxReadTextBytes];
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    if (const LONG read = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(data), &size);
        read != ERROR_SUCCESS)
        return read;
    if (type != REG_SZ && !(alsoExpandable && type == REG_EXPAND_SZ))
        return ERROR_UNSUPPORTED_TYPE;
    // Stored data need not end in a NUL; the text ends at the first one, or with the data.
    const std::size_t length = std::find(data, data + size, '\0') - data;
    text.assign(data, length);
    return ERROR_SUCCESS;
}

long ReadRegDword(RootKey root, const std::string& subkey, const std::string& valueName,
                  std::uint32_t& value) {
    UniqueHkey key;
    if (const LONG opened =
            RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, KEY_QUERY_VALUE, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    DWORD data = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    if (const LONG read = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(&data), &size);
        read != ERROR_SUCCESS)
        return read;
    if (type != REG_DWORD || size != sizeof data)
        return ERROR_UNSUPPORTED_TYPE;
    value = data;
    return ERROR_SUCCESS;
}

long CountRegKeyContents(RootKey root, const std::string& subkey, std::uint32_t& values,
                         std::uint32_t& subkeys) {
    UniqueHkey key;
    if (const LONG opened =
            RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, KEY_QUERY_VALUE, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    DWORD valueCount = 0, subkeyCount = 0;
    if (const LONG queried =
            RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr,
                             &valueCount, nullptr, nullptr, nullptr, nullptr);
        queried != ERROR_SUCCESS)
        return queried;
    values = valueCount;
    subkeys = subkeyCount;
    return ERROR_SUCCESS;
}

long DeleteRegKey(RootKey root, const std::string& subkey) {
    return RegDeleteKeyA(ToHkey(root), subkey.c_str());
}

long DeleteRegValue(RootKey root, const std::string& subkey, const std::string& valueName,
                    RegistryView view) {
    const REGSAM access =
        kDeleteValueAccess | (view == RegistryView::Wow64Of32Bit ? KEY_WOW64_32KEY : 0);
    UniqueHkey key;
    if (const LONG opened = RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, access, key.put());
        opened != ERROR_SUCCESS)
        return opened;
    return RegDeleteValueA(key.get(), valueName.c_str());
}

std::wstring ReadRegMultiString(RootKey root, const std::string& subkey,
                                const std::string& valueName) {
    UniqueHkey key;
    if (RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return {};
    const std::wstring name = WidenAnsi(valueName);
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    // The value may grow between the size query and the read: asked again until it fits.
    for (;;) {
        std::wstring data((size + 1) / sizeof(wchar_t), L'\0');
        DWORD type = REG_NONE;
        DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        const LONG read = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(data.data()), &bytes);
        if (read == ERROR_MORE_DATA) {
            size = bytes;
            continue;
        }
        if (read != ERROR_SUCCESS || type != REG_MULTI_SZ)
            return {};
        data.resize(bytes / sizeof(wchar_t));
        return data;
    }
}

} // namespace zelvo
