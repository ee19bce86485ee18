#pragma once
#include <string>
#include <vector>

#include "exec/ToolCommand.h"

class CBcdItem;

// One grid row of a property window as OK finds it.
struct GridRowState {
    const CBcdItem* item = nullptr;
    bool modified = false;
    std::string cellText;
};

struct PlannedWrite {
    int row;
    std::string name;
    ToolCommand command;
};

// The commands a property window's OK sends, in row order: one per modified
// row; a single value is the cell's text, quoted; a list (or no value) is
// the item's own values, unquoted.
std::vector<PlannedWrite> PlanPropertyWrites(const std::string& identifier,
                                             const std::vector<GridRowState>& rows);

// What the window says after a row's command failed.
std::string ModifiedRowMessage(int row, const std::string& name);
