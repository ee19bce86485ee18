#pragma once

class CXListCtrl;
class CBcdObject;

// Shows an object's items in a grid, one row per item with the data cell
// its value type calls for; `editable` for the property windows. Rows point
// at the items: empty the grid before the object goes.
void FillPropertyGrid(CXListCtrl& grid, const CBcdObject* object, bool editable);
