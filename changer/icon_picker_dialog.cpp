#include "icon_picker_dialog.h"

#include "driveroots.h"
#include "geometry.h"
#include "resource.h"
#include "window.h"
#include "unique_handle.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace zelvo {

namespace {

constexpr char kDialogTitle[] = "Change Icon";
constexpr char kDialogFont[] = "MS Shell Dlg";
constexpr WORD kDialogFontPoints = 8;
constexpr short kDialogWidth = 250; // dialog units
constexpr short kDialogHeight = 172;
constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr char kFileFilter[] = "Icon files (*.ico;*.icl;*.dll;*.exe)\0*.ico;*.icl;*.dll;*.exe\0"
                               "All files (*.*)\0*.*\0";
// The open dialog's path buffer, in characters.
constexpr std::size_t kOpenFileCapacity = MAX_PATH;

struct DialogUnits {
    short left, top, width, height;
};

struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    DialogUnits place;
};

// Creation order is tab order; each label comes just before the control its mnemonic reaches.
constexpr ControlSpec kControls[] = {
    {IDC_PICK_FILELABEL,
     "STATIC",
     "&Look for icons in this file:",
     WS_VISIBLE | SS_LEFT,
     0,
     {7, 7, 236, 8}},
    {IDC_PICK_FILE,
     "EDIT",
     "",
     WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     {7, 18, 182, 13}},
    {IDC_PICK_BROWSE,
     "BUTTON",
     "&Browse...",
     WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
     0,
     {193, 17, 50, 14}},
    {IDC_PICK_LISTLABEL,
     "STATIC",
     "&Select an icon from the list below:",
     WS_VISIBLE | SS_LEFT,
     0,
     {7, 38, 236, 8}},
    {IDC_PICK_ICONS,
     WC_LISTVIEWA,
     "",
     WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE |
         LVS_SHAREIMAGELISTS,
     WS_EX_CLIENTEDGE,
     {7, 49, 236, 96}},
    {IDC_PICK_NOICONS, "STATIC", "This file contains no icons.", SS_LEFT, 0, {7, 154, 128, 8}},
    {IDOK, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {139, 151, 50, 14}},
    {IDCANCEL, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, {193, 151, 50, 14}},
};

// A dialog template in memory, without controls: they are created from the table above.
std::vector<WORD> DialogTemplate() {
    DLGTEMPLATE header = {};
    header.style = kDialogStyle;
    header.cx = kDialogWidth;
    header.cy = kDialogHeight;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    const auto append = [&words](const char* text) {
        for (; *text; ++text)
            words.push_back(static_cast<unsigned char>(*text));
        words.push_back(0);
    };
    words.push_back(0); // no menu
    words.push_back(0); // the predefined dialog class
    append(kDialogTitle);
    words.push_back(kDialogFontPoints);
    append(kDialogFont);
    return words;
}

class ChangeIconDialog {
  public:
    ChangeIconDialog(std::string path, std::int32_t index)
        : initialPath_(std::move(path)), index_(index) {}

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // The file whose icons the list shows, and the chosen one; valid once confirmed.
    const std::string& path() const { return loadedPath_; }
    std::int32_t index() const { return index_; }

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnNotify(const NMHDR& header);
    void OnBrowseFile();
    void OnOk();

    void CreateControls();
    void CentreOnOwner();
    // Shows the icons of a file, the given one selected (the first when it has no such icon).
    void ShowFile(const std::string& path, int index);
    // Loads the file named in the path box when it is not the one shown; true when it did.
    bool ShowEditedFile();
    void UpdateOkButton();
    int SelectedIcon() const;
    std::string FileText() const;
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    HWND hwnd_ = nullptr;
    std::string initialPath_;
    std::string loadedPath_;
    std::int32_t index_;
    UniqueHimagelist images_;
};

INT_PTR CALLBACK ChangeIconDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        reinterpret_cast<ChangeIconDialog*>(lParam)->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<ChangeIconDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->HandleMessage(msg, wParam, lParam) : FALSE;
}

INT_PTR ChangeIconDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE; // the focus is set
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    }
    return FALSE;
}

void ChangeIconDialog::OnInitDialog() {
    CreateControls();
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

void ChangeIconDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_PICK_ICONS)
        return;
    if (header.code == LVN_ITEMCHANGED)
        UpdateOkButton();
    else if (header.code == LVN_ITEMACTIVATE)
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
    if (!GetOpenFileNameA(&open))
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

void ChangeIconDialog::CreateControls() {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    for (const ControlSpec& row : kControls) {
        RECT r = {row.place.left, row.place.top, row.place.left + row.place.width,
                  row.place.top + row.place.height};
        MapDialogRect(hwnd_, &r);
        CreateChildControl(hwnd_, row.id, row.className, row.text, row.style, row.exStyle, r, font);
    }
}

void ChangeIconDialog::CentreOnOwner() {
    RECT dialog;
    GetWindowRect(hwnd_, &dialog);
    const SIZE size = {dialog.right - dialog.left, dialog.bottom - dialog.top};
    POINT at = CentredOnScreen(size);
    RECT owner;
    if (const HWND ownerWindow = GetWindow(hwnd_, GW_OWNER);
        ownerWindow && GetWindowRect(ownerWindow, &owner))
        at = {owner.left + (owner.right - owner.left - size.cx) / 2,
              owner.top + (owner.bottom - owner.top - size.cy) / 2};
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        at.x = std::max(work.left, std::min(at.x, work.right - size.cx));
        at.y = std::max(work.top, std::min(at.y, work.bottom - size.cy));
    }
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChangeIconDialog::ShowFile(const std::string& path, int index) {
    loadedPath_ = path;
    const HWND list = Control(IDC_PICK_ICONS);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    UniqueHimagelist images(ImageList_Create(
        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ILC_COLOR32 | ILC_MASK, 0, 8));
    const UINT available = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
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

std::string ChangeIconDialog::FileText() const {
    const HWND edit = Control(IDC_PICK_FILE);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

int IconPickerDialog::Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool) {
    ChangeIconDialog dialog(StripTerminator(buffer.substr(0, std::min(capacity, buffer.size()))),
                            index);
    const std::vector<WORD> layout = DialogTemplate();
    const INT_PTR result = DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()), owner_,
        ChangeIconDialog::DialogProc, reinterpret_cast<LPARAM>(&dialog));
    if (result != kPickConfirmed)
        return kPickCancelled;
    WritePickerPath(buffer, capacity, dialog.path());
    index = dialog.index();
    return kPickConfirmed;
}

} // namespace zelvo
