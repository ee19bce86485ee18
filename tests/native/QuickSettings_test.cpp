#include <gtest/gtest.h>

#include "common/TextEncoding.h"
#include "exec/CWritePath.h"
#include "exec/SplitToolOutput.h"
#include "exec/ToolWords.h"
#include "model/QuickSettings.h"
#include "model/ReloadObject.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


// The switches against the simulator of the sample store: what a choice
// sends, and what the entry, read again, then says.
class QuickSettings : public WithSampleSimulator {
protected:
    void SetUp() override
    {
        WithSampleSimulator::SetUp();
        model = std::make_unique<CStoreModel>(SimulatorAnsweredRun(simulator));
        model->EnumerateStore();
        ASSERT_NE(model->GetBootManager(), nullptr);
    }
    CBcdBootLoader& Win10() { return LoaderOf(*model, kWin10); }
    // Runs the commands; false at the first the tool refused.
    bool Apply(const std::vector<ToolCommand>& commands)
    {
        for (const ToolCommand& command : commands) {
            if (!command.ok)
                return false;
            sent.push_back(command.arguments);
            if (!AnswerSucceeded(SimulatorAnsweredRun(simulator)(command.arguments)))
                return false;
        }
        return ReloadObject(Win10(), SimulatorAnsweredRun(simulator), nullptr);
    }
    // An entry holding just these elements.
    static CBcdBootLoader Entry(std::initializer_list<std::pair<const char*, const char*>> elements)
    {
        CBcdBootLoader entry;
        CBcdItem id;
        EXPECT_TRUE(id.Identify("identifier"));
        id.AddValue("{e}");
        entry.AddItem(std::move(id));
        for (const auto& element : elements) {
            CBcdItem item;
            EXPECT_TRUE(item.Identify(element.first)) << element.first;
            item.AddValue(element.second);
            entry.AddItem(std::move(item));
        }
        return entry;
    }

    std::unique_ptr<CStoreModel> model;
    std::vector<std::string> sent;
    NoticeRecorder recorder;
};

}  // namespace

TEST_F(QuickSettings, EverySwitchReachesEveryChoiceAndReadsItBack)
{
    for (QuickSwitch which : kQuickSwitches) {
        const std::vector<std::string>& choices = QuickChoices(which);
        ASSERT_GE(choices.size(), 3u);
        EXPECT_EQ(QuickChoiceOf(which, Win10()), 0u) << choices[0] << ": the sample sets none";
        EXPECT_FALSE(QuickSwitchNote(which).empty());
        // Every choice, then back to the first: each reached and read back.
        for (size_t step = 1; step <= choices.size(); ++step) {
            size_t choice = step % choices.size();
            sent.clear();
            ASSERT_TRUE(Apply(QuickSwitchCommands(which, Win10(), choice))) << choices[choice];
            EXPECT_EQ(QuickChoiceOf(which, Win10()), choice) << choices[choice];
            EXPECT_FALSE(sent.empty()) << choices[choice] << ": a change sends something";
            EXPECT_TRUE(QuickSwitchCommands(which, Win10(), choice).empty())
                << choices[choice] << ": the state it is in sends nothing";
        }
    }
    EXPECT_TRUE(recorder.notices.empty()) << "every element the switches set is known";
}

TEST_F(QuickSettings, EachChangeSendsItsOwnCommandsAndSafeModeIsLeftInOneStep)
{
    CBcdBootLoader& entry = Win10();
    std::string id = kWin10;
    auto arguments = [](const std::vector<ToolCommand>& commands) {
        std::vector<std::string> out;
        for (const ToolCommand& command : commands)
            out.push_back(command.arguments);
        return out;
    };
    EXPECT_EQ(arguments(QuickSwitchCommands(QuickSwitch::HyperV, entry, 2)),
              std::vector<std::string>{"/set " + id + " hypervisorlaunchtype \"Off\""});
    EXPECT_EQ(arguments(QuickSwitchCommands(QuickSwitch::StartupMenu, entry, 2)),
              std::vector<std::string>{"/set " + id + " bootmenupolicy \"Legacy\""});
    EXPECT_EQ(arguments(QuickSwitchCommands(QuickSwitch::StartupMenuOnce, entry, 1)),
              std::vector<std::string>{"/set " + id + " onetimeadvancedoptions \"Yes\""});
    EXPECT_TRUE(QuickSwitchCommands(QuickSwitch::HyperV, entry, 0).empty())
        << "not set already: no deletion the tool would refuse";
    EXPECT_TRUE(QuickSwitchCommands(QuickSwitch::HyperV, entry, 7).empty()) << "no such choice";

    // Safe mode with a command prompt, then normal again.
    EXPECT_FALSE(StartsInSafeMode(entry));
    ASSERT_TRUE(Apply(QuickSwitchCommands(QuickSwitch::SafeMode, entry, 4)));
    EXPECT_EQ(sent, (std::vector<std::string>{"/set " + id + " safeboot \"Minimal\"",
                                              "/set " + id + " safebootalternateshell \"Yes\""}));
    EXPECT_TRUE(StartsInSafeMode(Win10()));
    sent.clear();
    ASSERT_TRUE(Apply(LeaveSafeModeCommands(Win10())));
    EXPECT_EQ(sent, (std::vector<std::string>{"/deletevalue " + id + " safeboot",
                                              "/deletevalue " + id + " safebootalternateshell"}));
    EXPECT_FALSE(StartsInSafeMode(Win10()));
    EXPECT_TRUE(LeaveSafeModeCommands(Win10()).empty());
}

