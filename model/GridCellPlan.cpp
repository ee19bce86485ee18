#include "model/GridCellPlan.h"

#include "catalogue/BcdType.h"
#include "model/CBcdItem.h"
#include "model/CBcdObject.h"

namespace {

GridCellPlan PlainText(const std::string& text)
{
    GridCellPlan plan;
    plan.text = text;
    return plan;
}

GridCellPlan ComboOver(const ValueSet& choices, int selected)
{
    GridCellPlan plan;
    plan.kind = GridCellPlan::Combo;
    plan.choices = &choices;
    plan.selected = selected;
    return plan;
}

GridCellPlan ListOrFirstValue(const CBcdItem& item)
{
    return item.IsMultiValued() ? ComboOver(item.GetValueList(), 0) : PlainText(item.GetValue(0));
}

}  // namespace

std::string GridCellPlan::ShownText() const
{
    if (kind != Combo)
        return text;
    if (!choices || selected < 0 || static_cast<size_t>(selected) >= choices->size())
        return {};
    return (*choices)[static_cast<size_t>(selected)];
}

GridCellPlan PlanGridCell(const CBcdItem& item, bool editable)
{
    int type = item.GetType();
    if (const ValueSet* set = ValueSetFor(type))
        return ComboOver(*set, ValueSetPosition(*set, item.GetValue(0)));
    switch (type) {
    case BCD_TYPE_GUID:
        return ListOrFirstValue(item);
    case BCD_TYPE_DEFAULTGUID:
        return editable ? ComboOver(DefaultCandidates(), 0) : ListOrFirstValue(item);
    case BCD_TYPE_STRING:
    case BCD_TYPE_INTEGER:
    case BCD_TYPE_FILE: {
        GridCellPlan plan = PlainText(item.GetValue(0));
        if (editable)
            plan.kind = GridCellPlan::Edit;
        return plan;
    }
    case BCD_TYPE_PARTITION:
    case BCD_TYPE_DIRECTORY:
    case BCD_TYPE_DEBUGPORT:
    case BCD_TYPE_DEBUGTYPE:
    case BCD_TYPE_BAUDRATE:
    case BCD_TYPE_CHANNEL:
    case BCD_TYPE_LOCALE:
    case BCD_TYPE_UNKNOWN_VALUE:
        return PlainText(item.GetValue(0));
    case BCD_TYPE_INTEGERLIST:
    case BCD_TYPE_UNKNOWN_ENUM:
        return ListOrFirstValue(item);
    default:  // BCD_TYPE_NULL, no definition, or an unknown number
        return GridCellPlan();
    }
}

std::vector<GridRowPlan> PlanPropertyGrid(const CBcdObject* object, bool editable)
{
    std::vector<GridRowPlan> rows;
    if (!object)
        return rows;
    for (const auto& item : object->GetItems())
        rows.push_back(GridRowPlan{&item, std::string(item.GetName()), PlanGridCell(item, editable)});
    return rows;
}
