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

std::string ModifiedRowMessage(int row, const std::string& name)
{
    return "Modified " + std::to_string(row) + " " + name;
}
