#pragma once
#include <string>
#include <vector>

#include "catalogue/ValueSet.h"

class CBcdItem;
class CBcdObject;

// What the data cell of one grid row shows and how it is edited, decided
// from the item's value type; the grid only draws it.
struct GridCellPlan {
    enum Kind { Plain, Edit, Combo };
    Kind kind = Plain;
    std::string text;                        // Plain and Edit
    const ValueSet* choices = nullptr;       // Combo: referenced, not copied
    int selected = 0;                        // Combo: index into choices
    // The text a combo shows: its selected choice, or empty when there is none.
    std::string ShownText() const;
};

struct GridRowPlan {
    const CBcdItem* item;
    std::string name;
    GridCellPlan cell;
};

constexpr int kComboDropDownRows = 10;

GridCellPlan PlanGridCell(const CBcdItem& item, bool editable);
// One row per item, in the object's order; no rows without an object.
std::vector<GridRowPlan> PlanPropertyGrid(const CBcdObject* object, bool editable);
