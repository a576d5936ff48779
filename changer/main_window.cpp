#include "main_window.h"

#include "accessible_names.h"
#include "dpi.h"
#include "drive_icons.h"
#include "drives.h"
#include "geometry.h"
#include "icon_browse.h"
#include "icon_check.h"
#include "icon_picker_dialog.h"
#include "layout.h"
#include "pictures.h"
#include "program.h"
#include "resource.h"
#include "shell_icon_picker.h"
#include "start_up.h"
#include "system_text.h"
#include "texts.h"
#include "wide_path.h"
#include "win_system_ops.h"
#include "window.h"

#include <commctrl.h>

#include <optional>

namespace zelvo {

namespace {

constexpr char kTitle[] = "Zelvo Drives";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidthTwips = 4905;
constexpr int kClientHeightTwips = 3075;

constexpr char kPrompt[] = "Select a Drive and Browse for a new icon";
// Shown while Apply or Restore Defaults waits for an updater in its pass.
constexpr char kWaitingText[] = "Waiting for the usage-bar updater to finish...";
// EVENT_OBJECT_LIVEREGIONCHANGED (Windows 8 on), which tells screen readers that a live region
// changed; the headers for the Windows this program starts on lack it.
constexpr DWORD kLiveRegionChangedEvent = 0x8019;
constexpr char kRestoreTip[] = "Restore all default drive icons";
constexpr char kBrowseTipPrefix[] = "Select a new icon for Drive ";
constexpr char kApplyTipPrefix[] = "Apply new icon for Drive ";

// The etched separator under the white band: a grey line over a white one, in the system colours
// of an etched edge, so that they follow the user's colours.
struct SeparatorLine {
    int yTwips;
    int systemColour;
};
constexpr SeparatorLine kSeparator[] = {{870, COLOR_3DSHADOW}, {885, COLOR_3DHILIGHT}};
constexpr int kSeparatorEndTwips = 5280;
constexpr int kSeparatorThicknessTwips = 15; // one pixel at 100 %

// The pictures, at their places in twips.
constexpr TwipRect kImage1Twips = {240, 40, 720, 720};
constexpr TwipRect kImage3Twips = {1080, 75, 3000, 750};
constexpr TwipRect kImage2Twips = {4327, 1080, 360, 360};
constexpr PictureResources kProductPicture = {IDB_PRODUCT, IDB_PRODUCT_150, IDB_PRODUCT_200};
constexpr PictureResources kBannerPicture = {IDB_BANNER, IDB_BANNER_150, IDB_BANNER_200};

// What a control is to the window's handlers, which act on roles, not on ids: a new control is
// one row of kControls, as a dialog script's line holds everything about a control.
enum class ControlRole {
    Plain,
    PreviewBox,    // Picture2, a window of its own (PreviewBox), which lays itself out
    DropDown,      // a drop-down list, whose list opens below its field
    FittedCaption, // a one-line caption, widened about its centre when its text needs more room
    OnBand,        // on the white band, in the window colour
    HiddenUntilWaiting, // a fitted caption shown only while the window waits for an updater
};

struct ControlSpec {
    int id;
    ControlRole role;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    TwipRect twips;
};

// Creation order is tab order: txtDummy first, so that it holds the focus when the window
// opens; the white band last, beneath the pictures that stand on it.
// clang-format off
constexpr ControlSpec kControls[] = {
    {IDC_TXTDUMMY,    ControlRole::Plain,         "EDIT",     "",                  WS_TABSTOP | ES_AUTOHSCROLL,                0,                {240, 3300, 300, 285}},
    {IDC_CBODRIVES,   ControlRole::DropDown,      "COMBOBOX", "",                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,                {240, 2040, 855, 315}},
    {IDC_CMDCHANGE,   ControlRole::Plain,         "BUTTON",   "&Apply Icon",       WS_TABSTOP | BS_PUSHBUTTON,                 0,                {1725, 2640, 1455, 350}},
    {IDC_CMDRESTORE,  ControlRole::Plain,         "BUTTON",   "&Restore Defaults", WS_TABSTOP | BS_PUSHBUTTON,                 0,                {105, 2640, 1455, 350}},
    {IDC_CMDCLOSE,    ControlRole::Plain,         "BUTTON",   "&Close",            WS_TABSTOP | BS_PUSHBUTTON,                 0,                {3345, 2640, 1455, 350}},
    {IDC_TXTICONPATH, ControlRole::Plain,         "EDIT",     "",                  WS_TABSTOP | ES_AUTOHSCROLL,                WS_EX_CLIENTEDGE, {240, 1560, 3960, 285}},
    {IDC_PICTURE2,    ControlRole::PreviewBox,    nullptr,    nullptr,             0,                                          0,                {4080, 120, 720, 720}},
    {IDC_CMDBROWSE,   ControlRole::Plain,         "BUTTON",   "....",              WS_TABSTOP | BS_PUSHBUTTON,                 0,                {4320, 1560, 375, 285}},
    {IDC_IMAGE1,      ControlRole::OnBand,        "STATIC",   "",                  SS_BITMAP,                                  0,                kImage1Twips},
    {IDC_IMAGE3,      ControlRole::OnBand,        "STATIC",   "",                  SS_BITMAP,                                  0,                kImage3Twips},
    {IDC_IMAGE2,      ControlRole::Plain,         "STATIC",   "",                  SS_ICON | SS_NOTIFY | SS_CENTERIMAGE,       0,                kImage2Twips},
    {IDC_LABEL1,      ControlRole::FittedCaption, "STATIC",   kPrompt,             SS_CENTER,                                  0,                {600, 1200, 3195, 195}},
    {IDC_LABEL2,      ControlRole::OnBand,        "STATIC",   "",                  SS_LEFT,                                    0,                {0, 0, 5775, 865}},
    {IDC_WAITING,     ControlRole::HiddenUntilWaiting, "STATIC", kWaitingText,     SS_LEFT | SS_NOPREFIX,                      0,                {1320, 2100, 3615, 195}},
};
// clang-format on

// The row of a control; null for a window that is none of the table's.
const ControlSpec* RowOf(int id) {
    for (const ControlSpec& row : kControls) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

// Posted by the window to itself at the end of its start-up, for what need not come before the
// window shows: its tool tips, and the logon task, so that the start never waits for the Task
// Scheduler.
constexpr UINT kShownMessage = WM_APP + 1;

// The drop-down's list opens below its field; room for every drive letter.
constexpr int kDropDownListTwips = 3000;

// Widens a one-line caption that its designed width cannot hold in the window's font about its
// centre, so that no part of it is cut.
RECT FitCaption(HWND window, HFONT font, const char* caption, RECT place) {
    const WindowDc dc(window);
    const SelectedObject selected(dc.get(), font);
    SIZE extent = {};
    if (!GetTextExtentPoint32A(dc.get(), caption, lstrlenA(caption), &extent))
        return place;
    const LONG missing = extent.cx - (place.right - place.left);
    if (missing > 0) {
        place.left -= (missing + 1) / 2;
        place.right += missing - (missing + 1) / 2;
    }
    return place;
}

// A control's place in pixels at dpi, as its role has it.
RECT PlaceOf(const ControlSpec& row, UINT dpi, HWND window, HFONT font) {
    RECT r = ToPixels(row.twips, dpi);
    switch (row.role) {
    case ControlRole::DropDown:
        r.bottom += TwipsToPixels(kDropDownListTwips, dpi);
        break;
    case ControlRole::FittedCaption:
    case ControlRole::HiddenUntilWaiting:
        r = FitCaption(window, font, row.text, r);
        break;
    case ControlRole::Plain:
    case ControlRole::PreviewBox:
    case ControlRole::OnBand:
        break;
    }
    return r;
}

// Shows a bitmap in a static picture control. Common controls 6 keep a copy of a bitmap with
// alpha and hand that copy back when the next one comes: a bitmap handed back that is not the
// one given before is that copy, and is deleted here.
void ShowBitmap(HWND control, HBITMAP bitmap, HBITMAP given) {
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != given)
        DeleteObject(previous);
}

} // namespace

MainWindow::MainWindow() : ops_(nullptr, kChangerTitle), chkProg(ops_, lstDrives2) {}

bool MainWindow::Register(HINSTANCE instance) {
    return RegisterWindowClass(instance, kChangerWindowClass, Procedure, IDI_APP) &&
           PreviewBox::Register(instance);
}

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    // Made at its size and place, centred on the primary screen, at that screen's resolution;
    // placed again only where the monitor's own resolution turns out to be another.
    const UINT dpi = ScreenDpi();
    const auto place = [](UINT at) {
        const SIZE size =
            WindowSizeForClient(kClientWidthTwips, kClientHeightTwips, kWindowStyle, 0, at);
        return std::pair{CentredOnScreen(size), size};
    };
    const auto [at, size] = place(dpi);
    if (!CreateWindowExA(0, kChangerWindowClass, kTitle, kWindowStyle, at.x, at.y, size.cx, size.cy,
                         nullptr, nullptr, instance, this))
        return false;
    if (dpi_ != dpi) {
        const auto [again, resized] = place(dpi_);
        SetWindowPos(hwnd_, nullptr, again.x, again.y, resized.cx, resized.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void MainWindow::Show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetFocus(Control(IDC_TXTDUMMY));
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_HELP: // F1, as a click on the help picture
        OnHelp();
        return TRUE;
    case WM_SYSCOLORCHANGE:
        OnColoursChanged();
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST)
            OnColoursChanged();
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case kGetDpiScaledSizeMessage:
        // The size at the new resolution, so that the place Windows suggests fits it exactly.
        if (!lParam)
            break;
        *reinterpret_cast<SIZE*>(lParam) = WindowSizeForClient(
            kClientWidthTwips, kClientHeightTwips, kWindowStyle, 0, static_cast<UINT>(wParam));
        return TRUE;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kShownMessage:
        OnShown();
        return 0;
    case WM_DESTROY:
        if (names_)
            names_->Clear();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void MainWindow::OnCreate() {
    ops_.SetOwner(hwnd_);
    handCursor_ = LoadCursorA(instance_, MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    CreateControls(WindowDpi(hwnd_));
    names_.emplace(hwnd_);
    NameControls(*names_, kMainWindowNames);
    names_->MarkLive(IDC_WAITING); // a screen reader says the line when it shows
    ops_.SetWaitNotice([this](bool waiting) { OnWaiting(waiting); });
}

// The controls in tab order, each made at its place for dpi in the font for dpi, with its
// picture: nothing needs placing again before the window shows.
void MainWindow::CreateControls(UINT dpi) {
    dpi_ = dpi;
    font_ = MessageFontForDpi(dpi);
    for (const ControlSpec& row : kControls) {
        const RECT r = PlaceOf(row, dpi, hwnd_, font_.get());
        if (row.role == ControlRole::PreviewBox)
            picture2_.Create(hwnd_, row.id, r, dpi, font_.get());
        else
            CreateChildControl(hwnd_, row.id, row.className, row.text,
                               (row.role == ControlRole::HiddenUntilWaiting ? 0 : WS_VISIBLE) |
                                   WS_CLIPSIBLINGS | row.style,
                               row.exStyle, r, font_.get());
    }
    LoadPictures();
}

void MainWindow::LayOut(UINT dpi) {
    dpi_ = dpi;
    // The former font and pictures go only once no control shows them any more.
    UniqueHfont font = MessageFontForDpi(dpi);
    for (const ControlSpec& row : kControls)
        SendDlgItemMessageA(hwnd_, row.id, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    LoadPictures();
    for (const ControlSpec& row : kControls) {
        const RECT r = PlaceOf(row, dpi, hwnd_, font_.get());
        if (row.role == ControlRole::PreviewBox)
            picture2_.LayOut(r, dpi, font_.get());
        else
            SetWindowPos(Control(row.id), nullptr, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The pictures at the sizes their twips give, each set before its control is placed: a static
// control takes the size of a new bitmap.
void MainWindow::LoadPictures() {
    const auto size = [this](const TwipRect& twips) {
        return SIZE{TwipsToPixels(twips.width, dpi_), TwipsToPixels(twips.height, dpi_)};
    };
    UniqueHbitmap product = LoadBandPicture(instance_, kProductPicture, dpi_, size(kImage1Twips));
    UniqueHbitmap banner = LoadBandPicture(instance_, kBannerPicture, dpi_, size(kImage3Twips));
    UniqueHicon help = LoadIconAtSize(instance_, IDI_HELP, size(kImage2Twips).cx);
    ShowBitmap(Control(IDC_IMAGE1), product.get(), productPicture_.get());
    ShowBitmap(Control(IDC_IMAGE3), banner.get(), bannerPicture_.get());
    SendDlgItemMessageA(hwnd_, IDC_IMAGE2, STM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(help.get()));
    productPicture_ = std::move(product);
    bannerPicture_ = std::move(banner);
    helpIcon_ = std::move(help);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT* suggested) {
    if (suggested)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
}

void MainWindow::OnColoursChanged() {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    LoadPictures();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::CreateToolTips() {
    const HWND tips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
    const struct {
        int id;
        const char* text; // null: asked for when shown, so it names the drive now selected
    } kTools[] = {
        {IDC_CMDRESTORE, kRestoreTip}, {IDC_CMDCHANGE, nullptr}, {IDC_CMDBROWSE, nullptr}};
    for (const auto& tool : kTools) {
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(Control(tool.id));
        info.lpszText = tool.text ? const_cast<char*>(tool.text) : LPSTR_TEXTCALLBACKA;
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

bool MainWindow::Load() {
    // Everything is installed from the program's own folder: without it, nothing is.
    if (ops_.AppFolder().empty()) {
        MessageBoxA(hwnd_, kNoAppFolderText, kChangerTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    chkProg.Click(); // created checked: the switch-on
    FillDriveLetters();
    SendDlgItemMessageA(hwnd_, IDC_CBODRIVES, CB_SETCURSEL, 0, 0);
    OnDriveChosen();
    lstDrives2 = FixedDriveRoots();
    chkProg.assign(UsageOption::kOn); // already checked: runs nothing
    if (const long error = InstallDefaultLibrary(ops_)) {
        const std::string message = std::string(kDefaultLibraryFailedText) + "\n\n" +
                                    ops_.SystemFolder() + kDefaultLibraryFile + "\n\n" +
                                    SystemErrorText(error);
        MessageBoxA(hwnd_, message.c_str(), kChangerTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    StartInstalledUpdater(ops_);
    PostMessageA(hwnd_, kShownMessage, 0, 0);
    return true;
}

// Once the window shows: its tool tips, and the switch-on's task, late: not after a Restore that
// came first, which deleted it.
void MainWindow::OnShown() {
    CreateToolTips();
    if (chkProg.isOn())
        RegisterUpdaterTask(ops_);
}

// cboDrives and lstDrives get the letters of one reading, so that they always hold the same
// entries, also when a drive comes or goes meanwhile.
void MainWindow::FillDriveLetters() {
    lstDrives = {ExistingDriveLetters(), -1};
    SendDlgItemMessageA(hwnd_, IDC_CBODRIVES, CB_RESETCONTENT, 0, 0);
    for (const std::string& letter : lstDrives.items)
        SendDlgItemMessageA(hwnd_, IDC_CBODRIVES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(letter.c_str()));
}

void MainWindow::OnCommand(int id, int code) {
    // While Apply or Restore is at work (waiting for an updater with the window answering), the
    // buttons that start one are greyed out; their clicks are ignored until it is done.
    if (busy_ && (id == IDC_CMDCHANGE || id == IDC_CMDBROWSE || id == IDC_CMDRESTORE))
        return;
    switch (id) {
    case IDC_CBODRIVES:
        if (code == CBN_SELCHANGE)
            OnDriveChosen();
        break;
    case IDC_CMDBROWSE:
        OnBrowse();
        break;
    case IDC_CMDCHANGE:
        RunAction([this] { OnApply(); });
        break;
    case IDC_CMDRESTORE:
        RunAction([this] { OnRestore(); });
        break;
    case IDC_CMDCLOSE:
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        break;
    case IDC_IMAGE2:
        if (code == STN_CLICKED)
            OnHelp();
        break;
    }
}

void MainWindow::OnDriveChosen() {
    lstDrives.selected =
        static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_CBODRIVES, CB_GETCURSEL, 0, 0));
}

std::string MainWindow::ChosenDriveLetter() const {
    if (lstDrives.selected < 0 || lstDrives.selected >= static_cast<int>(lstDrives.items.size()))
        return {};
    return lstDrives.items[lstDrives.selected];
}

void MainWindow::OnBrowse() {
    ShellIconPicker shell(hwnd_);
    IconPickerDialog own(hwnd_);
    const std::optional<std::string> location =
        BrowseForIconLocation(shell, own, ops_.SystemFolder(), WindowsPlatformId());
    if (!location)
        return; // cancelled: nothing changes
    SetDlgItemTextA(hwnd_, IDC_TXTICONPATH, location->c_str());
    picture2_.ShowIconPreview(WindowText(Control(IDC_TXTICONPATH)));
}

void MainWindow::OnApply() {
    const std::string location = WindowText(Control(IDC_TXTICONPATH));
    if (location.empty()) {
        MessageBoxA(hwnd_, kNothingSelectedText, kNothingSelectedTitle, MB_OK | MB_ICONINFORMATION);
        focusOnDeactivate_ = Control(IDC_CMDBROWSE);
        SetFocus(focusOnDeactivate_);
        return;
    }
    const std::string letter = ChosenDriveLetter();
    if (letter.empty())
        return; // no drive to apply to
    const ApplyOutcome outcome = ApplyDriveIcon(ops_, letter[0], location, chkProg, lstDrives2);
    if (outcome.error) {
        MessageBoxA(hwnd_, ApplyFailedMessage(letter[0], SystemErrorText(outcome.error)).c_str(),
                    kChangerTitle, MB_OK | MB_ICONERROR);
        return;
    }
    ShowFindings(outcome.snapshot);
}

// Says why the applied icon may not show, when something stands in the way; offers to remove
// another program's leftover when that is safe, No by default.
void MainWindow::ShowFindings(const IconSnapshot& snapshot) {
    const std::vector<Finding> findings = DecideFindings(snapshot);
    if (findings.empty())
        return;
    const std::optional<OtherProgramIcon> offer = LeftOverIcon(snapshot);
    const std::string message = FindingsMessage(snapshot, findings, offer);
    if (!offer) {
        MessageBoxA(hwnd_, message.c_str(), kChangerTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (MessageBoxA(hwnd_, message.c_str(), kChangerTitle,
                    MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION) != IDYES)
        return;
    long error = 0;
    switch (RemoveLeftOverIcon(ops_, *offer, error)) {
    case LeftOverRemoval::Removed:
        break;
    case LeftOverRemoval::Changed:
        MessageBoxA(hwnd_, ForDrive(kLeftOverChangedText, snapshot.letter).c_str(), kChangerTitle,
                    MB_OK | MB_ICONINFORMATION);
        break;
    case LeftOverRemoval::Failed:
        MessageBoxA(
            hwnd_,
            (ForDrive(kLeftOverNotRemovedText, snapshot.letter) + "\n\n" + SystemErrorText(error))
                .c_str(),
            kChangerTitle, MB_OK | MB_ICONERROR);
        break;
    }
}

void MainWindow::OnRestore() {
    RestoreDefaults(ops_, chkProg);
}

template <typename Action> void MainWindow::RunAction(Action action) {
    busy_ = true;
    action();
    busy_ = false;
    if (closeWhenDone_)
        OnClose();
}

void MainWindow::OnWaiting(bool waiting) {
    waiting_ = waiting;
    const HWND line = Control(IDC_WAITING);
    if (waiting) {
        const HWND focus = GetFocus();
        focusBeforeWaiting_ = IsChild(hwnd_, focus) ? focus : nullptr;
    }
    for (const int id : {IDC_CMDCHANGE, IDC_CMDBROWSE, IDC_CMDRESTORE})
        EnableWindow(Control(id), !waiting);
    // A greyed-out button cannot keep the keyboard: Close takes it meanwhile.
    if (waiting && focusBeforeWaiting_ && !IsWindowEnabled(focusBeforeWaiting_))
        SetFocus(Control(IDC_CMDCLOSE));
    else if (!waiting && focusBeforeWaiting_ && GetFocus() == Control(IDC_CMDCLOSE))
        SetFocus(focusBeforeWaiting_);
    ShowWindow(line, waiting ? SW_SHOWNA : SW_HIDE);
    if (waiting)
        NotifyWinEvent(kLiveRegionChangedEvent, line, OBJID_CLIENT, CHILDID_SELF);
    // The pointer shows the change where it is, not only at its next move.
    POINT at;
    if (GetCursorPos(&at) && WindowFromPoint(at) &&
        (WindowFromPoint(at) == hwnd_ || IsChild(hwnd_, WindowFromPoint(at))))
        SendMessageA(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(WindowFromPoint(at)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void MainWindow::OnHelp() {
    // The help viewer reads its command line as ANSI text: a folder name outside the code page
    // reaches it in its short form.
    ops_.ShellOpen(AnsiPathFromWide(ops_.AppFile(kHelpFile))); // the result is not examined
}

void MainWindow::OnClose() {
    if (busy_) {
        closeWhenDone_ = true;
        return;
    }
    if (chkProg.isOn())
        RenewLogonEntry(ops_);
    DestroyWindow(hwnd_);
}

// Keeps the keyboard focus on the control that had it while another window was active.
void MainWindow::OnActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
            focusOnDeactivate_ = focus;
    } else if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) {
        SetFocus(focusOnDeactivate_);
    }
}

void MainWindow::OnPaint() {
    const PaintDc paint(hwnd_);
    const int right = TwipsToPixels(kSeparatorEndTwips, dpi_);
    for (const SeparatorLine& line : kSeparator) {
        const RECT r = {0, TwipsToPixels(line.yTwips, dpi_), right,
                        TwipsToPixels(line.yTwips + kSeparatorThicknessTwips, dpi_)};
        SetBkColor(paint.get(), GetSysColor(line.systemColour));
        ExtTextOutA(paint.get(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    }
}

// The hand over the help picture; while the window waits for an updater, the cursor of work in
// the background everywhere else, since the window stays usable.
bool MainWindow::OnSetCursor(HWND over) {
    if (over == Control(IDC_IMAGE2) && handCursor_) {
        SetCursor(handCursor_);
        return true;
    }
    if (!waiting_)
        return false;
    SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    return true;
}

LRESULT MainWindow::OnNotify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA)
        return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const HWND tool = reinterpret_cast<HWND>(header->idFrom);
    const char* prefix = tool == Control(IDC_CMDBROWSE)   ? kBrowseTipPrefix
                         : tool == Control(IDC_CMDCHANGE) ? kApplyTipPrefix
                                                          : nullptr;
    if (!prefix)
        return 0;
    toolTipText_ = prefix + WindowText(Control(IDC_CBODRIVES));
    info->lpszText = toolTipText_.data();
    return 0;
}

HBRUSH MainWindow::OnCtlColorStatic(HDC dc, HWND control) {
    const ControlSpec* row = RowOf(GetDlgCtrlID(control));
    if (!row || row->role != ControlRole::OnBand)
        return nullptr;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

} // namespace zelvo
