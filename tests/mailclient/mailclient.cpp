// A stand-in for the mail client: a main window of class "Outlook Express
// Browser Class" and message windows of class "ATH_Note", each reacting to a
// close request as its command line says. Every close request and button
// press it receives is appended, with a time stamp, to a log file; a press is
// logged by the button's command ("press note 2 yes"), whatever its caption.
// A note asks as the real client does, in a message box of the system's own,
// so on a German system its Yes reads "&Ja".
//
//   mailclient.exe --log FILE [--no-main] [--main-prompt] [--note MODE]... [--decoy] [--ignore-close CLASS]
//   MODE: close   closes at once
//         yes     asks in a message box with Yes and No; closes on Yes
//         ok      asks in a message box with only OK; closes on OK
//         none    asks in a message box with Retry and Cancel; never closes
//         both    asks in a dialog with OK and Yes; closes on either
//         hidden  asks in a hidden dialog with Yes; closes on Yes
//         never   ignores the request
//         prompt  holds the person's own "permanently delete" Yes/No box open
//                 from the start, as they left it; then closes at once
//   Each note's dialog is owned by the note, as a message window's confirmation is.
//   --main-prompt: the main window holds a "Permanently delete" dialog with Yes
//            and No open, as the person left it; presses are logged as
//            "press main ..." and change nothing.
//   --decoy: only a dialog with Yes and OK (another program's dialog that
//            must never be answered); presses are logged as "press decoy ...".
//   --ignore-close CLASS: only a hidden window of that class that ignores WM_CLOSE
//            (a copy of another program that will not exit when asked); each
//            request is logged as "close ignored".
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/DialogTemplate.h"

namespace {

constexpr char kMainClass[] = "Outlook Express Browser Class";
constexpr char kNoteClass[] = "ATH_Note";

std::string logPath;

void logLine(const std::string& line) {
    HANDLE f = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const std::string text = std::to_string(GetTickCount()) + " " + line + "\n";
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

struct Note {
    int number = 0;  // 0: not a note (the main window's prompt, or the decoy)
    std::string mode;
    HWND window = nullptr;
    HWND dialog = nullptr;
    bool asking = false;  // a message box is open
    std::string name() const { return number ? "note " + std::to_string(number) : mode; }
};
Note mainPrompt{0, "main"}, decoyDialog{0, "decoy"};
std::vector<std::unique_ptr<Note>> notes;
int openWindows = 0;
bool quitting = false;  // the main window is gone: a box that ends now was not answered

// The buttons a box may have: the word a press is logged by, and the caption of
// the rule cases' own dialogs (a hidden one, one with both OK and Yes, another
// program's), which speak English; the confirmations a note asks with are the
// system's own message boxes, in the system's language.
struct ButtonName {
    int id;
    const char* logged;
    const wchar_t* caption;
};
constexpr ButtonName kButtons[] = {{IDYES, "yes", L"&Yes"},
                                   {IDNO, "no", L"&No"},
                                   {IDOK, "ok", L"OK"},
                                   {IDCANCEL, "cancel", L"Cancel"},
                                   {IDRETRY, "retry", L"&Retry"}};

const ButtonName* button(int id) {
    for (const ButtonName& b : kButtons)
        if (b.id == id) return &b;
    return nullptr;
}

std::string commandName(int id) { return button(id) ? button(id)->logged : std::to_string(id); }

void pressed(Note& note, int id) {
    logLine("press " + note.name() + " " + commandName(id));
    if (note.number && (id == IDYES || id == IDOK)) DestroyWindow(note.window);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* note = reinterpret_cast<Note*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const WORD id = LOWORD(wParam);
        if (note->number && (id == IDYES || id == IDOK)) {
            DestroyWindow(dialog);
            note->dialog = nullptr;
        }
        pressed(*note, id);
        return TRUE;
    }
    return FALSE;
}

HWND makeDialog(const std::string& title, const std::vector<WORD>& buttons, Note* note, HWND owner = nullptr,
                bool visible = true) {
    std::wstring wtitle(title.begin(), title.end());
    ui::DialogTemplate t(wtitle, WS_POPUP | WS_CAPTION | DS_MODALFRAME | (visible ? WS_VISIBLE : 0), 160, 50);
    short x = 8;
    for (const WORD id : buttons) {
        t.AddControl(ui::DialogTemplate::Control::Button, id, button(id)->caption, BS_PUSHBUTTON | WS_TABSTOP, x, 24,
                     44, 14);
        x = static_cast<short>(x + 50);
    }
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.get(), owner, &dialogProc,
                                      reinterpret_cast<LPARAM>(note));
}

