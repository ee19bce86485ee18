#include "common/TextCompare.h"
#include "model/CStoreModel.h"
#include "model/DisplayPositions.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <sstream>

#include "exec/SplitToolOutput.h"
#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimStoreFile.h"
#include "tests/native/Samples.h"
#include "tests/native/CatalogueFixture.h"

namespace {


class StoreModel : public WithShippedCatalogue {
protected:
    // A model whose tool answers "/ENUM /V" with `enumText` and
    // "/DBGSETTINGS" with `debugText`.
    CStoreModel Model()
    {
        return CStoreModel([this](const std::string& arguments) {
            commands.push_back(arguments);
            return arguments == "/DBGSETTINGS" ? debugText : enumText;
        });
    }
    const CBcdBootLoader& Loader(const CStoreModel& model, size_t index)
    {
        return *model.GetLoaders().at(index);
    }

    std::string enumText;
    std::string debugText;
    std::vector<std::string> commands;
    NoticeRecorder recorder;
};

const char* const kManager = "Windows Boot Manager";
const char* const kUnder = "--------------------";
const char* const kLoader = "Windows Boot Loader";
const char* const kLoaderUnder = "-------------------";

}  // namespace

TEST_F(StoreModel, ReadsManagerAndLoadersWithContinuationLines)
{
    enumText = CrLf({"noise before the manager", "", kManager, kUnder,
                     "identifier              {bootmgr}",
                     "displayorder            {current}",
                     "                        {a}",
                     "                        {b}",
                     "                        {ntldr}",
                     "timeout                 30", "", kLoader, kLoaderUnder,
                     "identifier              {current}",
                     "description             Windows 11  ",
                     "device                  partition=\\Device\\HarddiskVolume1",
                     "inherit                 {bootloadersettings}",
                     "", "Windows Legacy OS Loader", "------------------------",
                     "identifier              {ntldr}", "description             Earlier",
                     "", kLoader, kLoaderUnder, "identifier              {a}",
                     "recoverysequence        {r1}"});
    CStoreModel model = Model();
    model.EnumerateStore();
    EXPECT_EQ(commands, std::vector<std::string>{"/ENUM /V"});
    ASSERT_NE(model.GetBootManager(), nullptr);
    EXPECT_EQ(model.GetBootManager()->GetIdentifier(), "{bootmgr}");
    const CBcdItem* order = model.GetBootManager()->FindItem("displayorder");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->GetValues(), (std::vector<std::string>{"{current}", "{a}", "{b}", "{ntldr}"}));
    ASSERT_EQ(model.GetLoaders().size(), 3u);
    EXPECT_EQ(Loader(model, 0).GetIdentifier(), "{current}");
    EXPECT_EQ(Loader(model, 0).GetDescription(), "Windows 11  ");
    EXPECT_EQ(Loader(model, 0).FindItem("device")->GetValue(0), "partition=\\Device\\HarddiskVolume1");
    EXPECT_EQ(Loader(model, 1).GetIdentifier(), "{ntldr}");
    EXPECT_EQ(Loader(model, 2).GetIdentifier(), "{a}");
    EXPECT_EQ(Loader(model, 2).FindItem("recoverysequence")->GetValues(),
              std::vector<std::string>{"{r1}"}) << "a list on the very last line";
    EXPECT_EQ(Loader(model, 0).GetDisplayOrderPosition(model.GetBootManager()), 1);
    EXPECT_TRUE(recorder.notices.empty());
    // One debugger line per loader element line, handed on in one block.
    ASSERT_EQ(recorder.debug.size(), 1u);
    EXPECT_EQ(recorder.debug[0], "Identifier: identifier\nIdentifier: description\nIdentifier: device\n"
                                 "Identifier: inherit\nIdentifier: identifier\nIdentifier: description\n"
                                 "Identifier: identifier\nIdentifier: recoverysequence\n");
}

