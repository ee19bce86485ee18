#include "dialogs/CFirmwareMenuDlg.h"

#include "common/CGatheredNotices.h"
#include "controls/CXListCtrl.h"
#include "dialogs/RestartQuestion.h"
#include "dialogs/WindowWritePath.h"
#include "exec/ToolCommand.h"
#include "framework/MessageBoxes.h"
#include "model/DisplayOrderDrop.h"
#include "model/EntryMarks.h"
#include "model/ObjectKind.h"
#include "model/StoreReadFailure.h"
#include "res/resource.h"

namespace {

enum FirmwareColumn { kPlaceColumn, kDescriptionColumn, kIdColumn, kDeviceColumn, kPathColumn, kNoteColumn };

std::string NameOf(const FirmwareMenuEntry& entry) { return EntryName(entry.description, entry.identifier); }

}  // namespace

CFirmwareMenuDlg::CFirmwareMenuDlg(CSession& session, RestartRequest restart, HWND parent)
    : CDialog(IDD_FIRMWARE_MENU, parent),
      m_session(session),
      m_restart(std::move(restart)),
      m_model(RunThrough(session)),
      m_drag(m_list, [this](int dragIndex, int dropIndex) { Dropped(dragIndex, dropIndex); })
{
    m_model.SetScope(CStoreModel::Scope::Firmware);
    OnNotify(IDC_FW_LIST, LVN_BEGINDRAG, [this](NMHDR& header) {
        const auto& start = reinterpret_cast<NMLISTVIEW&>(header);
        // Only the menu's own rows move, and only in a menu read whole.
        bool movable = m_model.IsListingComplete() && start.iItem >= 0 &&
                       static_cast<size_t>(start.iItem) < m_menu.entries.size() &&
                       m_menu.entries[static_cast<size_t>(start.iItem)].place > 0;
        return movable ? m_drag.Begin(m_hWnd, start) : LRESULT(0);
    });
    OnNotify(IDC_FW_LIST, LVN_ITEMCHANGED, [this](NMHDR&) {
        UpdateButtons();
        return LRESULT(0);
    });
}

