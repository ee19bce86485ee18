#pragma once
#include <cstddef>
#include <vector>

struct GridColumn {
    int width;
    bool centred;  // column 1 is left-aligned, every other column centred
};

// Lays out `count` columns over a list `listWidth` pixels wide: W = width - 2;
// column i gets widths[i] * W / 64, the last takes W less the others less 2.
std::vector<GridColumn> LayOutGridColumns(int listWidth, const std::vector<int>& widths,
                                          size_t count);
