#include "changer_driver.h"

#include "resource.h"

#include <atomic>
#include <thread>

namespace zelvo::testing {

namespace {
constexpr char kTitle[] = "Zelvo Drives";
}

bool ChangerDriver::Start() {
    process_ = std::make_unique<Process>(AppFile("\\ZelvoDrv.exe"));
    window_ = process_->started() ? WaitForWindow(process_->id(), kTitle) : nullptr;
    return window_ != nullptr;
}

bool ChangerDriver::Close() {
    if (!process_)
        return true;
    if (window_)
        PostMessageA(window_, WM_CLOSE, 0, 0);
    const bool ended = process_->WaitForExit(5000);
    window_ = nullptr;
    return ended;
}

ChangerDriver::~ChangerDriver() {
    Close();
}

std::string ChangerDriver::ComboEntry(int index) const {
    char text[16] = {};
    SendMessageA(Item(IDC_CBODRIVES), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

void ChangerDriver::ChooseDrive(int index) {
    SendMessageA(Item(IDC_CBODRIVES), CB_SETCURSEL, index, 0);
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_CBODRIVES, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_CBODRIVES)));
}

void ChangerDriver::ChooseDrive(const char* letter) {
    ChooseDrive(
        static_cast<int>(SendMessageA(Item(IDC_CBODRIVES), CB_FINDSTRINGEXACT,
                                      static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(letter))));
}

void ChangerDriver::TypeLocation(const std::string& text) {
    SendMessageA(Item(IDC_TXTICONPATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChangerDriver::Click(int id) {
    ClickAndWait(Item(id));
}

void ChangerDriver::PostClick(int id) {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
}

ChangerDriver::Said ChangerDriver::Apply(int answer) {
    std::atomic<bool> handled{false};
    const HWND button = Item(IDC_CMDCHANGE);
    // Sent from a thread of its own: the send returns only once a message Apply shows is closed.
    std::thread click([button, &handled] {
        SendMessageA(button, BM_CLICK, 0, 0);
        handled = true;
    });
    HWND box = nullptr;
    WaitUntil([&] { return handled || (box = WaitForWindow(processId(), "ZelvoDrv", 0)); }, 30000);
    Said said;
    if (box && !handled) {
        said.text = MessageBoxText(box);
        said.askedYesNo = GetDlgItem(box, IDYES) != nullptr;
        const HWND pressed = GetDlgItem(box, answer)
                                 ? GetDlgItem(box, answer)
                                 : GetDlgItem(box, said.askedYesNo ? IDNO : IDOK);
        PostMessageA(pressed, BM_CLICK, 0, 0);
    }
    click.join();
    return said;
}

HWND ChangerDriver::Focus() const {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui);
    return gui.hwndFocus;
}

} // namespace zelvo::testing
