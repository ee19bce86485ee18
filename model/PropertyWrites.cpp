#include "model/PropertyWrites.h"

#include "model/CBcdItem.h"

std::vector<PlannedWrite> PlanPropertyWrites(const std::string& identifier,
                                             const std::vector<GridRowState>& rows)
{
    std::vector<PlannedWrite> writes;
    for (size_t row = 0; row < rows.size(); ++row) {
        const GridRowState& state = rows[row];
        if (!state.modified || !state.item)
            continue;
        const std::string name(state.item->GetName());
        ToolCommand command = state.item->GetValueCount() == 1
                                  ? SetValueCommand(identifier, name, state.cellText)
                                  : SetListCommand(identifier, name, state.item->GetValues());
        writes.push_back(PlannedWrite{static_cast<int>(row), name, command});
    }
    return writes;
}


std::vector<PendingEdit> PendingEdits(const std::vector<GridRowState>& rows)
{
    std::vector<PendingEdit> edits;
    for (const GridRowState& state : rows) {
        if (!state.modified || !state.item)
            continue;
        PendingEdit edit;
        edit.name = std::string(state.item->GetName());
        edit.cellText = state.cellText;
        edit.list = state.item->GetValueCount() != 1;
        if (edit.list)
            edit.values = state.item->GetValues();
        edits.push_back(std::move(edit));
    }
    return edits;
}

std::string RowNotMadeMessage(const std::string& name, bool sent, const std::vector<std::string>& words,
                              size_t stillMarked)
{
    std::string text = sent ? "The change of " + name + " was not made. BCDEDIT.EXE said:\n"
                            : "The change of " + name + " was not sent:\n";
    for (const std::string& line : words)
        text += "\n" + line;
    if (words.empty())
        text += "\n(nothing)";
    text += "\n\n" + std::to_string(stillMarked) + (stillMarked == 1 ? " change was" : " changes were") +
            " not made and " + (stillMarked == 1 ? "is" : "are") +
            " still marked in the list. Correct them and press OK again, or Cancel.";
    return text;
}