TEST_F(StoreModel, ObjectsKeepTheListingTheirItemsPointInto)
{
    enumText = CrLf({kManager, kUnder, "identifier              {bootmgr}",
                     "displayorder            {current}", "                        {a}", "", kLoader,
                     kLoaderUnder, "identifier              {current}",
                     "description             Windows 11", "inherit                 {bootloadersettings}"});
    debugText = CrLf({"debugtype               Serial", "The operation completed successfully."});
    CStoreModel model = Model();
    model.EnumerateStore();
    ASSERT_EQ(model.GetLoaders().size(), 1u);
    const CBcdBootLoader& loader = Loader(model, 0);
    ASSERT_EQ(loader.GetListing(), &model.GetLastOutput());
    for (const CBcdItem& item : loader.GetItems())
        EXPECT_TRUE(item.PointsInto(loader.GetListing())) << item.GetName();
    EXPECT_EQ(model.GetBootManager()->GetListing(), loader.GetListing());

    // The model reads other output; the objects still read theirs.
    model.RefreshDebugSettings();
    EXPECT_NE(loader.GetListing(), &model.GetLastOutput());
    EXPECT_EQ(loader.FindItem("description")->GetValue(0), "Windows 11");
    EXPECT_EQ(loader.FindItem("inherit")->GetValueList(), std::vector<std::string>{"{bootloadersettings}"});
    EXPECT_EQ(model.GetBootManager()->FindItem("displayorder")->GetValues(),
              (std::vector<std::string>{"{current}", "{a}"}));

    // A listing whose manager section is unreadable keeps the old manager,
    // and the listing it was read from.
    const CBcdBootManager* manager = model.GetBootManager();
    enumText = "no sections at all\r\n";
    model.EnumerateStore();
    ASSERT_EQ(model.GetBootManager(), manager);
    EXPECT_TRUE(model.GetLoaders().empty());
    EXPECT_EQ(manager->FindItem("displayorder")->GetValue(1), "{a}");
}

TEST_F(StoreModel, UnknownNamesGiveOneMessagePerLineAndAreKept)
{
    enumText = CrLf({kManager, kUnder, "identifier              {bootmgr}",
                     "bootfrobnicate          Yes", "custom:25000004         5", kLoader,
                     kLoaderUnder, "identifier              {current}",
                     "futureelement           1", "description             after",
                     "custom:47000005         301989892", "                        1",
                     "timeout                 5", "                        indented"});
    CStoreModel model = Model();
    model.EnumerateStore();
    ASSERT_EQ(recorder.notices.size(), 3u);
    EXPECT_EQ(recorder.notices[0],
              "Unsupported Boot Identifier: bootfrobnicate.\nPlease report unsupported "
              "identifiers to Corvane.");
    EXPECT_EQ(recorder.notices[1],
              "Unsupported Loader Identifier: futureelement.\nPlease report unsupported "
              "identifiers to Corvane.");
    // "timeout" is single-valued: the indented line is an element of its own.
    EXPECT_EQ(recorder.notices[2],
              "Unsupported Loader Identifier: indented.\nPlease report unsupported identifiers "
              "to Corvane.");
    EXPECT_EQ(recorder.kinds[0], NoticeKind::Error);
    const auto& managerItems = model.GetBootManager()->GetItems();
    ASSERT_EQ(managerItems.size(), 3u);
    EXPECT_EQ(managerItems[1].GetName(), "bootfrobnicate : UNKNOWN IDENTIFIER");
    EXPECT_EQ(managerItems[2].GetName(), "custom:25000004 : CUSTOM IDENTIFIER");
    const CBcdBootLoader& loader = Loader(model, 0);
    ASSERT_EQ(loader.GetItems().size(), 6u);
    EXPECT_EQ(loader.GetDescription(), "after");
    EXPECT_EQ(loader.GetItems()[3].GetValues(), (std::vector<std::string>{"301989892", "1"}));
}

TEST_F(StoreModel, SectionEndsAtABlankLineAndAtAnyOtherHeading)
{
    enumText = CrLf({kManager, kUnder, "identifier              {bootmgr}", "      ",
                     "description             skipped after the blank line", kLoader, kLoaderUnder,
                     "identifier              {current}", "Resume from Hibernate",
                     "---------------------", "identifier              {resume}",
                     "description             Windows Resume Application",
                     "Windows Memory Tester", "---------------------",
                     "identifier              {memdiag}", "RAM", "---",
                     "identifier              {badmemory}", kLoader, kLoaderUnder,
                     "identifier              {second}"});
    CStoreModel model = Model();
    model.EnumerateStore();
    EXPECT_EQ(model.GetBootManager()->GetItems().size(), 1u);
    ASSERT_EQ(model.GetLoaders().size(), 2u);
    EXPECT_EQ(Loader(model, 0).GetIdentifier(), "{current}");
    EXPECT_EQ(Loader(model, 0).GetItems().size(), 1u) << "the resume section is not read into it";
    EXPECT_EQ(Loader(model, 1).GetIdentifier(), "{second}");
    EXPECT_TRUE(recorder.notices.empty());
}

