#include "icon_picker_dialog.h"

#include "dpi.h"
#include "dynamic_annotation.h"
#include "geometry.h"
#include "icon_file.h"
#include "icon_location.h"
#include "resource.h"
#include "system_function.h"
#include "unique_handle.h"
#include "window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

namespace {

constexpr char kFileFilter[] = "Icon files (*.ico;*.icl;*.dll;*.exe)\0*.ico;*.icl;*.dll;*.exe\0"
                               "All files (*.*)\0*.*\0";
// The open dialog's path buffer, in characters.
constexpr std::size_t kOpenFileCapacity = MAX_PATH;

class ChangeIconDialog : public RoutedDialog<ChangeIconDialog> {
  public:
    ChangeIconDialog(std::string path, std::int32_t index)
        : initialPath_(std::move(path)), index_(index) {}

    // Shows the dialog, modal to owner; its EndDialog result (-1 when it could not open).
    INT_PTR Run(HWND owner) {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHANGE_ICON), owner,
                               Procedure, reinterpret_cast<LPARAM>(this));
    }

    // The file whose icons the list shows, and the chosen one; valid once confirmed.
    const std::string& path() const { return loadedPath_; }
    std::int32_t index() const { return index_; }

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnNotify(NMHDR* header);
    void OnBrowseFile();
    void OnOk();

    void CentreOnOwner();
    // Shows the icons of a file, the given one selected (the first when it has no such icon).
    void ShowFile(const std::string& path, int index);
    // Loads the file named in the path box when it is not the one shown; true when it did.
    bool ShowEditedFile();
    void UpdateOkButton();
    int SelectedIcon() const;
    std::string FileText() const { return WindowText(Control(IDC_PICK_FILE)); }
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    std::string initialPath_;
    std::string loadedPath_;
    std::int32_t index_;
    UniqueHimagelist images_;
    std::optional<DynamicAnnotator> names_;
};

INT_PTR ChangeIconDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE; // the focus is set
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<NMHDR*>(lParam));
        return FALSE;
    case WM_DESTROY:
        if (names_)
            names_->Clear();
        return FALSE;
    }
    return FALSE;
}

void ChangeIconDialog::OnInitDialog() {
    names_.emplace(hwnd_);
    NameControls(*names_, kChangeIconNames);
    CentreOnOwner();
    SetDlgItemTextA(hwnd_, IDC_PICK_FILE, initialPath_.c_str());
    ShowFile(initialPath_, index_);
    SetFocus(Control(IDC_PICK_ICONS));
}

void ChangeIconDialog::OnCommand(int id, int code) {
    switch (id) {
    case IDC_PICK_FILE:
        if (code == EN_KILLFOCUS)
            ShowEditedFile();
        else if (code == EN_CHANGE)
            UpdateOkButton();
        break;
    case IDC_PICK_BROWSE:
        OnBrowseFile();
        break;
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        EndDialog(hwnd_, kPickCancelled);
        break;
    }
}

void ChangeIconDialog::OnNotify(NMHDR* header) {
    if (header->idFrom != IDC_PICK_ICONS)
        return;
    if (header->code == LVN_ITEMCHANGED)
        UpdateOkButton();
    else if (header->code == LVN_ITEMACTIVATE)
        OnOk();
}

void ChangeIconDialog::OnBrowseFile() {
    const std::string current = FileText();
    std::vector<char> file(kOpenFileCapacity, '\0');
    if (current.size() < file.size())
        std::copy(current.begin(), current.end(), file.begin());
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = hwnd_;
    open.lpstrFilter = kFileFilter;
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    // Bound when first needed: loading comdlg32 (and the printing DLLs it pulls in) at every
    // start of the program would delay its window.
    using OpenFileDialogFn = BOOL(WINAPI*)(OPENFILENAMEA*);
    const auto openFile = SystemFunction<OpenFileDialogFn>("comdlg32.dll", "GetOpenFileNameA");
    if (!openFile || !openFile(&open))
        return; // cancelled: the list stays
    const std::string chosen(file.data(), strnlen(file.data(), file.size()));
    SetDlgItemTextA(hwnd_, IDC_PICK_FILE, chosen.c_str());
    ShowFile(chosen, 0);
}