TEST_F(QuickSettings, StatesAreReadFromValuesInAnyCase)
{
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::HyperV, Entry({{"hypervisorlaunchtype", "AUTO"}})), 1u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::HyperV, Entry({{"hypervisorlaunchtype", "off"}})), 2u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::HyperV, Entry({})), 0u);
    EXPECT_EQ(QuickChoices(QuickSwitch::HyperV)[0], "Not set (Windows decides)");
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::TestSigning, Entry({{"testsigning", "Yes"}})), 1u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::TestSigning, Entry({{"testsigning", "on"}})), 1u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::TestSigning, Entry({{"testsigning", "NO"}})), 2u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::UnsignedDrivers, Entry({{"nointegritychecks", "Yes"}})), 1u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::StartupMenu, Entry({{"bootmenupolicy", "legacy"}})), 2u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::SafeMode, Entry({{"safeboot", "Network"}})), 2u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::SafeMode, Entry({{"safeboot", "DSREPAIR"}})), 3u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::SafeMode,
                            Entry({{"safeboot", "Minimal"}, {"safebootalternateshell", "Yes"}})),
              4u);
    EXPECT_EQ(QuickChoiceOf(QuickSwitch::SafeMode, Entry({{"safeboot", "Minimal"}})), 1u);
    EXPECT_TRUE(StartsInSafeMode(Entry({{"safeboot", "Network"}})));

    // Windows loaders take the switches; an earlier Windows's loader does not.
    EXPECT_TRUE(TakesQuickSettings(Win10()));
    EXPECT_TRUE(TakesQuickSettings(Entry({{"path", "\\WINDOWS\\system32\\WINLOAD.EXE"}})));
    EXPECT_FALSE(TakesQuickSettings(Entry({{"path", "\\ntldr"}})));
    EXPECT_FALSE(TakesQuickSettings(Entry({})));
}

TEST_F(QuickSettings, TheMenuSendsOneCommandPerSettingChangedAndRefusesABadTimeout)
{
    const CBcdBootManager& manager = *model->GetBootManager();
    MenuChoice chosen = MenuChoiceOf(manager);
    EXPECT_EQ(chosen.timeout, "30");
    std::string refusal;
    EXPECT_TRUE(MenuCommands(manager, chosen, refusal).empty()) << "unchanged";
    chosen.timeout = "5";
    chosen.defaultEntry = kWin10;
    chosen.showMenu = !chosen.showMenu;
    std::vector<ToolCommand> commands = MenuCommands(manager, chosen, refusal);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].arguments, "/set " + manager.GetIdentifier() + " timeout \"5\"");
    EXPECT_EQ(commands[1].arguments, "/set " + manager.GetIdentifier() + " default \"" + kWin10 + "\"");
    for (const ToolCommand& command : commands)
        EXPECT_TRUE(AnswerSucceeded(SimulatorAnsweredRun(simulator)(command.arguments))) << command.arguments;
    model->EnumerateStore();
    MenuChoice stored = MenuChoiceOf(*model->GetBootManager());
    EXPECT_EQ(stored.timeout, "5");
    EXPECT_EQ(stored.defaultEntry, kWin10);
    EXPECT_EQ(stored.showMenu, chosen.showMenu);

    for (const char* bad : {"1000", "-1", "", "5s", "0x10", "9999"}) {
        chosen.timeout = bad;
        EXPECT_TRUE(MenuCommands(*model->GetBootManager(), chosen, refusal).empty()) << bad;
        EXPECT_EQ(refusal, kTimeoutInvalid) << bad;
    }
    chosen.timeout = "999";
    EXPECT_EQ(MenuCommands(*model->GetBootManager(), chosen, refusal).size(), 1u);
    EXPECT_EQ(refusal, "");
}

TEST_F(QuickSettings, RefusalsOfKnownCausesAreExplainedInAnyLanguage)
{
    // The simulator under Secure Boot refuses test signing both ways, as the tool does.
    store.secureBoot = true;
    for (const char* word : {"Yes", "No"}) {
        ToolAnswer answer = SimulatorAnsweredRun(simulator)(std::string("/set ") + kWin10 + " testsigning " + word);
        EXPECT_FALSE(AnswerSucceeded(answer));
        EXPECT_EQ(answer.text, "An error has occurred setting the element data.\r\n"
                               "The value is protected by Secure Boot policy and cannot be modified or deleted.\r\n");
        EXPECT_EQ(RefusalAdvice(SplitToolOutput(answer.text)), kSecureBootAdvice);
    }
    EXPECT_FALSE(AnswerSucceeded(SimulatorAnsweredRun(simulator)(std::string("/deletevalue ") + kWin10 + " loadoptions")));
    EXPECT_TRUE(AnswerSucceeded(SimulatorAnsweredRun(simulator)(std::string("/set ") + kWin10 + " nx OptIn")))
        << "other elements are not guarded";

    // The published refusal, and its German words.
    EXPECT_EQ(RefusalAdvice({"An error has occurred setting the element data.",
                             "The value is protected by Secure Boot policy and cannot be modified or deleted."}),
              kSecureBootAdvice);
    EXPECT_EQ(RefusalAdvice({FromUtf8("Der Wert wird durch die Richtlinie f\xc3\xbcr sicheres Starten gesch\xc3\xbctzt "
                                      "und kann nicht ge\xc3\xa4ndert oder gel\xc3\xb6scht werden.")}),
              kSecureBootAdvice);
    EXPECT_EQ(RefusalAdvice({"The boot configuration data store could not be opened.", "Access is denied."}),
              kAccessDeniedAdvice);
    EXPECT_EQ(RefusalAdvice({"Zugriff verweigert"}), kAccessDeniedAdvice);
    EXPECT_EQ(RefusalAdvice({"The parameter is incorrect."}), "") << "other causes: the words alone";
    EXPECT_EQ(RefusalAdvice({"Access is denied. Or not."}), "") << "whole lines only";
}
