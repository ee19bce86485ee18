#include "model/LoaderListRows.h"

#include <gtest/gtest.h>

#include "model/CStoreModel.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/Samples.h"

namespace {

// A manager whose default is written in capitals, one loader out of the
// display order, one in safe mode with the debugger on.
const char* const kSafeId = "{5b2e5e34-1111-4c6a-9a39-000000000002}";
std::string Listing(bool withDefault)
{
    std::vector<std::string> lines = {"Windows Boot Manager", "--------------------",
                                      "identifier              {bootmgr}",
                                      "displayorder            {current}",
                                      std::string("                        ") + kSafeId};
    if (withDefault)
        lines.push_back("default                 {CURRENT}");
    for (const std::string& line :
         {std::string(""), std::string("Windows Boot Loader"), std::string("-------------------"),
          std::string("identifier              {current}"), std::string("description             Windows 11"),
          std::string(""), std::string("Windows Boot Loader"), std::string("-------------------"),
          std::string("identifier              ") + kSafeId, std::string("description             Safe one"),
          std::string("safeboot                Minimal"), std::string("debug                   Yes"),
          std::string(""), std::string("Windows Boot Loader"), std::string("-------------------"),
          std::string("identifier              {aaaaaaaa-0000-0000-0000-000000000003}"),
          std::string("description             Not in the menu")})
        lines.push_back(line);
    return CrLf(lines);
}

class LoaderListRowsTest : public WithShippedCatalogue {
protected:
    CStoreModel Read(bool withDefault)
    {
        std::string text = Listing(withDefault);
        CStoreModel model([text](const std::string&) { return text; });
        model.EnumerateStore();
        return model;
    }
};

}  // namespace

TEST_F(LoaderListRowsTest, RowsSayWhatTheListShowsAndTheNotesFollowTheRunningEntry)
{
    CStoreModel model = Read(true);
    ASSERT_EQ(model.GetLoaders().size(), 3u);

    // Before the running entry is known: the default is marked, whatever its case.
    std::vector<LoaderListRow> rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].loader, model.GetLoaders()[0].get());
    EXPECT_EQ(rows[0].cells[kLoaderIdColumn], "{current}");
    EXPECT_EQ(rows[0].cells[kLoaderDescriptionColumn], "Windows 11");
    EXPECT_EQ(rows[0].cells[kLoaderDefaultColumn], "TRUE");
    EXPECT_EQ(rows[0].cells[kLoaderDisplayColumn], "1");
    EXPECT_EQ(rows[0].cells[kLoaderDebugColumn], "FALSE");
    EXPECT_EQ(rows[0].cells[kLoaderNoteColumn], "Default");

    EXPECT_EQ(rows[1].cells[kLoaderDefaultColumn], "FALSE");
    EXPECT_EQ(rows[1].cells[kLoaderDisplayColumn], "2");
    EXPECT_EQ(rows[1].cells[kLoaderDebugColumn], "TRUE");
    EXPECT_EQ(rows[1].cells[kLoaderNoteColumn], "Starts in safe mode");

    EXPECT_EQ(rows[2].cells[kLoaderDisplayColumn], "") << "not in the display order";
    EXPECT_EQ(rows[2].cells[kLoaderNoteColumn], "Not in a menu");

    // The running entry, once known, is marked without building the rows again.
    MarkLoaderListRows(rows, model.GetBootManager(), "{CURRENT}");
    EXPECT_EQ(rows[0].cells[kLoaderNoteColumn], "Default, running now");
    EXPECT_EQ(rows[1].cells[kLoaderNoteColumn], "Starts in safe mode");
    MarkLoaderListRows(rows, model.GetBootManager(), kSafeId);
    EXPECT_EQ(rows[0].cells[kLoaderNoteColumn], "Default");
    EXPECT_EQ(rows[1].cells[kLoaderNoteColumn], "Running now, starts in safe mode");

    // No default named: the Default column says nothing rather than FALSE everywhere.
    CStoreModel noDefault = Read(false);
    rows = LoaderListRows(noDefault.GetBootManager(), noDefault.GetListedObjects(), "");
    ASSERT_EQ(rows.size(), 3u);
    for (const LoaderListRow& row : rows) {
        EXPECT_EQ(row.cells[kLoaderDefaultColumn], "");
        EXPECT_EQ(row.cells[kLoaderNoteColumn].find("Default"), std::string::npos);
    }
    // No boot manager at all: rows still come, without places.
    rows = LoaderListRows(nullptr, noDefault.GetListedObjects(), "");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].cells[kLoaderDisplayColumn], "");
}

TEST_F(LoaderListRowsTest, TypingFindsTheNextRowThatBeginsSoAndGoesRound)
{
    CStoreModel model = Read(true);
    std::vector<LoaderListRow> rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
    EXPECT_EQ(FindLoaderListRow(rows, "{C", 0), 0);
    EXPECT_EQ(FindLoaderListRow(rows, "{c", 1), 0) << "from row 1 it goes round to row 0";
    EXPECT_EQ(FindLoaderListRow(rows, "{AAAA", 0), 2);
    EXPECT_EQ(FindLoaderListRow(rows, "{5B2E", 2), 1);
    EXPECT_EQ(FindLoaderListRow(rows, "{current}-and-more", 0), -1) << "longer than any text";
    EXPECT_EQ(FindLoaderListRow(rows, "x", 0), -1);
    EXPECT_EQ(FindLoaderListRow(rows, "{", 99), 0) << "a start past the end starts at the top";
    EXPECT_EQ(FindLoaderListRow({}, "{", 0), -1);
}