// Enter in the path box reaches OK as well: a path not yet shown is loaded, not confirmed.
void ChangeIconDialog::OnOk() {
    if (ShowEditedFile())
        return;
    const int selected = SelectedIcon();
    if (selected < 0)
        return;
    index_ = selected;
    EndDialog(hwnd_, kPickConfirmed);
}

void ChangeIconDialog::CentreOnOwner() {
    RECT dialog;
    GetWindowRect(hwnd_, &dialog);
    const SIZE size = {dialog.right - dialog.left, dialog.bottom - dialog.top};
    const RECT work = WorkArea();
    RECT owner;
    const HWND ownerWindow = GetWindow(hwnd_, GW_OWNER);
    POINT at = CentredOn(ownerWindow && GetWindowRect(ownerWindow, &owner) ? owner : work, size);
    // Kept whole on the work area.
    at.x = std::max(work.left, std::min(at.x, work.right - size.cx));
    at.y = std::max(work.top, std::min(at.y, work.bottom - size.cy));
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChangeIconDialog::ShowFile(const std::string& path, int index) {
    loadedPath_ = path;
    const HWND list = Control(IDC_PICK_ICONS);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    // At the size the preview shows an icon: the large icon's at this window's resolution.
    const UINT dpi = WindowDpi(hwnd_);
    UniqueHimagelist images(ImageList_Create(SystemMetricForDpi(SM_CXICON, dpi),
                                             SystemMetricForDpi(SM_CYICON, dpi),
                                             ILC_COLOR32 | ILC_MASK, 0, 8));
    const UINT available =
        IconDirectoryIsSound(path) ? ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0) : 0;
    int count = 0;
    for (UINT i = 0; i < available && images; ++i) {
        UniqueHicon icon;
        if (ExtractIconExA(path.c_str(), static_cast<int>(i), icon.put(), nullptr, 1) == 0 ||
            !icon || ImageList_AddIcon(images.get(), icon.get()) < 0)
            break; // the list keeps its copy; the extracted icon goes here
        ++count;
    }
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images); // the former image list goes only once the view has let it go
    for (int i = 0; i < count; ++i) {
        // Labelled with its index, the number an icon location names it by; the selected
        // label is highlighted.
        std::string label = std::to_string(i);
        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_TEXT;
        item.iItem = i;
        item.iImage = i;
        item.pszText = label.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(Control(IDC_PICK_NOICONS), count == 0 ? SW_SHOWNA : SW_HIDE);
    if (count > 0) {
        const int selected = index >= 0 && index < count ? index : 0;
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
        SendMessageA(list, LVM_ENSUREVISIBLE, selected, FALSE);
    }
    UpdateOkButton();
}

bool ChangeIconDialog::ShowEditedFile() {
    const std::string edited = FileText();
    if (edited == loadedPath_)
        return false;
    ShowFile(edited, 0);
    return true;
}

// OK confirms a selected icon, or loads a path typed but not yet shown.
void ChangeIconDialog::UpdateOkButton() {
    EnableWindow(Control(IDOK), FileText() != loadedPath_ || SelectedIcon() >= 0);
}

int ChangeIconDialog::SelectedIcon() const {
    return static_cast<int>(SendMessageA(Control(IDC_PICK_ICONS), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace

int IconPickerDialog::Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool) {
    ChangeIconDialog dialog(StripTerminator(buffer.substr(0, std::min(capacity, buffer.size()))),
                            index);
    const INT_PTR result = dialog.Run(owner_);
    if (result != kPickConfirmed || !FitsPickerBuffer(dialog.path(), capacity))
        return kPickCancelled; // a path that does not fit is no choice: nothing changes
    WritePickerPath(buffer, capacity, dialog.path());
    index = dialog.index();
    return kPickConfirmed;
}

} // namespace zelvo
