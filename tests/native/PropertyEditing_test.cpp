#include <gtest/gtest.h>

#include "catalogue/BcdType.h"
#include "catalogue/ValueSet.h"
#include "model/AddPropertyPlan.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/DisplayOrderDrop.h"
#include "model/PageList.h"
#include "model/PropertyWrites.h"
#include "tests/native/CatalogueFixture.h"

namespace {

class PropertyEditing : public WithShippedCatalogue {
protected:
    void Add(CBcdObject& object, const std::string& name, std::vector<std::string> values)
    {
        CBcdItem item;
        EXPECT_TRUE(item.Identify(name)) << name;
        for (const std::string& value : values)
            item.AddValue(value);
        object.AddItem(std::move(item));
    }
    const ElementDefinition& Definition(const std::string& name)
    {
        int index = ElementCatalogue::Instance().Identify(name);
        EXPECT_GE(index, 0) << name;
        return *ElementCatalogue::Instance().Record(index < 0 ? 0 : index);
    }
};

std::vector<std::string> Identifiers(const std::vector<OrderRow>& rows)
{
    std::vector<std::string> ids;
    for (const OrderRow& row : rows)
        ids.push_back(row.identifier);
    return ids;
}

std::vector<OrderRow> Rows(const std::string& letters, const std::string& selected = "")
{
    std::vector<OrderRow> rows;
    for (char c : letters)
        rows.push_back(OrderRow{std::string(1, c), "", selected.find(c) != std::string::npos});
    return rows;
}

}  // namespace

TEST_F(PropertyEditing, OkWritesModifiedRowsInOrderSingleValuesQuotedListsFromTheItem)
{
    CBcdBootLoader loader;
    Add(loader, "identifier", {"{a}"});
    Add(loader, "description", {"Windows 11"});
    Add(loader, "badmemorylist", {"0x10", "12", "7"});
    Add(loader, "nx", {"OptIn"});
    const CBcdItem* description = &loader.GetItems()[1];
    const CBcdItem* pages = &loader.GetItems()[2];
    const CBcdItem* nx = &loader.GetItems()[3];
    std::vector<GridRowState> rows = {
        {&loader.GetItems()[0], false, "{a}"},
        {description, true, "My Windows"},
        {pages, true, "whatever the cell shows"},
        {nx, false, "OPTOUT"},
    };
    std::vector<PlannedWrite> writes = PlanPropertyWrites("{a}", rows);
    ASSERT_EQ(writes.size(), 2u) << "unchanged rows send nothing";
    EXPECT_EQ(writes[0].row, 1);
    EXPECT_EQ(writes[0].command.arguments, "/set {a} description \"My Windows\"");
    EXPECT_EQ(writes[1].row, 2);
    EXPECT_EQ(writes[1].command.arguments, "/set {a} badmemorylist 0x10 12 7 ");

    rows[1].modified = rows[2].modified = false;
    EXPECT_TRUE(PlanPropertyWrites("{a}", rows).empty());
    // A value that cannot be sent is planned as a refusal, not as a command.
    rows[1] = {description, true, "ends in a backslash\\"};
    writes = PlanPropertyWrites("{a}", rows);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_FALSE(writes[0].command.ok);
    EXPECT_FALSE(writes[0].command.reason.empty());

    // Edits not yet sent, kept by name to outlive a re-read of the entry.
    rows[1] = {description, true, "Work"};
    rows[2].modified = true;
    std::vector<PendingEdit> pending = PendingEdits(rows);
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].name, "description");
    EXPECT_EQ(pending[0].cellText, "Work");
    EXPECT_FALSE(pending[0].list);
    EXPECT_EQ(pending[1].name, "badmemorylist");
    EXPECT_TRUE(pending[1].list);
    EXPECT_EQ(pending[1].values, (std::vector<std::string>{"0x10", "12", "7"}));
    rows[1].modified = rows[2].modified = false;
    EXPECT_TRUE(PendingEdits(rows).empty());

    // A change not made names the element, the tool's words and what stays marked.
    std::string failed = RowNotMadeMessage("description", true, {"An error occurred.", "Access is denied."}, 3);
    EXPECT_EQ(failed, "The change of description was not made. BCDEDIT.EXE said:\n\nAn error occurred.\n"
                      "Access is denied.\n\n3 changes were not made and are still marked in the list. "
                      "Correct them and press OK again, or Cancel.");
    EXPECT_NE(RowNotMadeMessage("nx", false, {"The value holds a quote."}, 1)
                  .find("The change of nx was not sent:\n\nThe value holds a quote.\n\n1 change was not made and is"),
              std::string::npos);
}

