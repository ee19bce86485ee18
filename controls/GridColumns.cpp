#include "controls/GridColumns.h"

std::vector<GridColumn> LayOutGridColumns(int listWidth, const std::vector<int>& widths,
                                          size_t count)
{
    std::vector<GridColumn> columns;
    const int usable = listWidth - 2;
    int used = 0;
    for (size_t i = 0; i < count; ++i) {
        int width;
        if (i + 1 == count) {
            width = usable - used - 2;
        } else {
            width = (i < widths.size() ? widths[i] : 0) * usable / 64;
            used += width;
        }
        columns.push_back(GridColumn{width, i != 1});
    }
    return columns;
}
