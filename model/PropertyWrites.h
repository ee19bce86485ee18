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

// An edit of a grid row not yet sent, by element name, so that it outlives
// a re-read of the entry: the cell's text, and a list's values as edited.
struct PendingEdit {
    std::string name;
    std::string cellText;
    bool list = false;
    std::vector<std::string> values;
};
std::vector<PendingEdit> PendingEdits(const std::vector<GridRowState>& rows);

// What a property window says when a row's change was not made (the tool
// did not confirm it, or it was not sent at all): the element, the tool's
// words or the reason, and that the window keeps the `stillMarked` changes
// not made.
std::string RowNotMadeMessage(const std::string& name, bool sent, const std::vector<std::string>& words,
                              size_t stillMarked);
