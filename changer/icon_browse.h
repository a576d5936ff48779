// Choosing an icon with cmdBrowse: the picker's buffer, the picker seam and the order of steps.
// Pure, so that the steps are tested with stand-in pickers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zelvo {

// The platform identifier of the NT family (VER_PLATFORM_WIN32_NT), whose picker is wide.
inline constexpr unsigned long kPlatformNt = 2;
// Blanks after the path's terminator: room for the picker to write a longer path.
inline constexpr std::size_t kPickerSpareBlanks = 256;

// The results of a picker. Any other result means the shell has no working picker.
inline constexpr int kPickCancelled = 0;
inline constexpr int kPickConfirmed = 1;
inline constexpr int kNoPicker = -1;

// A picker with the contract of the shell's PickIconDlg: shows the icons of the file named by the
// buffer's text up to its first NUL with icon `index` selected; when the user confirms, writes the
// chosen path (NUL-terminated, within `capacity` characters) and index, and returns 1; 0 when
// cancelled. `wide` asks for the wide-character picker of the NT family.
class IconPicker {
  public:
    virtual ~IconPicker() = default;
    virtual int Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool wide) = 0;
};

// The buffer handed to a picker: the path, one NUL, then the spare blanks. Its capacity in
// characters is its whole length.
std::string PickerBuffer(const std::string& path);

// Writes a chosen path into a picker buffer as a picker must: cut to fit within capacity
// together with its terminating NUL; nothing is written when capacity is 0.
void WritePickerPath(std::string& buffer, std::size_t capacity, const std::string& path);

// True when the path and its terminating NUL fit within a picker buffer's capacity.
bool FitsPickerBuffer(const std::string& path, std::size_t capacity);

// The path a picker chose: the buffer's text up to its first NUL within capacity; nothing when
// the picker wrote no NUL there, as a path too long for the buffer leaves it.
std::optional<std::string> PickedPath(const std::string& buffer, std::size_t capacity);

// The steps of cmdBrowse: the shell's picker (wide on NT) opens on icon 0 of the default drive-icon
// library in the system folder; when it turns out not to work, `own` takes the same buffer and
// index. The chosen icon location, or nothing when the user cancelled or the chosen path did
// not fit the buffer.
std::optional<std::string> BrowseForIconLocation(IconPicker& shell, IconPicker& own,
                                                 const std::string& systemFolder,
                                                 unsigned long platformId);

} // namespace zelvo