TEST_F(StoreModel, FailedOrEmptyOutputKeepsThePreviousManager)
{
    enumText = CrLf({kManager, kUnder, "identifier              {bootmgr}", kLoader, kLoaderUnder,
                     "identifier              {current}"});
    CStoreModel model = Model();
    int loadersCleared = 0, managerCleared = 0;
    model.OnBeforeLoadersDeleted([&] { ++loadersCleared; });
    model.OnBeforeBootManagerDeleted([&] { ++managerCleared; });
    model.EnumerateStore();
    CBcdBootManager* manager = model.GetBootManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(managerCleared, 0);
    EXPECT_TRUE(model.ListedBootManager());

    enumText = "The boot configuration data store could not be opened.\r\nAccess is denied.\r\n";
    model.EnumerateStore();
    EXPECT_EQ(model.GetBootManager(), manager);
    EXPECT_FALSE(model.ListedBootManager()) << "the kept manager is no sign of a store read";
    EXPECT_TRUE(model.GetLoaders().empty());
    EXPECT_EQ(loadersCleared, 2);
    EXPECT_EQ(model.GetLastOutput(), enumText);

    enumText.clear();
    model.EnumerateStore();
    EXPECT_EQ(model.GetBootManager(), manager);
    EXPECT_TRUE(recorder.notices.empty());

    // Cut off after a heading: objects without elements, no crash.
    enumText = CrLf({kManager, kUnder, "identifier              {bootmgr}", kLoader, kLoaderUnder});
    model.EnumerateStore();
    EXPECT_EQ(managerCleared, 1);
    ASSERT_EQ(model.GetLoaders().size(), 1u);
    EXPECT_TRUE(Loader(model, 0).GetItems().empty());
    enumText = "Windows Boot Manager\r\n--------------------\r\nidentif";
    model.EnumerateStore();
    EXPECT_TRUE(model.GetBootManager()->GetItems().empty());
}

TEST_F(StoreModel, DebuggerSettingsStopAtTheSuccessLine)
{
    debugText = ReadSample("dbgsettings_01.txt");
    CStoreModel model = Model();
    model.RefreshDebugSettings();
    EXPECT_EQ(commands, std::vector<std::string>{"/DBGSETTINGS"});
    CBcdDbgSettings* settings = model.GetDebugSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_EQ(settings->GetItems().size(), 6u);
    EXPECT_EQ(settings->GetItems().front().GetName(), "busparams");
    EXPECT_TRUE(recorder.notices.empty());
    EXPECT_TRUE(recorder.debug.empty());

    // Unknown names, "custom:" included, are announced and skipped.
    debugText = CrLf({"debugtype               Serial", "custom:16000001         x",
                      "hyperspace              on", "debugport               1",
                      "The operation completed successfully.", "baudrate 9600"});
    model.RefreshDebugSettings();
    ASSERT_EQ(recorder.notices.size(), 2u);
    EXPECT_EQ(recorder.notices[0],
              "Unsupported Debug Identifier: custom:16000001, ignoring\nPlease report "
              "unsupported identifiers to Corvane.");
    EXPECT_EQ(recorder.kinds[0], NoticeKind::Plain);
    ASSERT_EQ(model.GetDebugSettings()->GetItems().size(), 2u);
    EXPECT_EQ(model.GetDebugSettings()->GetDebugPort(), "1");

    // Empty output or only the success line: an object without items.
    debugText = "The operation completed successfully.\r\n";
    model.RefreshDebugSettings();
    ASSERT_NE(model.GetDebugSettings(), nullptr);
    EXPECT_TRUE(model.GetDebugSettings()->GetItems().empty());
    debugText.clear();
    model.RefreshDebugSettings();
    EXPECT_TRUE(model.GetDebugSettings()->GetItems().empty());
}

