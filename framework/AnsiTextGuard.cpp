#include "framework/AnsiTextGuard.h"
#include "framework/MessageBoxes.h"

namespace {

const char kPreviousProc[] = "KeystaveAnsiGuardProc";
const char kPending[] = "KeystaveAnsiGuardPending";
// Told when the letters typed in one go have all arrived: a timer's
// message comes only once no other input or message is waiting.
const UINT_PTR kTellTimer = 0x4B53;

bool HasAnsiForm(wchar_t c)
{
    if (c < 0x80)
        return true;
    char buffer[8];
    BOOL usedDefault = FALSE;
    int written = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, buffer, sizeof buffer,
                                        nullptr, &usedDefault);
    return written > 0 && !usedDefault;
}

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!::OpenClipboard(owner))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

// Refused characters wait on the control until the box names them all:
// letters typed in one go give one box.
std::wstring* Pending(HWND edit) { return static_cast<std::wstring*>(::GetPropA(edit, kPending)); }

void Refuse(HWND edit, const std::wstring& characters)
{
    std::wstring* pending = Pending(edit);
    if (!pending)
        return;
    bool told = !pending->empty();
    for (wchar_t c : characters)
        if (pending->find(c) == std::wstring::npos)
            pending->push_back(c);
    ::MessageBeep(MB_ICONWARNING);
    if (!told)
        ::SetTimer(edit, kTellTimer, USER_TIMER_MINIMUM, nullptr);
}

void TellRefused(HWND edit)
{
    std::wstring* pending = Pending(edit);
    if (!pending || pending->empty())
        return;
    std::wstring listed;
    for (wchar_t c : *pending)
        listed += (listed.empty() ? L"\"" : L", \"") + std::wstring(1, c) + L"\"";
    std::wstring text = L"This PC's code page (" + std::to_wstring(::GetACP()) +
                        L") has no form for " + listed +
                        L": BCDEDIT.EXE would store \"?\" instead, so "
                        L"these characters were not taken. Use other letters.";
    // Letters of the same typing that arrive while the box is open are
    // refused without a second box: the list stays non-empty until it closes.
    HWND owner = ::GetAncestor(edit, GA_ROOT);
    ShowWarning(owner, text);
    if (std::wstring* still = Pending(edit))
        still->clear();
    if (::IsWindow(edit))
        ::SetFocus(edit);
}

LRESULT CALLBACK GuardProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(::GetPropA(edit, kPreviousProc));
    switch (message) {
    case WM_CHAR:
        if (!HasAnsiForm(static_cast<wchar_t>(wParam))) {
            Refuse(edit, std::wstring(1, static_cast<wchar_t>(wParam)));
            return 0;
        }
        break;
    case WM_PASTE: {
        std::wstring refused = CharactersWithoutAnsiForm(ClipboardText(edit));
        if (!refused.empty()) {
            Refuse(edit, refused);
            return 0;
        }
        break;
    }
    case WM_TIMER:
        if (wParam != kTellTimer)
            break;
        ::KillTimer(edit, kTellTimer);
        TellRefused(edit);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::RemovePropA(edit, kPreviousProc);
        delete Pending(edit);
        ::RemovePropA(edit, kPending);
        break;
    default:
        break;
    }
    return ::CallWindowProcW(previous, edit, message, wParam, lParam);
}

}  // namespace

std::wstring CharactersWithoutAnsiForm(const std::wstring& text)
{
    std::wstring without;
    for (wchar_t c : text)
        if (!HasAnsiForm(c) && without.find(c) == std::wstring::npos)
            without.push_back(c);
    return without;
}

void GuardAnsiText(HWND edit)
{
    if (!edit || ::GetPropA(edit, kPreviousProc))
        return;
    // A Unicode window procedure sees typed letters before they are
    // narrowed to the code page.
    ::SetPropA(edit, kPending, new std::wstring);
    LONG_PTR previous = ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GuardProc));
    ::SetPropA(edit, kPreviousProc, reinterpret_cast<HANDLE>(previous));
}

namespace {

// A named CALLBACK: a lambda is not __stdcall, which 32-bit Windows calls.
BOOL CALLBACK GuardIfEdit(HWND child, LPARAM)
{
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0)
        GuardAnsiText(child);
    return TRUE;
}

}  // namespace

void GuardAnsiTextOfChildren(HWND parent)
{
    ::EnumChildWindows(parent, GuardIfEdit, 0);
}
