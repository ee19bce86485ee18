#include <gtest/gtest.h>

#include "catalogue/BcdType.h"
#include "catalogue/ElementCatalogue.h"
#include "controls/CDropWnd.h"
#include "controls/CXCombo.h"
#include "controls/GridMessages.h"
#include "tests/wine/CGridHostDlg.h"
#include "tests/wine/WineTestSupport.h"

namespace {

void TypeText(const char* text)
{
    for (const char* c = text; *c; ++c)
        PressKey(static_cast<WORD>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c));
}

POINT CellCentre(CXListCtrl& grid, int row, int column)
{
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    grid.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    if (column == 0)
        rect.right = rect.left + 40;
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(grid, &point);
    return point;
}

// Dark pixels (text) in the grid's client area below its header.
int TextPixels(HWND list)
{
    ::UpdateWindow(list);
    RECT client, header;
    ::GetClientRect(list, &client);
    ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
    int top = header.bottom - header.top + 1;
    HDC dc = ::GetDC(list);
    int dark = 0;
    for (int y = top; y < client.bottom; y += 1)
        for (int x = 0; x < client.right; x += 1) {
            COLORREF pixel = ::GetPixel(dc, x, y);
            if (pixel != CLR_INVALID && GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200)
                ++dark;
        }
    ::ReleaseDC(list, dc);
    return dark;
}

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFreshSampleStore(MakeTempFolder("ks-grid") + "\\store.txt");
        dialog = std::make_unique<CGridHostDlg>();
        ASSERT_TRUE(dialog->Create());
        ASSERT_TRUE(dialog->LoadError().empty()) << dialog->LoadError();
        ::ShowWindow(*dialog, SW_SHOW);
        ::SetForegroundWindow(*dialog);
        ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == *dialog; }));
    }
    void TearDown() override
    {
        dialog.reset();
        FreeElementCatalogue();
    }
    CXListCtrl& G() { return dialog->Grid(); }
    int Row(int type)
    {
        int row = dialog->RowOfType(type);
        EXPECT_GE(row, 0) << "no row of type " << type;
        if (row >= 0)
            G().SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        return row;
    }
    HWND DropWindow() { return ::FindWindowA(CDropWnd::kClassName, nullptr); }

    std::unique_ptr<CGridHostDlg> dialog;
};

}  // namespace

TEST_F(Grid, AClickOnAValueCellOpensTheEditorItsTypeCallsFor)
{
    int description = Row(BCD_TYPE_STRING);
    ClickAt(CellCentre(G(), description, 1));
    EXPECT_TRUE(G().IsEditing());
    EXPECT_FALSE(G().IsDroppedDown());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(G().IsEditing());

    int nx = Row(BCD_TYPE_NX);
    ClickAt(CellCentre(G(), nx, 1));
    EXPECT_TRUE(G().IsDroppedDown());
    PressKey(VK_ESCAPE);  // the list is closed: escape ends the editor
    EXPECT_TRUE(WaitUntil([&] { return !G().IsDroppedDown(); }));

    int device = Row(BCD_TYPE_PARTITION);
    ClickAt(CellCentre(G(), device, 1));
    EXPECT_FALSE(G().IsEditing());
    EXPECT_FALSE(G().IsDroppedDown());
    ClickAt(CellCentre(G(), description, 0));
    EXPECT_FALSE(G().IsEditing()) << "names are not editable";
    EXPECT_TRUE(dialog->Notices().empty());
}

TEST_F(Grid, EnterCommitsTheTextMarksTheCellAndTellsTheParent)
{
    int row = Row(BCD_TYPE_STRING);
    std::string before = G().GetItemText(row, 1);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsEditing());
    TypeText("renamed");  // the text was selected: typing replaces it
    PressKey(VK_RETURN);
    EXPECT_FALSE(G().IsEditing());
    EXPECT_EQ(G().GetItemText(row, 1), "renamed");
    EXPECT_TRUE(G().GetModified(row, 1));
    EXPECT_TRUE(G().IsChanged());
    ASSERT_EQ(dialog->Notices().size(), 1u) << "Enter, then focus loss: one notice";
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_EDIT_END);
    EXPECT_EQ(dialog->Notices()[0].row, row);
    EXPECT_EQ(dialog->Notices()[0].column, 1);
    EXPECT_NE(before, "renamed");
}

