#include "app/CKeystaveDlg.h"
#include "framework/MessageBoxes.h"

#include "framework/CUniqueHandle.h"
#include "framework/FileDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app/CAboutDlg.h"
#include "app/HtmlHelp.h"
#include "app/SingleInstance.h"
#include "app/ToolWait.h"
#include "catalogue/ElementCatalogue.h"
#include "controls/FillPropertyGrid.h"
#include "common/CGatheredNotices.h"
#include "common/TextCompare.h"
#include "controls/GridMessages.h"
#include "dialogs/CBootLoaderPropertiesDlg.h"
#include "dialogs/CCloneConfigurationDlg.h"
#include "dialogs/CCreateObjectSheet.h"
#include "dialogs/CModifyDbgSettingsDlg.h"
#include "dialogs/CBackupsDlg.h"
#include "dialogs/CBootManagerPropertiesDlg.h"
#include "dialogs/CCommandHistoryDlg.h"
#include "dialogs/CQuickSettingsDlg.h"
#include "dialogs/CFirmwareMenuDlg.h"
#include "dialogs/RestartQuestion.h"
#include "model/NewEntryPlan.h"
#include "winexec/Volumes.h"
#include "winexec/ProgramSession.h"
#include "exec/ToolCommand.h"
#include "winexec/ToolRunner.h"
#include "dialogs/WindowWritePath.h"
#include "model/EntryMarks.h"
#include "model/LoaderListRows.h"
#include "model/ObjectKind.h"
#include "model/QuickSettings.h"
#include "model/ReloadObject.h"
#include "model/StoreReadFailure.h"
#include "model/WriteVerification.h"
#include "framework/CWinApp.h"
#include "res/resource.h"

const char* const CKeystaveDlg::kCaption = "Keystave - Boot Configuration Data Editor";

namespace {
const UINT WM_KEYSTAVE_TELL_READ_FAILURE = WM_APP + 1;
const UINT WM_KEYSTAVE_FIRST_READ = WM_APP + 2;
const char kDefinitionsFile[] = "keystavedata.xml";

bool InWindow(HWND window, HWND container)
{
    return window && container && (window == container || ::IsChild(container, window));
}
}  // namespace