TEST_F(StoreModel, EveryPublishedSampleParsesIntoTheObjectsItsHeadingsAnnounce)
{
    DIR* folder = opendir(KEYSTAVE_SAMPLES_DIR);
    ASSERT_NE(folder, nullptr);
    int checked = 0;
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name.rfind("enum", 0) != 0 && name.rfind("localized", 0) != 0)
            continue;
        enumText = ReadSample(name);
        std::vector<std::string> lines = SplitToolOutput(enumText);
        size_t managers = 0, loaders = 0;
        // The headings in English, German, French and Portuguese, as the samples print them.
        for (const std::string& line : lines) {
            managers += line == kManager || line == "Windows-Start-Manager" ||
                        line == "Gestionnaire de d\xc3\xa9marrage Windows" ||
                        line == "Gerenciador de Inicializa\xc3\xa7\xc3\xa3o do Windows";
            loaders += line == kLoader || line == "Windows Legacy OS Loader" ||
                       line == "Windows-Startladeprogramm" ||
                       line == "Chargeur de d\xc3\xa9marrage Windows";
        }
        recorder.notices.clear();
        CStoreModel model = Model();
        model.EnumerateStore();
        EXPECT_EQ(model.GetBootManager() != nullptr, managers > 0) << name;
        EXPECT_EQ(model.GetLoaders().size(), managers ? loaders : 0u) << name;
        for (const auto& loader : model.GetLoaders()) {
            ASSERT_FALSE(loader->GetIdentifier().empty()) << name;
            EXPECT_EQ(loader->GetIdentifier().front(), '{') << name;
            const CBcdItem* identifier = loader->FindItem("identifier");
            ASSERT_NE(identifier, nullptr) << name;
            EXPECT_EQ(identifier->GetValue(0), loader->GetIdentifier());
        }
        if (name.rfind("localized", 0) == 0) {
            EXPECT_TRUE(recorder.notices.empty()) << name;
        }
        ++checked;
    }
    closedir(folder);
    EXPECT_GE(checked, 19);

    // The published "/V" output with resume, memory tester and settings
    // sections: the loaders keep their own identifiers and elements only.
    enumText = ReadSample("enum_all_v_01.txt");
    CStoreModel all = Model();
    all.EnumerateStore();
    ASSERT_EQ(all.GetLoaders().size(), 2u);
    EXPECT_EQ(all.GetBootManager()->GetIdentifier(), "{9dea862c-5cdd-4e70-acc1-f32b344d4795}");
    EXPECT_EQ(Loader(all, 1).GetIdentifier(), "{0fd8694b-e7fe-11f0-91cd-eabb9ab44a94}");
    EXPECT_EQ(Loader(all, 1).GetItems().back().GetName(), "custom:46000010 : CUSTOM IDENTIFIER");
    EXPECT_EQ(Loader(all, 1).FindItem("filepath"), nullptr);

    // A legacy loader re-read from "/enum <id>" output.
    std::string legacyText = ReadSample("enum_id_04.txt");
    OutputLines legacy = SplitOutputLineViews(legacyText);
    CBcdBootLoader reread;
    size_t i = 2;
    ParseSectionElements(reread, legacy, i);
    EXPECT_EQ(reread.GetIdentifier(), "{466f5a88-0af2-4f76-9038-095b170dc21c}");
    ASSERT_EQ(reread.GetItems().size(), 4u);
    EXPECT_EQ(reread.GetItems()[3].GetValues(), (std::vector<std::string>{"301989892", "6"}));
}

