#include "autorun_inf.h"

#include "ascii_case.h"

#include <vector>

namespace zelvo {

namespace {

constexpr char kWhitespace[] = " \t";

std::string_view Trim(std::string_view text) {
    const std::string_view::size_type first = text.find_first_not_of(kWhitespace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kWhitespace) - first + 1);
}

// The file as single-byte text: ANSI as it is; UTF-16 code units above ASCII as '?'.
std::string AsSingleBytes(std::string_view file) {
    const bool little = file.substr(0, 2) == "\xFF\xFE";
    const bool big = file.substr(0, 2) == "\xFE\xFF";
    if (!little && !big)
        return std::string(file);
    std::string text;
    text.reserve(file.size() / 2);
    for (std::size_t at = 2; at + 1 < file.size(); at += 2) {
        const auto first = static_cast<unsigned char>(file[at]);
        const auto second = static_cast<unsigned char>(file[at + 1]);
        const unsigned unit = little ? first | second << 8 : second | first << 8;
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

std::string_view WithoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

// Per section name, the text of the key's first entry in it.
struct Lookup {
    std::string_view key;
    std::vector<std::string_view> sections;
    std::vector<std::optional<std::string_view>> found;
};

void Scan(std::string_view text, Lookup& lookup) {
    int section = -1; // index into lookup.sections; -1: another section, or none yet
    while (!text.empty()) {
        const std::string_view::size_type end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::string_view::size_type close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            section = -1;
            for (std::size_t i = 0; i < lookup.sections.size(); ++i) {
                if (SameIgnoringAsciiCase<char>(name, lookup.sections[i]))
                    section = static_cast<int>(i);
            }
            continue;
        }
        const std::string_view::size_type equals = line.find('=');
        if (section < 0 || equals == std::string_view::npos || lookup.found[section] ||
            !SameIgnoringAsciiCase<char>(Trim(line.substr(0, equals)), lookup.key))
            continue;
        lookup.found[section] = WithoutQuotes(Trim(line.substr(equals + 1)));
    }
}

} // namespace

std::optional<std::string> FindAutorunIcon(std::string_view file, std::string_view architecture) {
    const std::string text = AsSingleBytes(file.substr(0, kAutorunInfMaxBytes));
    const std::string ownSection = "autorun." + std::string(architecture);
    Lookup lookup{"icon", {ownSection, "autorun"}, {std::nullopt, std::nullopt}};
    Scan(text, lookup);
    for (const std::optional<std::string_view>& entry : lookup.found) {
        if (entry && !entry->empty())
            return std::string(*entry);
    }
    return std::nullopt;
}

} // namespace zelvo