TEST_F(PropertyEditing, AddPropertyOffersWhatIsMissingAndSendsOneQuotedValue)
{
    CBcdBootManager manager;
    Add(manager, "identifier", {"{bootmgr}"});
    Add(manager, "DESCRIPTION", {"Windows Boot Manager"});
    std::vector<std::string> offered;
    for (const ElementDefinition* definition : OfferedDefinitions(manager, kContextManager))
        offered.push_back(definition->name);
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "description"), offered.end())
        << "present, whatever its case";
    EXPECT_NE(std::find(offered.begin(), offered.end(), "timeout"), offered.end());
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "nx"), offered.end()) << "a loader element";
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "identifier"), offered.end()) << "not modifiable";
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "debugstart"), offered.end()) << "debugger only";
    // Nothing is offered that the window has no input for.
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "emsbaudrate"), offered.end()) << "unsupported type";
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "bootsequence"), offered.end()) << "entries";
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "default"), offered.end()) << "an entry";
    ASSERT_FALSE(offered.empty());
    for (const ElementDefinition* definition : OfferedDefinitions(manager, static_cast<uint16_t>(kContextManager | kContextLoader))) {
        AddPropertyInput input = InputForType(definition->type);
        EXPECT_TRUE(input != AddPropertyInput::None && input != AddPropertyInput::Unsupported)
            << definition->name;
    }

    AddPropertyValues values;
    values.text = "My Windows";
    EXPECT_EQ(AddPropertyCommand("{a}", Definition("description"), values).arguments,
              "/set {a} description \"My Windows\"") << "one argument, blanks and all";
    values.number = 4294967295u;
    EXPECT_EQ(AddPropertyCommand("{a}", Definition("timeout"), values).arguments,
              "/set {a} timeout \"4294967295\"") << "the unsigned number typed, never -1";
    EXPECT_EQ(AddPropertyCommand("{a}", Definition("badmemorylist"), values).arguments,
              "/set {a} badmemorylist 4294967295 ") << "a number list stays unquoted";
    values.choice = "OPTOUT";
    EXPECT_EQ(AddPropertyCommand("{a}", Definition("nx"), values).arguments,
              "/set {a} nx \"OPTOUT\"");
    values.text = "\\EFI\\boot.efi";
    ToolCommand path = AddPropertyCommand("{a}", Definition("path"), values);
    EXPECT_FALSE(path.ok);
    EXPECT_EQ(path.reason, "Invalid File Name. No Path can be present.");
    values.text = "bootmgr.efi";
    EXPECT_TRUE(AddPropertyCommand("{a}", Definition("path"), values).ok);
    // An empty value is never sent.
    values.text.clear();
    ToolCommand empty = AddPropertyCommand("{a}", Definition("description"), values);
    EXPECT_FALSE(empty.ok);
    EXPECT_NE(empty.reason.find("description"), std::string::npos) << empty.reason;
    values.choice.clear();
    EXPECT_FALSE(AddPropertyCommand("{a}", Definition("nx"), values).ok);

    EXPECT_EQ(InputForType(BCD_TYPE_STRING), AddPropertyInput::Text);
    EXPECT_EQ(InputForType(BCD_TYPE_INTEGERLIST), AddPropertyInput::Number);
    EXPECT_EQ(InputForType(BCD_TYPE_BOOTSTATUSPOLICY), AddPropertyInput::Choice);
    EXPECT_EQ(InputForType(BCD_TYPE_DEFAULTGUID), AddPropertyInput::None);
    EXPECT_EQ(InputForType(BCD_TYPE_DEBUGTYPE), AddPropertyInput::Unsupported);
}

TEST_F(PropertyEditing, PageNumbersAreNonZeroDecimalOrHexListedOnceInTheStoresNotation)
{
    std::vector<std::string> listed = {"10", "9", "012", "0x2b42"};
    EXPECT_EQ(PageNumberRefusal("", listed), "No PFN specified");
    for (const char* invalid : {"0", "000", "0x0", "0x", "-5", "12a", " 7", "0xg1", "0x1 ",
                                "18446744073709551616", "0x10000000000000000"})
        EXPECT_EQ(PageNumberRefusal(invalid, listed), "Invalid PFN specified") << invalid;
    // The same page in either notation is already there.
    for (const char* listedAgain : {"9", "0x9", "12", "0xC", "11074", "0x2B42", "0x00002b42"})
        EXPECT_EQ(PageNumberRefusal(listedAgain, listed), "Duplicate PFN specified.") << listedAgain;
    EXPECT_EQ(PageNumberRefusal("11075", listed), "");
    EXPECT_EQ(PageNumberRefusal("0x10", listed), "") << "16 is not listed";
    EXPECT_EQ(PageNumberRefusal("18446744073709551615", listed), "");
    // Shown as the store prints them.
    EXPECT_EQ(PageNumberShown("11074"), "0x2b42");
    EXPECT_EQ(PageNumberShown("0X2B42"), "0x2b42");
    EXPECT_EQ(PageNumberShown("012"), "0xc");
    EXPECT_EQ(PageNumberShown("junk"), "junk") << "what is no number stays as it is";
}

TEST_F(PropertyEditing, DroppedRowsGoInFrontOfTheDropRowInTheirOwnOrder)
{
    std::vector<OrderRow> rows = Rows("ABCD", "A");
    DropRows(rows, 0, 2);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"B", "A", "C", "D"}));
    EXPECT_TRUE(rows[1].selected);
    rows = Rows("ABCD", "D");
    DropRows(rows, 3, 1);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"A", "D", "B", "C"}));
    rows = Rows("ABCD", "B");
    DropRows(rows, 1, 1);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"A", "B", "C", "D"})) << "on itself";
    rows = Rows("ABCDE", "BD");
    DropRows(rows, 1, 4);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"A", "C", "B", "D", "E"}));
    EXPECT_TRUE(rows[2].selected && rows[3].selected);
    EXPECT_FALSE(rows[0].selected || rows[1].selected || rows[4].selected);
    rows = Rows("ABCD", "AB");
    DropRows(rows, 0, -1);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"C", "D", "A", "B"})) << "below the last row";
    rows = Rows("ABC", "");
    DropRows(rows, 9, 0);
    EXPECT_EQ(Identifiers(rows), (std::vector<std::string>{"A", "B", "C"})) << "no such row: nothing moves";
}

TEST_F(PropertyEditing, DefaultCandidatesStartWithTheDefaultAndListEveryOtherLoaderOnce)
{
    RebuildDefaultCandidates("{b}", {"{a}", "{b}", "{c}"});
    EXPECT_EQ(DefaultCandidates(), (ValueSet{"{b}", "{a}", "{c}"}));
    RebuildDefaultCandidates("", {"{a}"});
    EXPECT_EQ(DefaultCandidates(), (ValueSet{"", "{a}"})) << "no default: an empty first entry";
    DefaultCandidates().clear();
}