TEST_F(StoreModel, SimulatorOutputRoundTripsThroughTheParser)
{
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
    CSimulator simulator(store);
    auto run = [&](const std::string& arguments) {
        std::vector<std::string> args;
        std::istringstream words(arguments);
        for (std::string word; words >> word;)
            args.push_back(word);
        SimOutput output = simulator.Execute(args);
        return output.out + output.err;
    };
    CStoreModel model(run);
    model.EnumerateStore();
    model.RefreshDebugSettings();

    auto expectSameAsStore = [&](const CBcdObject& object) {
        const SimObject* stored = store.FindByGuid(object.GetIdentifier());
        ASSERT_NE(stored, nullptr) << object.GetIdentifier();
        const auto& items = object.GetItems();
        ASSERT_EQ(items.size(), stored->elements.size() + 1) << object.GetIdentifier();
        EXPECT_EQ(items[0].GetName(), "identifier");
        for (size_t k = 0; k < stored->elements.size(); ++k) {
            std::string name(items[k + 1].GetName());
            name = name.substr(0, name.find(" : "));
            EXPECT_EQ(name, stored->elements[k].name);
            EXPECT_EQ(items[k + 1].GetValues(), stored->elements[k].values) << name;
        }
    };
    ASSERT_NE(model.GetBootManager(), nullptr);
    expectSameAsStore(*model.GetBootManager());
    ASSERT_NE(store.FindByAlias("{bootmgr}"), nullptr);
    const SimElement* order = store.FindByAlias("{bootmgr}")->Find("displayorder");
    ASSERT_NE(order, nullptr);
    ASSERT_FALSE(order->values.empty());
    ASSERT_EQ(model.GetLoaders().size(), 4u) << "the boot sector is no loader";
    CDisplayPositions positions(model.GetBootManager());
    for (size_t k = 0; k < model.GetLoaders().size(); ++k) {
        expectSameAsStore(Loader(model, k));
        EXPECT_EQ(Loader(model, k).GetDisplayOrderPosition(model.GetBootManager()),
                  static_cast<int>(k) + 1);
        // The loader list's table says the same, in any case.
        EXPECT_EQ(positions.Of(Loader(model, k).GetIdentifier()), static_cast<int>(k) + 1);
        EXPECT_EQ(positions.Of(ToUpperAscii(Loader(model, k).GetIdentifier())), static_cast<int>(k) + 1);
    }
    EXPECT_EQ(positions.Of("{00000000-0000-0000-0000-000000000000}"), -1);
    EXPECT_EQ(CDisplayPositions(nullptr).Of(order->values[0]), -1);
    EXPECT_EQ(model.GetLoaders()[0]->GetIdentifier(), order->values[0]);
    EXPECT_EQ(model.GetDebugSettings()->GetDebugType(), DebugTypeLocal);
    EXPECT_EQ(model.GetDebugSettings()->GetItems().size(), 1u);
    EXPECT_TRUE(model.GetLoaders()[1]->IsDebugEnabled());
    EXPECT_TRUE(recorder.notices.empty());

    // Every other object of the store, re-read one at a time.
    for (const SimObject& object : store.objects) {
        std::string output = run("/enum " + object.guid + " /v");
        OutputLines lines = SplitOutputLineViews(output);
        ASSERT_GE(lines.size(), 3u);
        CBcdBootLoader reread;
        size_t i = 2;
        ParseSectionElements(reread, lines, i);
        EXPECT_EQ(reread.GetIdentifier(), object.guid);
        EXPECT_EQ(reread.GetItems().size(), object.elements.size() + 1) << object.guid;
    }
}

TEST_F(StoreModel, TranslatedOutputReadsIntoTheSameObjectsAndElements)
{
    enumText = ReadSample("localized_de_01.txt");
    CStoreModel german = Model();
    german.EnumerateStore();
    ASSERT_NE(german.GetBootManager(), nullptr);
    EXPECT_EQ(german.GetBootManager()->GetIdentifier(), "{bootmgr}") << "under \"Bezeichner\"";
    EXPECT_EQ(german.GetBootManager()->GetItems()[0].GetName(), "identifier");
    ASSERT_EQ(german.GetLoaders().size(), 2u);
    EXPECT_EQ(Loader(german, 0).GetIdentifier(), "{current}");
    EXPECT_EQ(Loader(german, 0).GetDescription(), "Windows 10");
    EXPECT_EQ(Loader(german, 1).GetIdentifier(), "{40410e52-f5c6-11e4-b335-b9c94abbc75d}");
    EXPECT_EQ(Loader(german, 1).GetDisplayOrderPosition(german.GetBootManager()), 2);
    ASSERT_NE(Loader(german, 0).FindItem("nx"), nullptr);
    EXPECT_TRUE(recorder.notices.empty()) << "every name is known";

    enumText = ReadSample("localized_fr_01.txt");
    CStoreModel french = Model();
    french.EnumerateStore();
    ASSERT_NE(french.GetBootManager(), nullptr);
    EXPECT_EQ(french.GetBootManager()->GetIdentifier(), "{bootmgr}");
    ASSERT_EQ(french.GetLoaders().size(), 1u) << "resume, memory tester and settings are no loaders";
    EXPECT_EQ(Loader(french, 0).GetIdentifier(), "{current}");
    EXPECT_TRUE(recorder.notices.empty());

    // Translated success lines end the debugger settings as the English one does.
    debugText = CrLf({"debugtype               Local", "Der Vorgang wurde erfolgreich beendet.",
                      "Operacja uko\xc5\x84" "czona pomy\xc5\x9b" "lnie."});
    french.RefreshDebugSettings();
    EXPECT_EQ(french.GetDebugSettings()->GetItems().size(), 1u);
    EXPECT_EQ(french.GetDebugSettings()->GetDebugType(), DebugTypeLocal);
    EXPECT_TRUE(recorder.notices.empty()) << "no success line taken for an element";
}