TEST_F(Grid, EscapeAndEmptyTextKeepTheOldValue)
{
    int row = Row(BCD_TYPE_INTEGER);
    std::string before = G().GetItemText(row, 1);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsEditing());
    TypeText("77");
    PressKey(VK_ESCAPE);
    EXPECT_EQ(G().GetItemText(row, 1), before);
    EXPECT_FALSE(G().GetModified(row, 1));
    EXPECT_TRUE(dialog->Notices().empty()) << "escape sends nothing";

    // Cleared and confirmed: the saved text stays, the notice still comes.
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsEditing());
    PressKey(VK_DELETE);
    PressKey(VK_RETURN);
    EXPECT_EQ(G().GetItemText(row, 1), before);
    EXPECT_FALSE(G().GetModified(row, 1));
    ASSERT_EQ(dialog->Notices().size(), 1u);
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_EDIT_END);

    // Focus loss ends the edit and keeps what was typed.
    dialog->ClearNotices();
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsEditing());
    TypeText("42");
    ::SetFocus(::GetDlgItem(*dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !G().IsEditing(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "42");
    EXPECT_TRUE(G().GetModified(row, 1));
    EXPECT_EQ(dialog->Notices().size(), 1u);
}

TEST_F(Grid, ADropDownChoiceByMouseLandsInTheCell)
{
    int row = Row(BCD_TYPE_NX);
    EXPECT_EQ(G().GetItemText(row, 1), "OPTIN");
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsDroppedDown());
    PressKey(VK_F4);
    HWND drop = DropWindow();
    ASSERT_NE(drop, nullptr) << "F4 opens the list";
    HWND list = ::GetDlgItem(drop, 101);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
    RECT item;
    ::SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));  // ALWAYSON
    POINT point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &point);
    ClickAt(point);
    EXPECT_TRUE(WaitUntil([&] { return DropWindow() == nullptr && !G().IsDroppedDown(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "ALWAYSON");
    EXPECT_TRUE(G().GetModified(row, 1));
    ASSERT_EQ(dialog->Notices().size(), 1u);
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_COMBO_SELECTION);
    EXPECT_EQ(dialog->Notices()[0].row, row);
}

TEST_F(Grid, ADropDownChoiceByKeyboardLandsInTheCell)
{
    int row = Row(BCD_TYPE_PAE);
    EXPECT_EQ(G().GetItemText(row, 1), "FORCEENABLE");
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsDroppedDown());
    PressKey(VK_DOWN);  // FORCEDISABLE, the last word
    PressKey(VK_DOWN);  // at the last entry nothing changes
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !G().IsDroppedDown(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "FORCEDISABLE");
    EXPECT_TRUE(G().GetModified(row, 1));
    ASSERT_EQ(dialog->Notices().size(), 1u);
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_COMBO_SELECTION);

    // Choosing the word the cell already shows: notice, but no change.
    dialog->ClearNotices();
    int yesNo = Row(BCD_TYPE_YESNO);
    ClickAt(CellCentre(G(), yesNo, 1));
    ASSERT_TRUE(G().IsDroppedDown());
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !G().IsDroppedDown(); }));
    EXPECT_EQ(G().GetItemText(yesNo, 1), "YES");
    EXPECT_FALSE(G().GetModified(yesNo, 1));
    EXPECT_EQ(dialog->Notices().size(), 1u);
}

TEST_F(Grid, EscapeWithTheListOpenOnlyClosesTheList)
{
    int row = Row(BCD_TYPE_NX);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsDroppedDown());
    PressKey(VK_F4);
    ASSERT_NE(DropWindow(), nullptr);
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(DropWindow(), nullptr);
    EXPECT_TRUE(G().IsDroppedDown()) << "the editor stays after the first escape";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !G().IsDroppedDown(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "OPTIN");
    EXPECT_TRUE(dialog->Notices().empty());
}

TEST_F(Grid, AnEmptyGridShowsTheEmptyListText)
{
    CXListCtrl& empty = dialog->EmptyGrid();
    EXPECT_EQ(empty.GetItemCount(), 0);
    EXPECT_EQ(empty.GetColumns(), 2);
    EXPECT_GT(TextPixels(empty), 50) << "the empty-list text is drawn";
    ASSERT_EQ(empty.InsertItem(0, ""), 0);
    ::InvalidateRect(empty, nullptr, TRUE);
    EXPECT_EQ(TextPixels(empty), 0) << "with a row, the text is gone";

    // Out of range: no effect, empty answers.
    EXPECT_EQ(empty.GetItemText(5, 0), "");
    EXPECT_EQ(empty.GetItemText(0, 7), "");
    EXPECT_FALSE(empty.SetItemText(3, 1, "x"));
    EXPECT_EQ(empty.GetItemData(9), 0);
    EXPECT_FALSE(empty.GetModified(-1, 0));
}

TEST_F(Grid, ColumnWidthsFollowSixtyFourths)
{
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                  258, 100, *dialog, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    InsertGridColumns(list, {24, 40}, {"Identifier", "Data"});
    EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 96);
    EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 158);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    ::SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);

    // The property grid's own columns, and a refill keeps exactly two.
    EXPECT_EQ(G().GetColumns(), 2);
    ::DestroyWindow(list);
}

