#pragma once
#include <string>
#include <vector>

// One row of the display order window: an identifier and the description of
// the loader it names (empty when none does).
struct OrderRow {
    std::string identifier;
    std::string description;
    bool selected = false;
};

// Moves the selected rows in front of row `dropIndex` (-1: after the last
// row), keeping their order; with at most one row selected, the row the drag
// began on moves. The moved rows end selected. One row dropped on itself
// stays where it was.
void DropRows(std::vector<OrderRow>& rows, int dragIndex, int dropIndex);
