#include "model/GridCellPlan.h"

#include <gtest/gtest.h>

#include "catalogue/BcdType.h"
#include "model/CBcdBootLoader.h"
#include "model/CollectUnknownElement.h"
#include "tests/native/CatalogueFixture.h"

namespace {

class GridCellPlanTest : public WithShippedCatalogue {
protected:
    // The added item, valid until the next Add.
    const CBcdItem& Add(const std::string& name, std::vector<std::string> values)
    {
        CBcdItem item;
        EXPECT_TRUE(item.Identify(name)) << name;
        for (const std::string& value : values)
            item.AddValue(value);
        object.AddItem(std::move(item));
        return object.GetItems().back();
    }
    CBcdBootLoader object;
};

}  // namespace

TEST_F(GridCellPlanTest, ValueSetCellsSelectThePrintedWord)
{
    GridCellPlan nx = PlanGridCell(Add("nx", {"OptOut"}), false);
    EXPECT_EQ(nx.kind, GridCellPlan::Combo);
    ASSERT_EQ(nx.choices, ValueSetFor(BCD_TYPE_NX));
    EXPECT_EQ(nx.ShownText(), "OPTOUT");
    EXPECT_EQ(PlanGridCell(Add("quietboot", {""}), true).ShownText(), "YES");
    EXPECT_EQ(PlanGridCell(Add("firstmegabytepolicy", {"UsePrivate"}), true).ShownText(),
              "USEPRIVATE");
    EXPECT_EQ(PlanGridCell(Add("driverloadfailurepolicy", {"UseErrorControl"}), true).ShownText(),
              "USEERRORCONTROL");

    // Twelve sets, in the listed order.
    int sets = 0;
    for (int type = 0; type < kBcdTypeCount; ++type)
        sets += ValueSetFor(type) != nullptr;
    EXPECT_EQ(sets, 12);
    EXPECT_EQ(*ValueSetFor(BCD_TYPE_STARTPOLICY),
              (ValueSet{"ACTIVE", "AUTOENABLE", "DISABLE"}));
    EXPECT_EQ(ValueSetFor(BCD_TYPE_STRING), nullptr);
}

TEST_F(GridCellPlanTest, EditabilityDecidesTextAndDefaultCells)
{
    const CBcdItem& description = Add("description", {"Windows 11"});
    EXPECT_EQ(PlanGridCell(description, false).kind, GridCellPlan::Plain);
    GridCellPlan edit = PlanGridCell(description, true);
    EXPECT_EQ(edit.kind, GridCellPlan::Edit);
    EXPECT_EQ(edit.text, "Windows 11");
    EXPECT_EQ(PlanGridCell(Add("device", {"partition=C:"}), true).kind, GridCellPlan::Plain);

    const CBcdItem& defaultEntry = Add("default", {"{current}"});
    EXPECT_EQ(PlanGridCell(defaultEntry, false).text, "{current}");
    DefaultCandidates().clear();
    GridCellPlan none = PlanGridCell(defaultEntry, true);
    EXPECT_EQ(none.kind, GridCellPlan::Combo);
    EXPECT_EQ(none.ShownText(), "") << "no candidates: an empty cell";
    DefaultCandidates() = {"{current}", "{other}"};
    EXPECT_EQ(PlanGridCell(defaultEntry, true).ShownText(), "{current}");
    DefaultCandidates().clear();

    const CBcdItem& order = Add("displayorder", {"{a}", "{b}"});
    GridCellPlan list = PlanGridCell(order, false);
    EXPECT_EQ(list.kind, GridCellPlan::Combo);
    EXPECT_EQ(list.choices, &order.GetValueList());
    EXPECT_EQ(list.ShownText(), "{a}");
    EXPECT_EQ(PlanGridCell(Add("badmemorylist", {"0x2b42", "0x2b43"}), true).choices->size(), 2u);
}

TEST_F(GridCellPlanTest, RowsFollowTheItems)
{
    EXPECT_TRUE(PlanPropertyGrid(nullptr, false).empty());
    EXPECT_TRUE(PlanPropertyGrid(&object, false).empty());
    Add("identifier", {"{x}"});
    Add("nx", {"AlwaysOn"});
    OutputLines lines = {"custom:47000005 1", "  2"};
    size_t i = 0;
    CollectUnknownElement(lines, i, object);
    std::vector<GridRowPlan> rows = PlanPropertyGrid(&object, true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "identifier");
    EXPECT_EQ(rows[0].cell.text, "{x}");
    EXPECT_EQ(rows[1].cell.ShownText(), "ALWAYSON");
    EXPECT_EQ(rows[2].name, "custom:47000005 : CUSTOM IDENTIFIER");
    EXPECT_EQ(rows[2].cell.kind, GridCellPlan::Combo);
    EXPECT_EQ(rows[2].cell.ShownText(), "1");
    EXPECT_EQ(rows[2].item, &object.GetItems()[2]);
}
