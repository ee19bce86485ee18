#include "controls/FillPropertyGrid.h"

#include "model/GridCellPlan.h"
#include "controls/CXListCtrl.h"

void FillPropertyGrid(CXListCtrl& grid, const CBcdObject* object, bool editable)
{
    // Each cell set would draw the grid at once: it is drawn when filled.
    grid.SetRedraw(false);
    grid.DeleteAllItems();
    // A name too long for its column shows whole in a tip.
    grid.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                     LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    if (grid.GetColumns() == 0)
        InsertGridColumns(grid, {24, 40}, {"Identifier", "Data"});
    int row = 0;
    for (const GridRowPlan& plan : PlanPropertyGrid(object, editable)) {
        grid.InsertItem(row, plan.name);
        grid.SetItemData(row, reinterpret_cast<LPARAM>(plan.item));
        switch (plan.cell.kind) {
        case GridCellPlan::Plain:
            grid.SetItemText(row, 1, plan.cell.text);
            break;
        case GridCellPlan::Edit:
            grid.SetItemText(row, 1, plan.cell.text);
            grid.SetEdit(row, 1);
            break;
        case GridCellPlan::Combo:
            grid.SetComboBox(row, 1, true, plan.cell.choices, kComboDropDownRows, plan.cell.selected);
            break;
        }
        ++row;
    }
    grid.SetRedraw(true);
}
