#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "controls/CXListCtrl.h"
#include "framework/CDialog.h"
#include "framework/CMsgWnd.h"
#include "framework/CPropertyPage.h"
#include "framework/CPropertySheet.h"
#include "framework/CUniqueHandle.h"
#include "framework/DataExchange.h"
#include "tests/wine/GridHostIds.h"
#include "tests/wine/WineTestSupport.h"

namespace {

// A dialog of the grid host's template that answers a few messages itself.
class CProbeDlg : public CDialog {
public:
    CProbeDlg() : CDialog(IDD_GRID_HOST, nullptr)
    {
        OnNotify(IDC_GRID, NM_DBLCLK, [this](NMHDR& header) {
            ++doubleClicks;
            return LRESULT(header.code == NM_DBLCLK ? 77 : 0);
        });
    }
    ~CProbeDlg() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    int doubleClicks = 0;

protected:
    void OnOK() override { ::DestroyWindow(m_hWnd); }
    void OnCancel() override { ::DestroyWindow(m_hWnd); }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        switch (message) {
        case WM_VKEYTOITEM: result = -2; return true;
        case WM_CHARTOITEM: result = 5; return true;
        case WM_COMPAREITEM: result = -1; return true;
        case WM_CTLCOLORDLG: result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)); return true;
        case WM_USER + 7: result = 1234; return true;
        default: return false;
        }
    }
};

// A modal dialog, run while a test inspects it from a timer.
class CModalProbeDlg : public CDialog {
public:
    CModalProbeDlg() : CDialog(IDD_GRID_HOST, nullptr) {}
};

struct ModalSeen {
    HWND window = nullptr;
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    POINT centre = {};
};
ModalSeen g_seen;

void CALLBACK InspectAndEndModal(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND active = ::GetActiveWindow();
    if (!active || ::GetDlgItem(active, IDC_EMPTY_GRID) == nullptr)
        return;
    ::KillTimer(nullptr, id);
    g_seen.window = active;
    g_seen.owner = ::GetWindow(active, GW_OWNER);
    g_seen.ownerEnabled = g_seen.owner ? ::IsWindowEnabled(g_seen.owner) : TRUE;
    g_seen.centre = WindowCentre(active);
    ::EndDialog(active, IDCANCEL);
}

std::string g_boxText;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = ::GetActiveWindow();
    char name[32] = {};
    if (!box || !::GetClassNameA(box, name, sizeof name) || std::string(name) != "#32770" ||
        WindowText(box) != "Keystave")
        return;
    ::KillTimer(nullptr, id);
    g_boxText = WindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// Three wizard pages: the first skips the second on Next, the third goes
// back to the first; each sets the buttons its place calls for.
class CProbePage : public CPropertyPage {
public:
    CProbePage(UINT id, DWORD buttons, LRESULT next, LRESULT back)
        : CPropertyPage(id), m_buttons(buttons), m_next(next), m_back(back) {}
    int activations = 0;
    bool finished = false;
    bool stay = false;

protected:
    bool OnSetActive() override
    {
        ++activations;
        SetWizardButtons(m_buttons);
        return true;
    }
    LRESULT OnWizardNext() override { return stay ? -1 : m_next; }
    LRESULT OnWizardBack() override { return m_back; }
    bool OnWizardFinish() override
    {
        finished = true;
        return true;
    }

private:
    DWORD m_buttons;
    LRESULT m_next, m_back;
};

}  // namespace