BOOL CFirmwareMenuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.Bind(GetDlgItem(IDC_FW_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertGridColumns(m_list, {2, 11, 21, 10, 11}, {"#", "Description", "Identifier", "Device", "Path", "Note"});
    // Texts read from the left; the place number alone is centred.
    for (int column = kIdColumn; column <= kNoteColumn; ++column)
        m_list.SetColumnFormat(column, LVCFMT_LEFT);
    ReadMenu();
    return TRUE;
}

void CFirmwareMenuDlg::ReadMenu()
{
    const FirmwareMenuEntry* before = SelectedEntry();
    std::string selected = before ? before->identifier : std::string();
    m_list.DeleteAllItems();
    {
        CGatheredNotices notices;
        m_model.EnumerateStore();
    }
    m_menu = ReadFirmwareMenu(m_model);
    m_readFailure.clear();
    const ToolAnswer& answer = m_model.GetLastEnumAnswer();
    if (!m_menu.hasManager)
        m_readFailure = AnswerSucceeded(answer) ? std::string(kBiosModeText)
                                                : StoreReadFailure(m_model.GetLastOutput(), answer);
    FillList();
    ShowState();
    Select(selected);
    UpdateButtons();
}

void CFirmwareMenuDlg::FillList()
{
    m_list.SetRedraw(false);
    for (size_t i = 0; i < m_menu.entries.size(); ++i) {
        const FirmwareMenuEntry& entry = m_menu.entries[i];
        int row = m_list.InsertItem(static_cast<int>(i), entry.place > 0 ? std::to_string(entry.place) : "",
                                    static_cast<LPARAM>(i));
        m_list.SetItemText(row, kDescriptionColumn, entry.description);
        m_list.SetItemText(row, kIdColumn, entry.identifier);
        m_list.SetItemText(row, kDeviceColumn, entry.device);
        m_list.SetItemText(row, kPathColumn, entry.path);
        m_list.SetItemText(row, kNoteColumn, FirmwareEntryNote(entry));
    }
    m_list.SetRedraw(true);
    m_list.SetColumnWidth(kNoteColumn, LVSCW_AUTOSIZE_USEHEADER);
}

void CFirmwareMenuDlg::ShowState()
{
    std::string text = m_readFailure;
    if (text.empty()) {
        text = "The firmware shows these entries in this order";
        if (!m_menu.timeout.empty())
            text += " for " + m_menu.timeout + " s";
        text += ". Drag an entry to move it.";
        if (!m_menu.oneTime.empty()) {
            std::string name = m_menu.oneTime;
            for (const FirmwareMenuEntry& entry : m_menu.entries)
                if (entry.oneTime)
                    name = NameOf(entry);
            text += "\nNext start only: " + name + ".";
        }
    }
    if (!m_model.IsListingComplete() && m_model.ListedBootManager())
        text += "\n" + IncompleteListingNotice(m_model.GetLastEnumAnswer().exitCode, m_model.GetListingWords()) +
                " The order is not changed from it.";
    ::SetDlgItemTextA(m_hWnd, IDC_FW_STATE, text.c_str());
}

const FirmwareMenuEntry* CFirmwareMenuDlg::SelectedEntry() const
{
    int row = m_list.GetSafeHwnd() ? m_list.GetSelectedRow() : -1;
    return row >= 0 && static_cast<size_t>(row) < m_menu.entries.size() ? &m_menu.entries[static_cast<size_t>(row)]
                                                                         : nullptr;
}

void CFirmwareMenuDlg::Select(const std::string& identifier)
{
    for (size_t i = 0; i < m_menu.entries.size(); ++i)
        if (!identifier.empty() && SameIdentifier(m_menu.entries[i].identifier, identifier)) {
            m_list.SetItemState(static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            m_list.EnsureVisible(static_cast<int>(i));
        }
}

void CFirmwareMenuDlg::UpdateButtons()
{
    const FirmwareMenuEntry* entry = SelectedEntry();
    // A store file is another PC's: its one-time start would not be this PC's next start.
    bool thisPc = StoreFileInUse().empty();
    bool whole = m_model.IsListingComplete();
    ::EnableWindow(GetDlgItem(IDC_FW_ONCE), entry && thisPc && m_menu.hasManager);
    ::EnableWindow(GetDlgItem(IDC_FW_CANCEL_ONCE), !m_menu.oneTime.empty());
    ::EnableWindow(GetDlgItem(IDC_FW_REMOVE), entry && whole && entry->place > 0 && !entry->bootManager);
    ::EnableWindow(GetDlgItem(IDC_FW_DELETE), entry && CanDeleteFirmwareEntry(*entry));
}

bool CFirmwareMenuDlg::Send(const ToolCommand& command)
{
    WriteResult result = WindowWritePath(m_session, m_hWnd).Run(command);
    if (!result.succeeded)
        return false;
    m_changed = true;
    ReadMenu();
    return true;
}

void CFirmwareMenuDlg::Dropped(int dragIndex, int dropIndex)
{
    size_t inMenu = 0;
    while (inMenu < m_menu.entries.size() && m_menu.entries[inMenu].place > 0)
        ++inMenu;
    if (dragIndex < 0 || static_cast<size_t>(dragIndex) >= inMenu)
        return;
    if (dropIndex >= 0 && static_cast<size_t>(dropIndex) >= inMenu)
        dropIndex = -1;
    std::vector<OrderRow> rows;
    for (size_t i = 0; i < inMenu; ++i)
        rows.push_back(OrderRow{m_menu.entries[i].identifier, m_menu.entries[i].description,
                                static_cast<int>(i) == dragIndex});
    DropRows(rows, dragIndex, dropIndex);
    std::vector<std::string> order;
    for (const OrderRow& row : rows)
        order.push_back(row.identifier);
    // Identifiers of the menu that name nothing listed keep their places at the end.
    for (const std::string& identifier : m_menu.order) {
        bool listed = false;
        for (size_t i = 0; i < inMenu && !listed; ++i)
            listed = SameIdentifier(m_menu.entries[i].identifier, identifier);
        if (!listed)
            order.push_back(identifier);
    }
    ToolCommand command = FirmwareOrderCommand(m_menu, order);
    if (!command.ok)
        return;  // dropped where it was: nothing to send
    std::string moved = m_menu.entries[static_cast<size_t>(dragIndex)].identifier;
    if (Send(command))
        Select(moved);
}

void CFirmwareMenuDlg::StartOnce()
{
    const FirmwareMenuEntry* entry = SelectedEntry();
    if (!entry)
        return;
    std::string name = NameOf(*entry);
    if (Send(FirmwareOneTimeCommand(m_menu, entry->identifier)))
        AskToRestartNow(m_hWnd, name, m_restart);
}

void CFirmwareMenuDlg::CancelOnce()
{
    if (!m_menu.oneTime.empty())
        Send(CancelFirmwareOneTimeCommand());
}

void CFirmwareMenuDlg::RemoveFromMenu()
{
    const FirmwareMenuEntry* entry = SelectedEntry();
    if (entry && entry->place > 0 && !entry->bootManager)
        Send(RemoveFromFirmwareMenuCommand(*entry));
}

void CFirmwareMenuDlg::DeleteEntry()
{
    const FirmwareMenuEntry* entry = SelectedEntry();
    if (!entry || !CanDeleteFirmwareEntry(*entry))
        return;
    if (ShowMessage(m_hWnd, DeleteFirmwareEntryQuestion(*entry), MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) !=
        IDOK)
        return;
    Send(DeleteEntryCommand(entry->identifier));
}

bool CFirmwareMenuDlg::OnCommand(WORD id, WORD, HWND)
{
    switch (id) {
    case IDC_FW_ONCE: StartOnce(); return true;
    case IDC_FW_CANCEL_ONCE: CancelOnce(); return true;
    case IDC_FW_REMOVE: RemoveFromMenu(); return true;
    case IDC_FW_DELETE: DeleteEntry(); return true;
    default: return false;
    }
}

bool CFirmwareMenuDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (!m_drag.OnMessage(message, lParam))
        return false;
    result = 0;
    return true;
}

void CFirmwareMenuDlg::OnOK() { EndDialog(m_changed ? IDOK : IDCANCEL); }

void CFirmwareMenuDlg::OnCancel() { EndDialog(m_changed ? IDOK : IDCANCEL); }
