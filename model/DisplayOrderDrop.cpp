#include "model/DisplayOrderDrop.h"

#include <algorithm>

void DropRows(std::vector<OrderRow>& rows, int dragIndex, int dropIndex)
{
    int count = static_cast<int>(rows.size());
    if (dropIndex < -1 || dropIndex >= count)
        dropIndex = -1;
    std::vector<int> moving;
    for (int i = 0; i < count; ++i)
        if (rows[static_cast<size_t>(i)].selected)
            moving.push_back(i);
    if (moving.size() <= 1) {
        if (dragIndex < 0 || dragIndex >= count)
            return;
        moving = {dragIndex};
    }
    std::vector<OrderRow> taken;
    for (auto it = moving.rbegin(); it != moving.rend(); ++it) {
        taken.insert(taken.begin(), rows[static_cast<size_t>(*it)]);
        rows.erase(rows.begin() + *it);
        // Each removed row before the drop row moves the drop row up.
        if (dropIndex != -1 && *it < dropIndex)
            --dropIndex;
    }
    for (OrderRow& row : rows)
        row.selected = false;
    size_t at = dropIndex == -1 ? rows.size() : static_cast<size_t>(dropIndex);
    for (OrderRow& row : taken)
        row.selected = true;
    rows.insert(rows.begin() + static_cast<long>(at), taken.begin(), taken.end());
}