CKeystaveDlg::CKeystaveDlg(CSession& session, HWND parent)
    : CDialog(IDD_KEYSTAVE_DIALOG, parent),
      m_session(session),
      m_hIcon(::LoadIconA(CWinApp::Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_model(RunThrough(session))
{
    OnRegisteredMessage(WM_KEYSTAVE_IS_ALIVE,
                        [](WPARAM, LPARAM) { return static_cast<LRESULT>(WM_KEYSTAVE_IS_ALIVE); });
    // The main window's grids are read-only: a choice there sends nothing.
    OnRegisteredMessage(WM_KEYSTAVE_TOOL_BUSY, [this](WPARAM busy, LPARAM text) {
        return OnToolBusy(busy != FALSE, reinterpret_cast<const char*>(text));
    });
    OnRegisteredMessage(WM_KEYSTAVE_TOOL_RUNNING,
                        [this](WPARAM, LPARAM) { return static_cast<LRESULT>(m_toolRuns); });
    OnRegisteredMessage(WM_XLISTCTRL_COMBO_SELECTION, [](WPARAM, LPARAM) { return LRESULT(0); });
    // Rows point at the objects: they go before the objects do.
    m_model.OnBeforeLoadersDeleted([this] { ClearLoaderList(); });
    m_model.OnBeforeBootManagerDeleted([this] { m_bootGrid.DeleteAllItems(); });
    OnNotify(IDC_LOADER_LIST, NM_RCLICK, [this](NMHDR&) {
        ShowLoaderMenu();
        return LRESULT(0);
    });
    OnNotify(IDC_LOADER_LIST, NM_DBLCLK, [this](NMHDR&) {
        ShowLoaderProperties();
        MentionFirstBackup();
        return LRESULT(0);
    });
    OnNotify(IDC_LOADER_LIST, LVN_ITEMCHANGED, [this](NMHDR& header) {
        // Only a change of selection matters, not each cell the fill writes.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            UpdateSafeModeButton();
        return LRESULT(0);
    });
    OnNotify(IDC_LOADER_LIST, LVN_GETDISPINFOA, [this](NMHDR& header) {
        GiveLoaderText(reinterpret_cast<NMLVDISPINFOA&>(header).item);
        return LRESULT(0);
    });
    OnNotify(IDC_LOADER_LIST, LVN_ODFINDITEMA, [this](NMHDR& header) {
        const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
            return LRESULT(-1);
        return LRESULT(FindLoaderListRow(m_loaderRows, find.lvfi.psz, find.iStart));
    });
    OnNotify(IDC_LOADER_LIST, LVN_KEYDOWN, [this](NMHDR& header) {
        if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            DeleteLoader();
        return LRESULT(0);
    });
    m_model.OnBeforeDebugSettingsDeleted([this] { m_debugGrid.DeleteAllItems(); });
}

CKeystaveDlg::~CKeystaveDlg()
{
    ClearLoaderList();
}

void CKeystaveDlg::ClearLoaderList()
{
    // Rows point at the model's loaders: the list forgets them first.
    if (m_loaderList.GetSafeHwnd() && ::IsWindow(m_loaderList)) {
        m_loaderList.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        m_loaderList.SetItemCount(0);
    }
    m_loaderRows.clear();
}

void CKeystaveDlg::GiveLoaderText(LVITEMA& item) const
{
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    item.pszText[0] = '\0';
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_loaderRows.size() || item.iSubItem < 0 ||
        item.iSubItem >= kLoaderListColumns)
        return;
    const std::string& text = m_loaderRows[static_cast<size_t>(item.iItem)].cells[static_cast<size_t>(item.iSubItem)];
    ::lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

BOOL CKeystaveDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (AnotherInstanceRuns()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    if (!m_startStore.empty()) {
        ToolCommand chosen = UseStoreFile(m_startStore);
        if (!chosen.ok) {
            m_readFailure = chosen.reason;
            ::PostMessageA(m_hWnd, WM_KEYSTAVE_TELL_READ_FAILURE, 0, 0);
        }
    }
    // The reads of start-up run while the window is made and shown.
    m_session.StartReadsAhead(StartUpReads());
    AddAboutMenuItem();
    std::string definitions = ChooseDefinitionsPath(kDefinitionsFile, CWinApp::ProgramFolder(),
                                                    FileExistsOnDisk);
    if (!LoadElementCatalogue(definitions.c_str())) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_bootGrid.Attach(GetDlgItem(IDC_BOOTMGR_GRID));
    m_debugGrid.Attach(GetDlgItem(IDC_DEBUGGER_GRID));
    // What these grids show is what the store holds: lists open, nothing changes.
    m_bootGrid.SetReadOnly(true);
    m_debugGrid.SetReadOnly(true);
    SetUpLoaderList();
    ShowStoreName();
    MakeResizable();
    // The window shows at once, empty; the store is read once it is there.
    ::PostMessageA(m_hWnd, WM_KEYSTAVE_FIRST_READ, 0, 0);
    return TRUE;
}

void CKeystaveDlg::MakeResizable()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_templateClient = SIZE{client.right, client.bottom};
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        m_templateRects.push_back(ChildRect{child, rect});
    }
    // A sizing border and a maximise box, the template's size the least.
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, style);
    RECT window = client;
    ::AdjustWindowRectEx(&window, static_cast<DWORD>(style), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    m_minimumSize = SIZE{window.right - window.left, window.bottom - window.top};
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_minimumSize.cx, m_minimumSize.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKeystaveDlg::LayOut(int width, int height)
{
    if (m_templateRects.empty())
        return;
    int dx = width - m_templateClient.cx, dy = height - m_templateClient.cy;
    RECT boot = RectOf(IDC_BOOTMGR_GRID), debug = RectOf(IDC_DEBUGGER_GRID);
    // The two grids share the new width as they share the template's.
    int bootShare = dx * (boot.right - boot.left) /
                    std::max(1L, (boot.right - boot.left) + (debug.right - debug.left));
    int half = dy / 2;
    HDWP moves = ::BeginDeferWindowPos(static_cast<int>(m_templateRects.size()));
    for (const ChildRect& child : m_templateRects) {
        RECT r = child.rect;
        switch (::GetDlgCtrlID(child.window)) {
        case IDOK:
        case ID_HELP_BUTTON: ::OffsetRect(&r, dx, 0); break;
        case IDC_BOOTMGR_GRID: r.right += bootShare; r.bottom += half; break;
        case IDC_DEBUGGER_GRID: r.left += bootShare; r.right += dx; r.bottom += half; break;
        case IDC_MODIFY_BOOT: ::OffsetRect(&r, bootShare / 2, half); break;
        case IDC_MODIFY_DEBUG: ::OffsetRect(&r, bootShare + (dx - bootShare) / 2, half); break;
        case IDC_LOADER_LIST: r.top += half; r.right += dx; r.bottom += dy; break;
        case IDC_CREATE_ENTRY: ::OffsetRect(&r, dx / 2, dy); break;
        case IDC_BACKUPS:
        case IDC_HISTORY:
        case IDC_QUICK_SETTINGS: ::OffsetRect(&r, 0, dy); break;
        case IDC_LEAVE_SAFE_MODE: ::OffsetRect(&r, dx, dy); break;
        case IDC_STATUS_TEXT: ::OffsetRect(&r, 0, dy); r.right += dx; break;
        case IDC_STORE_TEXT: r.right += dx; break;
        case IDC_OPEN_STORE:
        case IDC_SYSTEM_STORE: ::OffsetRect(&r, 0, dy); break;
        case IDC_SHOW_ALL:
        case IDC_FIRMWARE_MENU: ::OffsetRect(&r, dx, half); break;
        case IDC_ONE_TIME_TEXT: ::OffsetRect(&r, 0, dy); r.right += dx; break;
        case IDC_CANCEL_ONE_TIME: ::OffsetRect(&r, dx, dy); break;
        default:
            // Labels go with the list below them.
            if (r.top > boot.bottom)
                ::OffsetRect(&r, 0, half);
            else if (r.left >= debug.left)
                ::OffsetRect(&r, bootShare, 0);
            break;
        }
        moves = ::DeferWindowPos(moves, child.window, nullptr, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::EndDeferWindowPos(moves);
    FitLastColumns();
    // Moved controls leave their old places behind: paint the window afresh.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKeystaveDlg::FitLastColumns()
{
    // The last column of each list takes the width there is, scroll bar or not.
    for (HWND window : {m_loaderList.GetSafeHwnd(), m_bootGrid.GetSafeHwnd(), m_debugGrid.GetSafeHwnd()}) {
        CListCtrl list(window);
        int columns = list.GetColumnCount();
        if (columns > 0)
            list.SetColumnWidth(columns - 1, LVSCW_AUTOSIZE_USEHEADER);
    }
}

RECT CKeystaveDlg::RectOf(int id) const
{
    HWND control = GetDlgItem(id);
    for (const ChildRect& child : m_templateRects)
        if (child.window == control)
            return child.rect;
    return RECT{};
}

void CKeystaveDlg::AddAboutMenuItem()
{
    HMENU menu = GetSystemMenu(FALSE);
    if (!menu)
        return;
    char text[128] = {};
    if (::LoadStringA(CWinApp::Instance(), IDS_ABOUTBOX, text, sizeof text) > 0) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
    }
}

void CKeystaveDlg::SetUpLoaderList()
{
    m_loaderList.Bind(GetDlgItem(IDC_LOADER_LIST));
    m_loaderList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertGridColumns(m_loaderList, {20, 13, 4, 5, 4, 10},
                      {"Identifiers", "Description", "Default", "Display", "Debug", "Note", "Kind"});
}

std::vector<std::string> CKeystaveDlg::StartUpReads()
{
    std::vector<std::string> reads;
    for (const ToolCommand& command : {EnumStoreCommand(), DebugSettingsCommand(), EnumCurrentCommand()})
        if (command.ok)
            reads.push_back(command.arguments);
    return reads;
}

bool CKeystaveDlg::RefreshStore()
{
    // One message for all a read has to tell, and nothing told twice.
    CGatheredNotices notices;
    // The listing and the debugger settings are read at the same time; each
    // part of the window is filled as soon as its own read is in.
    const std::vector<std::string> reads = {m_model.ListingCommand().arguments, DebugSettingsCommand().arguments};
    m_session.StartReadsAhead(reads);
    bool listed = ReadListing();
    FillPropertyGrid(m_bootGrid, m_model.GetBootManager(), false);
    FillLoaderList();
    // The tools menu's entries are read beside the debugger settings and
    // join the list once the rest of the window is filled.
    const std::vector<std::string> tools = m_model.ToolsEntryReads();
    m_session.StartReadsAhead(tools);
    if (listed)
        m_model.RefreshDebugSettings();
    FillPropertyGrid(m_debugGrid, m_model.GetDebugSettings(), false);
    FitLastColumns();
    m_session.DropReadsAhead(reads);
    if (listed && !tools.empty()) {
        m_model.ReadToolsEntries();
        FillLoaderList();
    }
    m_session.DropReadsAhead(tools);
    return listed;
}

bool CKeystaveDlg::ShowStore(const std::string& path)
{
    std::string before = StoreFileInUse();
    ToolCommand chosen = UseStoreFile(path);
    if (!chosen.ok) {
        ShowError(m_hWnd, chosen.reason);
        return false;
    }
    // Changes still to be checked were another store's.
    m_session.TakeChanges();
    ShowStoreName();
    bool shown = RefreshStore();
    if (!shown && !path.empty()) {
        // Not a store that could be read: the one shown before stays.
        UseStoreFile(before);
        ShowStoreName();
        RefreshStore();
    }
    m_session.RunningEntry();
    MarkEntries();
    return shown;
}

void CKeystaveDlg::OpenStoreFile()
{
    std::string path = AskForFile(m_hWnd, "Open Store File", "All files (*.*)\0*.*\0", std::string());
    if (!path.empty())
        ShowStore(path);
}

void CKeystaveDlg::ShowStoreName()
{
    const std::string& file = StoreFileInUse();
    ::SetDlgItemTextA(m_hWnd, IDC_STORE_TEXT, file.empty() ? "Store: this PC (system)" : ("Store: " + file).c_str());
    SetWindowText(file.empty() ? std::string(kCaption) : std::string(kCaption) + " - " + file);
    ::EnableWindow(GetDlgItem(IDC_SYSTEM_STORE), !file.empty());
}

bool CKeystaveDlg::ReadListing()
{
    m_model.EnumerateListing();
    // The boot manager kept from an earlier listing is no sign that this one read a store.
    if (m_model.ListedBootManager()) {
        // A listing that ended in an error shows what it read, and says so.
        const ToolAnswer& answer = m_model.GetLastEnumAnswer();
        std::string notice = m_model.IsListingComplete()
                                 ? std::string()
                                 : IncompleteListingNotice(answer.exitCode, m_model.GetListingWords());
        // The status line keeps what else it says unless there is news.
        if (!notice.empty() || !m_listingNotice.empty())
            ShowStatus(notice);
        m_listingNotice = notice;
        return true;
    }
    // An empty store would be a failure shown as success: say why, once the
    // window is on screen.
    m_listingNotice.clear();
    m_readFailure = StoreReadFailure(m_model.GetLastOutput(), m_model.GetLastEnumAnswer());
    ::PostMessageA(m_hWnd, WM_KEYSTAVE_TELL_READ_FAILURE, 0, 0);
    return false;
}

bool CKeystaveDlg::EntryReadAgain(CBcdObject& entry)
{
    if (m_model.IsListingComplete())
        return true;
    // The listing may lack some of the entry: it is read on its own first.
    CGatheredNotices notices;
    bool read = false;
    if (auto* manager = dynamic_cast<CBcdBootManager*>(&entry)) {
        read = ReloadObject(*manager, RunThrough(m_session), [this] { m_bootGrid.DeleteAllItems(); });
        FillGrids();
    } else if (auto* loader = dynamic_cast<CBcdBootLoader*>(&entry)) {
        read = ReloadObject(*loader, RunThrough(m_session), nullptr);
    }
    return read;
}

std::string CKeystaveDlg::UnverifiedEntryText(const CBcdObject& entry) const
{
    return "The store's listing did not end with success, so each entry is read again on its own "
           "before it is changed; the entry " + entry.GetIdentifier() +
           " could not be. Nothing is changed from a read that may be incomplete: the window shows "
           "what was read, and changes nothing.\n\n" + m_listingNotice;
}

void CKeystaveDlg::FillGrids()
{
    FillPropertyGrid(m_bootGrid, m_model.GetBootManager(), false);
    FillPropertyGrid(m_debugGrid, m_model.GetDebugSettings(), false);
    FitLastColumns();
}

void CKeystaveDlg::FillLoaderList()
{
    // The list asks for the texts of the rows it draws: filling it is
    // working them out once, however many entries there are.
    ClearLoaderList();
    m_loaderRows = LoaderListRows(m_model.GetBootManager(), m_model.GetListedObjects(), m_session.KnownRunningEntry(),
                                  m_model.ListsEveryObject());
    m_loaderList.SetItemCount(static_cast<int>(m_loaderRows.size()));
    ::InvalidateRect(m_loaderList, nullptr, TRUE);
    UpdateSafeModeButton();
    ShowOneTime();
    FitLastColumns();
}

std::string CKeystaveDlg::OneTimeEntry() const
{
    const CBcdBootManager* manager = m_model.GetBootManager();
    return manager ? manager->FirstValueOf("bootsequence") : std::string();
}

void CKeystaveDlg::ShowOneTime()
{
    std::string next = OneTimeEntry();
    std::string text;
    if (!next.empty()) {
        const CBcdObject* entry = m_model.FindEntry(next);
        text = "Next start only: " + EntryName(entry ? entry->GetDescription() : std::string(), next);
    }
    ::SetDlgItemTextA(m_hWnd, IDC_ONE_TIME_TEXT, text.c_str());
    ::ShowWindow(GetDlgItem(IDC_CANCEL_ONE_TIME), next.empty() ? SW_HIDE : SW_SHOW);
}

void CKeystaveDlg::MarkEntries()
{
    MarkLoaderListRows(m_loaderRows, m_model.GetBootManager(), m_session.KnownRunningEntry());
    ::InvalidateRect(m_loaderList, nullptr, TRUE);
    UpdateSafeModeButton();
}

void CKeystaveDlg::UpdateSafeModeButton()
{
    // The way out of safe mode is one click away while it is needed.
    const CBcdBootLoader* loader = SelectedLoader();
    ::ShowWindow(GetDlgItem(IDC_LEAVE_SAFE_MODE), loader && StartsInSafeMode(*loader) ? SW_SHOW : SW_HIDE);
}

void CKeystaveDlg::ShowStatus(const std::string& text)
{
    ::SetDlgItemTextA(m_hWnd, IDC_STATUS_TEXT, text.c_str());
}

LRESULT CKeystaveDlg::OnToolBusy(bool busy, const char* text)
{
    if (busy) {
        if (m_toolRuns++ == 0)
            m_statusBeforeRun = CWnd(GetDlgItem(IDC_STATUS_TEXT)).GetWindowText();
        m_runStatus = text ? text : "";
        ShowStatus(m_runStatus);
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return 0;
    }
    if (m_toolRuns > 0 && --m_toolRuns == 0) {
        // What the run did may have set the status line anew: keep that.
        if (CWnd(GetDlgItem(IDC_STATUS_TEXT)).GetWindowText() == m_runStatus)
            ShowStatus(m_statusBeforeRun);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (m_tellAfterRun)
            ::PostMessageA(m_hWnd, WM_KEYSTAVE_TELL_READ_FAILURE, 0, 0);
        m_tellAfterRun = false;
        if (m_closeAfterRun)
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        else if (m_endAfterRun)
            ::PostMessageA(m_hWnd, WM_COMMAND, m_endAfterRun, 0);
        m_endAfterRun = 0;
    }
    return 0;
}

bool CKeystaveDlg::CloseAsked()
{
    if (m_toolRuns == 0)
        return true;
    if (AskYesNo(m_hWnd, "BCDEDIT.EXE is still running. End it and close Keystave?\n\n"
                         "Whether its command changed the store is then unknown.")) {
        m_closeAfterRun = true;
        RequestToolEnd();
    }
    return false;
}

void CKeystaveDlg::MentionFirstBackup()
{
    const std::string& backup = m_session.FirstBackup();
    if (backup.empty() || !m_mentionedBackups.insert(backup).second)
        return;
    ShowStatus("Backed up before the first change: " + backup);
}

void CKeystaveDlg::CheckConfirmedChanges()
{
    std::vector<ElementChange> changes = m_session.TakeChanges();
    if (changes.empty() || !m_model.GetBootManager())
        return;
    std::vector<WriteMismatch> mismatches =
        CheckChanges(changes, m_model, m_session.KnownRunningEntry());
    if (mismatches.empty())
        return;
    ShowWarning(m_hWnd, MismatchMessage(mismatches));
}

void CKeystaveDlg::ShowBackups()
{
    CBackupsDlg backups(m_session, m_hWnd);
    if (backups.DoModal() != IDOK || !backups.Restored())
        return;
    // The restored store holds none of the changes still to be checked.
    m_session.TakeChanges();
    RefreshAll();
    ShowStatus("The store was restored from the backup of " + backups.RestoredMoment() + ".");
}

void CKeystaveDlg::ShowHistory()
{
    LocalTime now = m_session.Now();
    CCommandHistoryDlg history(m_session.History(), DateText(now), m_hWnd);
    history.DoModal();
}

CBcdBootLoader* CKeystaveDlg::SelectedLoader() const
{
    int row = m_loaderList.GetSelectedRow();
    return row < 0 ? nullptr : LoaderOfRow(row);
}

CBcdBootLoader* CKeystaveDlg::LoaderOfRow(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < m_loaderRows.size() ? m_loaderRows[static_cast<size_t>(row)].loader
                                                                        : nullptr;
}

void CKeystaveDlg::ShowLoaderMenu()
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    ShowLoaderMenuAt(cursor);
}

void CKeystaveDlg::ShowLoaderMenuAtSelection()
{
    int row = m_loaderList.GetSelectedRow();
    if (row < 0)
        return;
    RECT item = m_loaderList.GetItemRect(row, LVIR_LABEL);
    POINT point = {item.left + 8, item.bottom};
    ::ClientToScreen(m_loaderList, &point);
    ShowLoaderMenuAt(point);
}

void CKeystaveDlg::ShowLoaderMenuAt(POINT point)
{
    const CBcdBootLoader* loader = SelectedLoader();
    if (!loader)
        return;
    CMenuHandle menu(::LoadMenuA(CWinApp::Instance(), MAKEINTRESOURCEA(IDR_LOADER_MENU)));
    if (!menu)
        return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    auto disable = [popup](UINT item) { ::EnableMenuItem(popup, item, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED); };
    ObjectKind kind = loader->GetKind();
    // Only what starts from a menu is deleted, made the default or started
    // once from here; settings objects are changed in their properties.
    if (m_model.GetLoaders().size() == 1 || !StartsFromMenu(kind))
        disable(ID_LOADER_DELETE);
    if (!CanBeCloned(kind))
        disable(ID_LOADER_CLONE);
    const CBcdBootManager* manager = m_model.GetBootManager();
    if (!StartsFromMenu(kind) || !manager || SameIdentifier(manager->GetDefault(), loader->GetIdentifier()))
        disable(ID_LOADER_MAKE_DEFAULT);
    // A store file's one-time start is another PC's next start, not this one's.
    if (!StartsFromMenu(kind) || !StoreFileInUse().empty())
        disable(ID_LOADER_RESTART_ONCE);
    if (OneTimeEntry().empty())
        ::DeleteMenu(popup, ID_LOADER_CANCEL_ONE_TIME, MF_BYCOMMAND);
    if (!TakesQuickSettings(*loader) || kind != ObjectKind::Loader)
        disable(ID_LOADER_QUICK_SETTINGS);
    if (!StartsInSafeMode(*loader))
        ::DeleteMenu(popup, ID_LOADER_LEAVE_SAFE_MODE, MF_BYCOMMAND);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
}

void CKeystaveDlg::TellNothingListed(const char* what)
{
    std::string text = std::string("BCDEDIT.EXE listed no ") + what +
                       ", so there is nothing to modify. Check that the program runs as an "
                       "administrator.";
    ShowError(m_hWnd, text);
}

void CKeystaveDlg::ShowLoaderProperties()
{
    CBcdBootLoader* loader = SelectedLoader();
    if (!loader)
        return;
    CBootLoaderPropertiesDlg properties(m_session, *loader, m_hWnd);
    if (!EntryReadAgain(*loader))
        properties.OpenReadOnly(UnverifiedEntryText(*loader));
    if (properties.DoModal() == IDOK)
        RefreshAll();
}

void CKeystaveDlg::ModifyBootManager()
{
    CBcdBootManager* manager = m_model.GetBootManager();
    if (!manager) {
        TellNothingListed("boot manager");
        return;
    }
    // Every listed entry names its row in the display order window.
    std::vector<const CBcdObject*> loaders;
    for (const CBcdObject* entry : m_model.GetListedObjects())
        if (entry != manager)
            loaders.push_back(entry);
    CBootManagerPropertiesDlg properties(m_session, *manager, loaders, m_hWnd);
    if (!EntryReadAgain(*manager))
        properties.OpenReadOnly(UnverifiedEntryText(*manager));
    if (properties.DoModal() == IDOK) {
        RefreshAll();
        return;
    }
    // Add and Delete may have read the boot manager again: its grid rows
    // must point at the elements it has now.
    FillGrids();
}

void CKeystaveDlg::CloneLoader()
{
    CBcdBootLoader* loader = SelectedLoader();
    if (!loader || !CanBeCloned(loader->GetKind()))
        return;
    if (!EntryReadAgain(*loader)) {
        ShowWarning(m_hWnd, UnverifiedEntryText(*loader));
        return;
    }
    CCloneConfigurationDlg clone(m_session, *loader, m_hWnd);
    if (clone.DoModal() == IDOK)
        RefreshAll();
}

void CKeystaveDlg::ModifyDebugSettings()
{
    CBcdDbgSettings* settings = m_model.GetDebugSettings();
    if (!settings) {
        TellNothingListed("debugger settings");
        return;
    }
    CModifyDbgSettingsDlg debug(m_session, *settings, m_hWnd);
    if (debug.DoModal() != IDOK)
        return;
    {
        CGatheredNotices notices;
        m_model.RefreshDebugSettings();
    }
    FillGrids();
}

void CKeystaveDlg::ShowQuickSettings()
{
    CBcdBootLoader* loader = SelectedLoader();
    if (!loader) {
        ShowMessage(m_hWnd, "Select a Windows entry in the list first.", MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (!TakesQuickSettings(*loader) || loader->GetKind() != ObjectKind::Loader) {
        std::string kind = ObjectKindLabel(loader->GetKind());
        ShowMessage(m_hWnd, "Quick Settings are for Windows entries; this entry is of the kind \"" + kind + "\".",
                    MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (!EntryReadAgain(*loader)) {
        ShowWarning(m_hWnd, UnverifiedEntryText(*loader));
        return;
    }
    std::vector<const CBcdObject*> entries;
    for (const auto& entry : m_model.GetLoaders())
        entries.push_back(entry.get());
    CQuickSettingsDlg quick(m_session, *loader, m_model.GetBootManager(), entries, m_hWnd);
    if (quick.DoModal() == IDOK)
        RefreshAll();
}

void CKeystaveDlg::LeaveSafeMode()
{
    CBcdBootLoader* loader = SelectedLoader();
    if (!loader || !StartsInSafeMode(*loader))
        return;
    if (ApplyWrites(WindowWritePath(m_session, m_hWnd), LeaveSafeModeCommands(*loader)).made > 0)
        RefreshAll();
}

void CKeystaveDlg::CreateEntry()
{
    NewEntryWizardState state(m_session);
    state.volumes = FixedVolumes();
    state.uefi = StoreIsUefi(m_model.GetBootManager());
    state.exists = FileExistsOnDisk;
    // The running Windows's locale is the new one's, as setup would give it.
    const CBcdObject* running = m_model.FindEntry(m_session.KnownRunningEntry());
    const CBcdObject* withLocale = running && running->FindItem("locale") ? running : m_model.GetBootManager();
    state.locale = withLocale ? withLocale->FirstValueOf("locale") : std::string();
    if (state.locale.empty())
        state.locale = "en-US";
    for (const auto& loader : m_model.GetLoaders())
        state.windows.push_back(loader.get());
    // A resume entry the menus' listing does not hold is looked for in the store.
    state.entryExists = [this](const std::string& identifier) {
        if (m_model.FindEntry(identifier))
            return true;
        ToolCommand read = EnumObjectCommand(identifier);
        return read.ok && AnswerSucceeded(m_session.Run(read.arguments));
    };
    CCreateObjectSheet wizard(state, m_hWnd);
    wizard.DoModal();
    if (state.outcome.sent == 0)
        return;
    RefreshAll();
    if (state.outcome.made)
        ShowStatus("Created " + state.outcome.identifier + ": \"" + state.entry.description + "\".");
}

void CKeystaveDlg::ShowAllEntries(bool all)
{
    // The fill marks the rows with the running entry already known.
    m_model.SetScope(all ? CStoreModel::Scope::All : CStoreModel::Scope::Menus);
    RefreshStore();
}

void CKeystaveDlg::ShowFirmwareMenu()
{
    CFirmwareMenuDlg firmware(m_session, m_restart, m_hWnd);
    // A copy of the boot manager deleted there, or a one-time start, shows here too.
    if (firmware.DoModal() == IDOK)
        RefreshAll();
}

void CKeystaveDlg::RestartIntoOnce()
{
    CBcdBootLoader* entry = SelectedLoader();
    if (!entry || !StartsFromMenu(entry->GetKind()) || !StoreFileInUse().empty())
        return;
    std::string name = entry->GetDescription().empty() ? entry->GetIdentifier()
                                                       : "\"" + entry->GetDescription() + "\"";
    WriteResult result = WindowWritePath(m_session, m_hWnd).Run(BootSequenceCommand(entry->GetIdentifier()));
    if (!result.succeeded)
        return;
    RefreshAll();
    AskToRestartNow(m_hWnd, name, m_restart);
}

void CKeystaveDlg::CancelOneTime()
{
    if (OneTimeEntry().empty())
        return;
    if (WindowWritePath(m_session, m_hWnd).Run(DeleteValueCommand("{bootmgr}", "bootsequence")).succeeded)
        RefreshAll();
}

void CKeystaveDlg::MakeDefault()
{
    CBcdBootLoader* entry = SelectedLoader();
    if (!entry || !StartsFromMenu(entry->GetKind()))
        return;
    if (WindowWritePath(m_session, m_hWnd).Run(SetUnquotedCommand("{bootmgr}", "default", entry->GetIdentifier())).succeeded)
        RefreshAll();
}

void CKeystaveDlg::RefreshAll()
{
    RefreshStore();
    MentionFirstBackup();
    CheckConfirmedChanges();
}

void CKeystaveDlg::DeleteLoader()
{
    CBcdBootLoader* loader = SelectedLoader();
    if (!loader || !StartsFromMenu(loader->GetKind()))
        return;
    // The last Windows loader goes no more than the last row: a store
    // with boot sectors and testers only would start no Windows.
    bool lastLoader = IsLoaderKind(loader->GetKind()) && m_model.GetLoaders().size() <= 1;
    if (m_loaderList.GetItemCount() <= 1 || lastLoader) {
        ShowError(m_hWnd, "You cannot delete the only entry in the list!");
        return;
    }
    const CBcdBootManager* manager = m_model.GetBootManager();
    bool isDefault = manager && EqualsNoCase(manager->GetDefault(), loader->GetIdentifier());
    bool isRunning = EqualsNoCase(m_session.RunningEntry(), loader->GetIdentifier());
    std::string question =
        DeleteEntryQuestion(loader->GetDescription(), loader->GetIdentifier(), isDefault, isRunning);
    // Deleting what boots, or would boot, is never the default answer.
    UINT style = isDefault || isRunning ? MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2
                                        : MB_OKCANCEL | MB_ICONQUESTION;
    if (ShowMessage(m_hWnd, question, style) != IDOK)
        return;
    WriteResult result = WindowWritePath(m_session, m_hWnd).Run(DeleteEntryCommand(loader->GetIdentifier()));
    MentionFirstBackup();
    if (result.succeeded)
        RefreshAll();
}

void CKeystaveDlg::OnOK()
{
    // Enter in the loader list opens the entry, as in any list of Windows;
    // the OK button, and OK sent by another program, still close.
    bool enterKey = (::GetKeyState(VK_RETURN) & 0x8000) != 0;
    HWND focus = ::GetFocus();
    if (enterKey && focus == m_loaderList.GetSafeHwnd()) {
        ShowLoaderProperties();
        return;
    }
    // Enter in a grid opens its window, as a double click on a list would.
    if (enterKey && InWindow(focus, m_bootGrid.GetSafeHwnd())) {
        ModifyBootManager();
        return;
    }
    if (enterKey && InWindow(focus, m_debugGrid.GetSafeHwnd())) {
        ModifyDebugSettings();
        return;
    }
    FreeElementCatalogue();
    EndDialog(IDOK);
}

void CKeystaveDlg::OnCancel()
{
    // Escape does nothing here: this window is the program, and a stray key
    // must not end it. The close box and Alt+F4 come as WM_CLOSE.
    if ((::GetKeyState(VK_ESCAPE) & 0x8000) != 0)
        return;
    FreeElementCatalogue();
    EndDialog(IDCANCEL);
}

bool CKeystaveDlg::OnCommand(WORD id, WORD code, HWND control)
{
    if (m_toolRuns > 0) {
        // A command that reaches the window while the tool runs (no click
        // or key does) waits if it ends the program, and is dropped else:
        // one command at a time.
        if (id == IDOK || id == IDCANCEL)
            m_endAfterRun = id;
        return true;
    }
    bool handled = HandleCommand(id);
    // Whatever window made it, the first backup is said when it is back.
    MentionFirstBackup();
    return handled || CDialog::OnCommand(id, code, control);
}

bool CKeystaveDlg::HandleCommand(WORD id)
{
    switch (id) {
    case ID_LOADER_PROPERTIES: ShowLoaderProperties(); return true;
    case ID_LOADER_CLONE: CloneLoader(); return true;
    case ID_LOADER_DELETE: DeleteLoader(); return true;
    case IDC_MODIFY_DEBUG: ModifyDebugSettings(); return true;
    case IDC_MODIFY_BOOT: ModifyBootManager(); return true;
    case IDC_CREATE_ENTRY: CreateEntry(); return true;
    case IDC_QUICK_SETTINGS:
    case ID_LOADER_QUICK_SETTINGS: ShowQuickSettings(); return true;
    case IDC_LEAVE_SAFE_MODE:
    case ID_LOADER_LEAVE_SAFE_MODE: LeaveSafeMode(); return true;
    case IDC_BACKUPS: ShowBackups(); return true;
    case IDC_OPEN_STORE: OpenStoreFile(); return true;
    case IDC_SYSTEM_STORE: ShowStore(std::string()); return true;
    case IDC_HISTORY: ShowHistory(); return true;
    case IDC_SHOW_ALL: ShowAllEntries(::IsDlgButtonChecked(m_hWnd, IDC_SHOW_ALL) == BST_CHECKED); return true;
    case IDC_FIRMWARE_MENU: ShowFirmwareMenu(); return true;
    case ID_LOADER_RESTART_ONCE: RestartIntoOnce(); return true;
    case IDC_CANCEL_ONE_TIME:
    case ID_LOADER_CANCEL_ONE_TIME: CancelOneTime(); return true;
    case ID_LOADER_MAKE_DEFAULT: MakeDefault(); return true;
    case ID_HELP_BUTTON: ShowHelp(); return true;
    default: return false;
    }
}

bool CKeystaveDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CONTEXTMENU:
        // From the keyboard (Shift+F10, the menu key): at the selected row.
        // A right click has its own notification.
        if (reinterpret_cast<HWND>(wParam) == m_loaderList.GetSafeHwnd() && lParam == -1) {
            ShowLoaderMenuAtSelection();
            return true;
        }
        return false;
    case WM_GETMINMAXINFO:
        if (m_minimumSize.cx > 0) {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = POINT{m_minimumSize.cx, m_minimumSize.cy};
        }
        result = 0;
        return true;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOut(LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_SETCURSOR:
        if (m_toolRuns == 0)
            return false;
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        result = TRUE;
        return true;
    case WM_CLOSE:
        result = 0;
        if (!CloseAsked())
            return true;
        FreeElementCatalogue();
        EndDialog(IDCANCEL);
        return true;
    case WM_HELP:
        ShowHelp();
        result = TRUE;
        return true;
    case WM_KEYSTAVE_TELL_READ_FAILURE:
        // Not inside a wait for the tool: the run's end would wait for the box.
        if (m_toolRuns > 0) {
            m_tellAfterRun = true;
            return true;
        }
        if (!m_readFailure.empty()) {
            // The dialog shows itself only once its queue is empty: show it first.
            ShowWindow(SW_SHOW);
            ShowError(m_hWnd, m_readFailure);
        }
        m_readFailure.clear();
        return true;
    case WM_KEYSTAVE_FIRST_READ:
        // A dialog shows itself only once its queue is empty: the read must
        // not keep it hidden.
        ShowWindow(SW_SHOW);
        ::UpdateWindow(m_hWnd);
        // The three reads of start-up run at once (begun while the window
        // was made): which Windows runs too, marked when known.
        m_session.StartReadsAhead(StartUpReads());
        // The command line's store file could not be read: this PC's is shown.
        if (!RefreshStore() && !StoreFileInUse().empty())
            ShowStore(std::string());
        m_session.RunningEntry();
        m_session.DropReadsAhead({EnumCurrentCommand().arguments});
        MarkEntries();
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            CAboutDlg about(m_hWnd);
            about.DoModal();
            return true;
        }
        return false;
    case WM_PAINT:
        if (!IsIconic())
            return false;
        OnPaint();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_DESTROY:
        FreeElementCatalogue();
        return false;
    default:
        return false;
    }
}

void CKeystaveDlg::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}