TEST_F(StoreModel, SectionsUnderHeadingsOfNoKnownLanguageAreReadByTheirContent)
{
    // Older Windows translated more languages; here, Polish headings.
    enumText = CrLf({"Menedzer rozruchu systemu Windows", "---------------------------------",
                     "Identyfikator           {bootmgr}", "displayorder            {current}",
                     "                        {ntldr}", "",
                     "Modul ladujacy rozruchu systemu Windows", "-----",
                     "Identyfikator           {current}", "path                    \\Windows\\system32\\winload.efi",
                     "description             Windows 11", "",
                     "Wznowienie z hibernacji", "-----------------------",
                     "Identyfikator           {resume}", "path                    \\Windows\\system32\\winresume.efi", "",
                     "Starszy modul ladujacy", "------", "Identyfikator           {ntldr}",
                     "path                    \\ntldr", "description             XP"});
    CStoreModel model = Model();
    model.EnumerateStore();
    ASSERT_NE(model.GetBootManager(), nullptr) << "the {bootmgr} section";
    EXPECT_EQ(model.GetBootManager()->GetIdentifier(), "{bootmgr}");
    ASSERT_EQ(model.GetLoaders().size(), 2u) << "winload.efi and {ntldr}, not the resume entry";
    EXPECT_EQ(Loader(model, 0).GetDescription(), "Windows 11");
    EXPECT_EQ(Loader(model, 1).GetIdentifier(), "{ntldr}");
    EXPECT_EQ(Loader(model, 1).GetDescription(), "XP");

    // A heading ending with a bare line feed is a heading still.
    enumText = "\r\nWindows Boot Manager\n--------------------\nidentifier              {bootmgr}\r\n";
    CStoreModel bare = Model();
    bare.EnumerateStore();
    ASSERT_NE(bare.GetBootManager(), nullptr);
    EXPECT_EQ(bare.GetBootManager()->GetIdentifier(), "{bootmgr}");
}

TEST_F(StoreModel, AGeneratedLargeStoreIsReadWhole)
{
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse(GeneratedStoreText(1000), error)) << error;
    CSimulator simulator(store);
    enumText = simulator.Execute({"/ENUM", "/V"}).out;
    debugText = simulator.Execute({"/DBGSETTINGS"}).out;
    CStoreModel model = Model();
    model.EnumerateStore();
    ASSERT_NE(model.GetBootManager(), nullptr);
    // The sample's three Windows loaders and the 1,000 copies (the legacy
    // loader and the boot sector are loaders of other kinds).
    size_t windows = 0;
    for (const auto& loader : model.GetLoaders())
        windows += loader->GetIdentifier().find("-0000-4000-8000-") != std::string::npos;
    EXPECT_EQ(windows, 1000u);
    EXPECT_EQ(Loader(model, model.GetLoaders().size() - 1).GetIdentifier(),
              "{000003e8-0000-4000-8000-0000000003e8}")
        << "in the display order, last";
    EXPECT_TRUE(recorder.notices.empty());
}

TEST_F(StoreModel, ALargeListingsDebuggerLinesGoOutInFewBlocksThatSplitNoLine)
{
    // 3,000 loaders of four element lines each.
    std::vector<std::string> lines = {kManager, kUnder, "identifier              {bootmgr}",
                                      "default                 {current}"};
    for (int k = 0; k < 3000; ++k)
        for (const std::string& line :
             {std::string(), std::string(kLoader), std::string(kLoaderUnder),
              "identifier              {" + std::to_string(k) + "}", std::string("description             W"),
              std::string("nx                      OptIn"), std::string("debug                   No")})
            lines.push_back(line);
    enumText = CrLf(lines);
    CStoreModel model = Model();
    model.EnumerateStore();
    ASSERT_EQ(model.GetLoaders().size(), 3000u);
    std::string all;
    for (const std::string& block : recorder.debug) {
        EXPECT_LE(block.size(), CDebugTrace::kMostBytes);
        ASSERT_FALSE(block.empty());
        EXPECT_EQ(block.back(), '\n') << "a block ends with a whole line";
        all += block;
    }
    EXPECT_LT(recorder.debug.size(), 3000u / 10) << "far fewer blocks than sections";
    std::string expected;
    for (int k = 0; k < 3000; ++k)
        expected += "Identifier: identifier\nIdentifier: description\nIdentifier: nx\nIdentifier: debug\n";
    EXPECT_EQ(all, expected) << "every line, in order, once";

    // Without a listener nothing is built or written.
    recorder.debug.clear();
    DebugSink previous = SetDebugSink(nullptr);
    model.EnumerateStore();
    SetDebugSink(previous);
    EXPECT_TRUE(recorder.debug.empty());
    EXPECT_EQ(model.GetLoaders().size(), 3000u);
}