// As the real client asks: a message box of the system's own, owned by the note.
// Close requests that come while it is open are logged and change nothing.
void askInMessageBox(Note& note, UINT buttons, const std::string& text) {
    if (note.asking) return;
    note.asking = true;
    const int answer = MessageBoxA(note.window, text.c_str(), "Outlook Express", buttons | MB_ICONQUESTION);
    note.asking = false;
    if (answer <= 0 || quitting) return;
    if (note.mode != "prompt") return pressed(note, answer);
    logLine("press " + note.name() + " " + commandName(answer));
    if (answer == IDYES) logLine("deleted " + note.name());
}

void askInMessageBox(Note& note, UINT buttons) {
    askInMessageBox(note, buttons, "Save changes to note " + std::to_string(note.number) + "?");
}

void askToClose(Note& note) {
    if (note.dialog) return;  // already asking
    const std::string title = "Confirm note " + std::to_string(note.number);
    if (note.mode == "yes")
        askInMessageBox(note, MB_YESNO);
    else if (note.mode == "ok")
        askInMessageBox(note, MB_OK);
    else if (note.mode == "none")
        askInMessageBox(note, MB_RETRYCANCEL);
    else if (note.mode == "both")
        note.dialog = makeDialog(title, {IDOK, IDYES}, &note, note.window);
    else if (note.mode == "hidden")
        note.dialog = makeDialog(title, {IDYES}, &note, note.window, false);
}

LRESULT CALLBACK noteProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* note = reinterpret_cast<Note*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && note) {
                logLine("close note " + std::to_string(note->number));
                if (note->mode == "close" || (note->mode == "prompt" && !note->asking))
                    DestroyWindow(hwnd);
                else if (note->mode != "never")
                    askToClose(*note);
                return 0;
            }
            break;
        case WM_APP:
            askInMessageBox(*note, MB_YESNO, "Are you sure you want to permanently delete this message?");
            return 0;
        case WM_DESTROY:
            if (note) logLine("closed note " + std::to_string(note->number));
            if (--openWindows == 0) PostQuitMessage(0);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                logLine("close main");
                DestroyWindow(hwnd);
                return 0;
            }
            break;
        case WM_DESTROY:
            logLine("closed main");
            quitting = true;
            // The real client takes its notes with it.
            PostQuitMessage(0);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ignoreCloseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_CLOSE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    logLine("close ignored");
    return 0;
}

void registerClass(const char* name, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace

int main(int argc, char** argv) {
    bool withMain = true;
    bool decoy = false;
    bool prompt = false;
    std::vector<std::string> modes;
    std::string ignoring;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--log" && i + 1 < argc)
            logPath = argv[++i];
        else if (a == "--no-main")
            withMain = false;
        else if (a == "--note" && i + 1 < argc)
            modes.push_back(argv[++i]);
        else if (a == "--decoy")
            decoy = true;
        else if (a == "--main-prompt")
            prompt = true;
        else if (a == "--ignore-close" && i + 1 < argc)
            ignoring = argv[++i];
    }
    if (logPath.empty()) return 2;

    if (!ignoring.empty()) {
        registerClass(ignoring.c_str(), ignoreCloseProc);
        CreateWindowExA(WS_EX_TOOLWINDOW, ignoring.c_str(), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
        logLine("ready");
    } else if (decoy) {
        makeDialog("Decoy", {IDYES, IDOK}, &decoyDialog);
        logLine("ready decoy");
    } else {
        registerClass(kMainClass, mainProc);
        registerClass(kNoteClass, noteProc);
        if (withMain) {
            HWND main = CreateWindowExA(0, kMainClass, "Outlook Express", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                        200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            ++openWindows;
            if (prompt) makeDialog("Permanently delete the selected messages?", {IDYES, IDNO}, &mainPrompt, main);
        }
        int number = 0;
        for (const std::string& mode : modes) {
            notes.push_back(std::make_unique<Note>(Note{++number, mode, nullptr, nullptr}));
            Note* note = notes.back().get();
            const std::string title = "Note " + std::to_string(number);
            note->window =
                CreateWindowExA(0, kNoteClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80 + 30 * number,
                                80 + 30 * number, 260, 160, nullptr, nullptr, GetModuleHandleA(nullptr), note);
            ++openWindows;
            if (mode == "prompt") PostMessageA(note->window, WM_APP, 0, 0);
        }
        logLine("ready");
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    logLine("exit");
    return 0;
}