TEST(Framework, DialogsAnswerDirectResultsNotificationsAndTheResultSlot)
{
    CProbeDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(::SendMessageA(dialog, WM_VKEYTOITEM, 0, 0), -2);
    EXPECT_EQ(::SendMessageA(dialog, WM_CHARTOITEM, 0, 0), 5);
    EXPECT_EQ(::SendMessageA(dialog, WM_COMPAREITEM, 0, 0), -1);
    EXPECT_EQ(::SendMessageA(dialog, WM_CTLCOLORDLG, 0, 0),
              reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(::SendMessageA(dialog, WM_USER + 7, 0, 0), 1234) << "through the result slot";

    NMHDR header = {::GetDlgItem(dialog, IDC_GRID), IDC_GRID, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(::SendMessageA(dialog, WM_NOTIFY, IDC_GRID, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(dialog.doubleClicks, 1);
    // Another control's, or another code: not this handler's.
    NMHDR other = {::GetDlgItem(dialog, IDC_EMPTY_GRID), IDC_EMPTY_GRID, static_cast<UINT>(NM_DBLCLK)};
    ::SendMessageA(dialog, WM_NOTIFY, IDC_EMPTY_GRID, reinterpret_cast<LPARAM>(&other));
    header.code = static_cast<UINT>(NM_RCLICK);
    ::SendMessageA(dialog, WM_NOTIFY, IDC_GRID, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(dialog.doubleClicks, 1);
}

TEST(Framework, AParentlessModalWindowIsOwnedByTheActiveWindowAndCentredOverIt)
{
    CProbeDlg host;
    ASSERT_TRUE(host.Create());
    ::SetWindowPos(host, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(host, SW_SHOW);
    ::SetForegroundWindow(host);
    ASSERT_TRUE(WaitUntil([&] { return ::GetActiveWindow() == host.GetSafeHwnd(); }));

    g_seen = ModalSeen();
    ::SetTimer(nullptr, 0, 20, InspectAndEndModal);
    CModalProbeDlg modal;
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    ASSERT_NE(g_seen.window, nullptr) << "the modal window was seen";
    EXPECT_EQ(g_seen.owner, host.GetSafeHwnd());
    EXPECT_FALSE(g_seen.ownerEnabled) << "the window behind is disabled while it is open";
    EXPECT_TRUE(::IsWindowEnabled(host)) << "and enabled again after";
    // Both windows have the same size here, so centred means the same place.
    POINT hostCentre = WindowCentre(host);
    EXPECT_LE(std::abs(g_seen.centre.x - hostCentre.x), 2);
    EXPECT_LE(std::abs(g_seen.centre.y - hostCentre.y), 2);
}

TEST(Framework, AWindowIsSubclassedOnceAndByOneObjectOnly)
{
    HWND edit = ::CreateWindowExA(0, "EDIT", "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND second = ::CreateWindowExA(0, "EDIT", "y", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    {
        CMsgWnd first, other;
        ASSERT_TRUE(first.SubclassWindow(edit));
        EXPECT_EQ(CMsgWnd::FromHandle(edit), &first);
        EXPECT_FALSE(first.SubclassWindow(edit)) << "the same window again";
        EXPECT_FALSE(other.SubclassWindow(edit)) << "a second object on the same window";
        EXPECT_FALSE(first.SubclassWindow(second)) << "one object, one window";
        // Messages still go round once: the text comes back whole.
        ::SetWindowTextA(edit, "still answering");
        EXPECT_EQ(WindowText(edit), "still answering");
        // A grid attached to a window that already has its object is refused too.
        CXListCtrl grid;
        EXPECT_FALSE(grid.Attach(edit));
        EXPECT_TRUE(other.SubclassWindow(second)) << "a free window is taken";
    }
    EXPECT_FALSE(::IsWindow(edit)) << "the object took its window with it";
    EXPECT_FALSE(::IsWindow(second));
}

TEST(Framework, ControlsHearOfChangedSystemColours)
{
    CProbeDlg dialog;
    ASSERT_TRUE(dialog.Create());
    CXListCtrl grid;
    ASSERT_TRUE(grid.Attach(::GetDlgItem(dialog, IDC_GRID)));
    InsertGridColumns(grid, {24, 40}, {"Identifier", "Data"});
    grid.InsertItem(0, "name");
    grid.SetItemText(0, 1, "value");
    ::ShowWindow(dialog, SW_SHOW);
    auto cellColour = [&] {
        ::InvalidateRect(grid, nullptr, TRUE);
        ::UpdateWindow(grid);
        RECT rect = {};
        rect.top = 1;
        rect.left = LVIR_BOUNDS;
        grid.SendMessage(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
        HDC dc = ::GetDC(grid);
        COLORREF pixel = ::GetPixel(dc, rect.right - 3, rect.top + 2);
        ::ReleaseDC(grid, dc);
        return pixel;
    };
    COLORREF before = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(cellColour(), before);
    INT element = COLOR_WINDOW;
    COLORREF tint = RGB(200, 230, 200);
    ASSERT_TRUE(::SetSysColors(1, &element, &tint));
    ::SendMessageA(dialog, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(cellColour(), tint) << "the grid read the new window colour";
    ::SetSysColors(1, &element, &before);
    ::SendMessageA(dialog, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(cellColour(), before);
}

TEST(Framework, AnUnsignedFieldRefusesWhatIsNoNumberAndKeepsTheLastOne)
{
    CProbeDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    uint32_t value = 4294967295u;
    ASSERT_TRUE(ExchangeUnsigned(dialog, IDC_NUMBER, value, false));
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_NUMBER)), "4294967295");
    ::SetDlgItemTextA(dialog, IDC_NUMBER, "17");
    ASSERT_TRUE(ExchangeUnsigned(dialog, IDC_NUMBER, value, true));
    EXPECT_EQ(value, 17u);

    for (const char* refused : {"", "12x", "4294967296"}) {
        ::SetDlgItemTextA(dialog, IDC_NUMBER, refused);
        g_boxText.clear();
        ::SetTimer(nullptr, 0, 20, CloseMessageBox);
        EXPECT_FALSE(ExchangeUnsigned(dialog, IDC_NUMBER, value, true)) << refused;
        EXPECT_EQ(g_boxText, "Please enter a positive integer.") << refused;
        EXPECT_EQ(value, 17u) << "the last accepted number stays";
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDC_NUMBER)) << "the field is to be corrected";
    }
}

TEST(Framework, AWizardGoesWhereItsPagesSayWithTheButtonsTheySet)
{
    CProbePage first(IDD_WIZARD_FIRST, PSWIZB_NEXT, IDD_WIZARD_THIRD, 0);
    CProbePage second(IDD_WIZARD_SECOND, PSWIZB_BACK | PSWIZB_NEXT, 0, 0);
    CProbePage third(IDD_WIZARD_THIRD, PSWIZB_BACK | PSWIZB_FINISH, 0, IDD_WIZARD_FIRST);
    CPropertySheet sheet("Probe wizard", nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
    sheet.SetWizardMode();
    ASSERT_TRUE(sheet.Create());
    ::ShowWindow(sheet, SW_SHOW);
    ::SetForegroundWindow(sheet);
    auto button = [&](int id) { return ::GetDlgItem(sheet, id); };
    auto usable = [&](int id) { return ::IsWindowVisible(button(id)) && ::IsWindowEnabled(button(id)); };
    ASSERT_TRUE(WaitUntil([&] { return sheet.GetActiveIndex() == 0 && first.activations == 1; }));
    EXPECT_FALSE(usable(ID_WIZBACK)) << "no way back from the first page";
    EXPECT_TRUE(usable(ID_WIZNEXT));

    // A page that refuses to leave keeps the wizard where it is.
    first.stay = true;
    ClickAt(WindowCentre(button(ID_WIZNEXT)));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    first.stay = false;

    ClickAt(WindowCentre(button(ID_WIZNEXT)));
    ASSERT_TRUE(WaitUntil([&] { return sheet.GetActiveIndex() == 2; })) << "Next skipped to the third page";
    EXPECT_EQ(second.activations, 0);
    EXPECT_TRUE(usable(ID_WIZBACK));
    EXPECT_TRUE(usable(ID_WIZFINISH));

    ClickAt(WindowCentre(button(ID_WIZBACK)));
    ASSERT_TRUE(WaitUntil([&] { return sheet.GetActiveIndex() == 0; })) << "Back returned to the first";
    EXPECT_EQ(first.activations, 2);

    ClickAt(WindowCentre(button(ID_WIZNEXT)));
    ASSERT_TRUE(WaitUntil([&] { return sheet.GetActiveIndex() == 2; }));
    ClickAt(WindowCentre(button(ID_WIZFINISH)));
    EXPECT_TRUE(WaitUntil([&] { return sheet.IsFinished(); }));
    EXPECT_TRUE(third.finished);
    ::DestroyWindow(sheet);
}

TEST(Framework, AnOwnedHandleIsReleasedOnceWhenItsOwnerGoesOrIsGivenAnother)
{
    DWORD flags = 0;
    auto open = [&](HANDLE handle) { return ::GetHandleInformation(handle, &flags) != FALSE; };
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(open(event));
    {
        CKernelHandle first(event);
        CKernelHandle second(std::move(first));
        EXPECT_FALSE(first) << "moved from: it owns nothing";
        CKernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(open(event)) << "a move releases nothing";
        EXPECT_EQ(third.Get(), event);
    }
    EXPECT_FALSE(open(event)) << "released when its last owner went";

    HANDLE before = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE after = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CKernelHandle owner(before);
    owner.Reset(after);
    EXPECT_FALSE(open(before)) << "the old one goes when it is replaced";
    EXPECT_TRUE(open(after));
    EXPECT_EQ(owner.Release(), after);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(open(after)) << "given up, not released";
    ::CloseHandle(after);

    // A failed search is no handle to close.
    WIN32_FIND_DATAA data;
    CFindHandle none(::FindFirstFileA("Z:\\no-such-folder-7f3a\\*", &data));
    EXPECT_FALSE(none);
    CMenuHandle menu(::CreatePopupMenu());
    EXPECT_TRUE(::IsMenu(menu.Get()));
    HMENU raw = menu.Get();
    menu.Reset();
    EXPECT_FALSE(::IsMenu(raw));
}
