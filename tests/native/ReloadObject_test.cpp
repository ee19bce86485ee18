#include <gtest/gtest.h>

#include "exec/SplitToolOutput.h"
#include "model/ReloadObject.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


class ReloadObject_ : public WithSampleSimulator {
protected:
    void SetUp() override
    {
        WithSampleSimulator::SetUp();
        model = std::make_unique<CStoreModel>(SimulatorRun(simulator));
        model->EnumerateStore();
        ASSERT_EQ(model->GetLoaders().size(), 4u);
        ASSERT_NE(model->GetBootManager(), nullptr);
    }
    CBcdBootLoader& LoaderOf(const char* guid) { return WithSampleSimulator::LoaderOf(*model, guid); }

    std::unique_ptr<CStoreModel> model;
    std::vector<std::string> sent;
    NoticeRecorder recorder;
};

}  // namespace

TEST_F(ReloadObject_, ALegacyLoaderAndTheBootManagerReloadWhatTheToolNowPrints)
{
    CBcdBootLoader& legacy = LoaderOf(kLegacy);
    size_t before = legacy.GetItems().size();
    ASSERT_GT(before, 1u);
    simulator.Execute({"/set", kLegacy, "description", "Windows XP"});
    int replaced = 0;
    ToolRun run = SimulatorRun(simulator, &sent);
    EXPECT_TRUE(ReloadObject(legacy, run, [&] { ++replaced; }));
    EXPECT_EQ(sent, std::vector<std::string>{std::string("/enum ") + kLegacy + " /v"});
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(legacy.GetItems().size(), before) << "a legacy loader keeps every element";
    EXPECT_EQ(legacy.GetDescription(), "Windows XP");
    // Its items now point into the answer to "/enum", which it keeps.
    ASSERT_NE(legacy.GetListing(), &model->GetLastOutput());
    for (const CBcdItem& item : legacy.GetItems())
        EXPECT_TRUE(item.PointsInto(legacy.GetListing())) << item.GetName();
    EXPECT_EQ(legacy.FindItem("description")->GetValue(0), "Windows XP");
    // With "/v" the tool spells out the GUID: later commands go to the
    // identifier the listing had, not to "{ntldr}".
    EXPECT_EQ(legacy.GetIdentifier(), kLegacy);

    CBcdBootManager& manager = *model->GetBootManager();
    simulator.Execute({"/set", "{bootmgr}", "timeout", "5"});
    simulator.Execute({"/deletevalue", "{bootmgr}", "locale"});
    size_t managerItems = manager.GetItems().size();
    EXPECT_TRUE(ReloadObject(manager, run, nullptr));
    EXPECT_EQ(manager.GetItems().size(), managerItems - 1);
    ASSERT_NE(manager.FindItem("timeout"), nullptr);
    EXPECT_EQ(manager.FindItem("timeout")->GetValue(0), "5");
    EXPECT_EQ(manager.FindItem("locale"), nullptr);
    EXPECT_TRUE(recorder.notices.empty());
}

TEST_F(ReloadObject_, AnErrorAnswerLeavesTheObjectWholeAndSaysSo)
{
    CBcdBootLoader& loader = LoaderOf(kWin10);
    std::vector<const CBcdItem*> items;
    for (const auto& item : loader.GetItems())
        items.push_back(&item);
    // The entry was deleted behind the program's back: the tool answers with an error.
    simulator.Execute({"/delete", kWin10});
    bool told = false;
    EXPECT_FALSE(ReloadObject(loader, SimulatorRun(simulator), [&] { told = true; }));
    EXPECT_FALSE(told) << "nothing is replaced, so no row needs to go";
    ASSERT_EQ(loader.GetItems().size(), items.size());
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(&loader.GetItems()[i], items[i]) << "the very same elements";

    // A loader asked for its entry gets nothing from a boot manager section.
    CBcdBootLoader& win11 = *model->GetLoaders().front();
    size_t count = win11.GetItems().size();
    ToolRun managerOnly = [&](const std::string&) {
        return SimulatorRun(simulator)("/enum {bootmgr}");
    };
    EXPECT_FALSE(ReloadObject(win11, managerOnly, nullptr));
    EXPECT_EQ(win11.GetItems().size(), count);
    CBcdBootManager& manager = *model->GetBootManager();
    size_t managerCount = manager.GetItems().size();
    EXPECT_FALSE(ReloadObject(manager, [](const std::string&) { return std::string(); }, nullptr));
    EXPECT_EQ(manager.GetItems().size(), managerCount);

    // A section followed by the tool's error and exit code 1 is no proof of
    // the entry: nothing is replaced. The same answer with 0 is taken.
    AnsweredToolRun failing = [&](const std::string& arguments) {
        ToolAnswer answer = SimulatorAnsweredRun(simulator)(arguments);
        answer.text += "An element could not be read.\r\n";
        answer.exitCode = 1;
        return answer;
    };
    ASSERT_NE(manager.FindItem("timeout"), nullptr);
    std::string shown = manager.FindItem("timeout")->GetValue(0);
    ASSERT_NE(shown, "7");
    simulator.Execute({"/set", "{bootmgr}", "timeout", "7"});
    EXPECT_FALSE(ReloadObject(manager, failing, nullptr));
    EXPECT_EQ(manager.FindItem("timeout")->GetValue(0), shown);
    EXPECT_TRUE(ReloadObject(manager, SimulatorAnsweredRun(simulator), nullptr));
    EXPECT_EQ(manager.FindItem("timeout")->GetValue(0), "7");
}