TEST_F(Grid, ComboCellsFollowTheirInitialChoiceAndSortRule)
{
    CXListCtrl& grid = dialog->EmptyGrid();
    grid.InsertItem(0, "a");
    std::vector<std::string> words = {"beta", "Alpha", "gamma"};
    ASSERT_TRUE(grid.SetComboBox(0, 1, true, &words, 10, 7, true));
    EXPECT_EQ(words, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(grid.GetItemText(0, 1), "Alpha") << "an initial index out of range is 0";
    EXPECT_FALSE(grid.SetComboBox(0, 1, true, static_cast<const std::vector<std::string>*>(nullptr), 10, 0));
}

TEST_F(Grid, MovingBetweenCellsOpensEachEditorOnTheFirstClick)
{
    int nx = Row(BCD_TYPE_NX), pae = Row(BCD_TYPE_PAE), text = Row(BCD_TYPE_STRING);
    auto settledOn = [&](int row, bool combo) {
        return WaitUntil([&] { return G().IsSettled(); }) && G().GetEditorRow() == row &&
               (combo ? G().IsDroppedDown() : G().IsEditing());
    };
    ClickAt(CellCentre(G(), nx, 1));
    ASSERT_TRUE(settledOn(nx, true));

    // From an open drop-down to another drop-down cell: one click.
    ClickAt(CellCentre(G(), pae, 1));
    EXPECT_TRUE(settledOn(pae, true)) << "the old editor's timers left the new one alone";
    EXPECT_EQ(G().GetItemText(nx, 1), "OPTIN");
    EXPECT_FALSE(G().GetModified(nx, 1));

    // From an open list to a text cell: one click.
    PressKey(VK_F4);
    ASSERT_TRUE(WaitUntil([&] { return DropWindow() != nullptr; }));
    ClickAt(CellCentre(G(), text, 1));
    EXPECT_TRUE(WaitUntil([&] { return DropWindow() == nullptr; }));
    EXPECT_TRUE(settledOn(text, false)) << "the text box opened on the first click";
    EXPECT_EQ(G().GetItemText(pae, 1), "FORCEENABLE") << "nothing was chosen in the list";

    // From a text box to a drop-down cell: one click, the typed text kept.
    PressKey('Z');
    ClickAt(CellCentre(G(), nx, 1));
    EXPECT_TRUE(settledOn(nx, true));
    EXPECT_EQ(G().GetItemText(text, 1), "z");
    EXPECT_TRUE(G().GetModified(text, 1));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !G().IsDroppedDown() && G().IsSettled(); }));
}

TEST_F(Grid, OneClickOnOkWhileATextBoxIsOpenEndsTheEditAndTheDialog)
{
    int row = Row(BCD_TYPE_STRING);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsEditing());
    PressKey('Q');
    HWND dialogWindow = *dialog;
    ClickAt(WindowCentre(::GetDlgItem(dialogWindow, IDOK)));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialogWindow); })) << "OK was pressed";
    ASSERT_FALSE(dialog->Notices().empty());
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_EDIT_END) << "the edit ended first";
}

TEST_F(Grid, AKeyboardChoiceIsTakenWhereverThePointerIs)
{
    int row = Row(BCD_TYPE_NX);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsDroppedDown());
    // The pointer goes to the name column, where a mouse choice would not count.
    POINT away = CellCentre(G(), row, 0);
    ::SetCursorPos(away.x, away.y);
    PressKey(VK_DOWN);  // OPTOUT
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !G().IsDroppedDown() && G().IsSettled(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "OPTOUT");
    EXPECT_TRUE(G().GetModified(row, 1));
    ASSERT_EQ(dialog->Notices().size(), 1u);
    EXPECT_EQ(dialog->Notices()[0].message, WM_XLISTCTRL_COMBO_SELECTION);
}

TEST_F(Grid, AReadOnlyGridShowsListsButKeepsItsValues)
{
    G().SetReadOnly(true);
    int text = Row(BCD_TYPE_STRING);
    ClickAt(CellCentre(G(), text, 1));
    EXPECT_FALSE(G().IsEditing()) << "no text box";

    int row = Row(BCD_TYPE_NX);
    ClickAt(CellCentre(G(), row, 1));
    ASSERT_TRUE(G().IsDroppedDown()) << "a list still opens to show its words";
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !G().IsDroppedDown() && G().IsSettled(); }));
    EXPECT_EQ(G().GetItemText(row, 1), "OPTIN") << "the cell still shows what the store holds";
    EXPECT_FALSE(G().GetModified(row, 1));
    EXPECT_FALSE(G().IsChanged());
}
