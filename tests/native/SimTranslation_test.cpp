#include <gtest/gtest.h>

#include "common/ToolTexts.h"
#include "exec/CWritePath.h"
#include "model/CStoreModel.h"
#include "sim/SimMessages.h"
#include "sim/SimStoreFile.h"
#include "sim/SimTranslation.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/SimulatorRun.h"

namespace {

class SimTranslation : public WithShippedCatalogue {
protected:
    // The sample store's model, read from the simulator's answers in `language`.
    std::unique_ptr<CStoreModel> ModelIn(const char* language, std::string* enumText = nullptr)
    {
        const ToolLanguage* texts = FindToolLanguage(language);
        EXPECT_NE(texts, nullptr) << language;
        ToolRun english = SimulatorRun(simulator);
        auto model = std::make_unique<CStoreModel>([=](const std::string& arguments) {
            std::string answer = english(arguments);
            return texts ? TranslateSimOutput(answer, *texts) : answer;
        });
        model->EnumerateStore();
        model->RefreshDebugSettings();
        if (enumText)
            *enumText = TranslateSimOutput(english("/ENUM /V"), *texts);
        return model;
    }
    static void ExpectSameObject(const CBcdObject& expected, const CBcdObject& actual, const char* language)
    {
        ASSERT_EQ(actual.GetItems().size(), expected.GetItems().size()) << language << " " << expected.GetIdentifier();
        for (size_t i = 0; i < expected.GetItems().size(); ++i) {
            EXPECT_EQ(actual.GetItems()[i].GetName(), expected.GetItems()[i].GetName()) << language;
            EXPECT_EQ(actual.GetItems()[i].GetValues(), expected.GetItems()[i].GetValues()) << language;
        }
    }

    void SetUp() override
    {
        WithShippedCatalogue::SetUp();
        std::string error;
        ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
        // Serial settings, so that the debugger section has several lines.
        simulator.Execute({"/DBGSETTINGS", "SERIAL", "DEBUGPORT:1", "BAUDRATE:115200"});
    }

    CSimStore store;
    CSimulator simulator{store};
    NoticeRecorder recorder;
};

}  // namespace

TEST_F(SimTranslation, EveryLanguageReadsIntoTheSameObjectsAsEnglish)
{
    std::unique_ptr<CStoreModel> english = ModelIn("en-US");
    ASSERT_NE(english->GetBootManager(), nullptr);
    ASSERT_EQ(english->GetLoaders().size(), 4u);
    for (const char* language : {"de-DE", "fr-FR", "ru-RU", "ja-JP", "zh-CN", "pl-PL", "es-ES", "zh-TW"}) {
        std::string enumText;
        std::unique_ptr<CStoreModel> translated = ModelIn(language, &enumText);
        bool ownTexts = std::string(language) != "pl-PL";
        EXPECT_EQ(enumText.find("\r\nWindows Boot Manager\r\n") == std::string::npos, ownTexts)
            << language << ": headings are translated where the tool is";
        ASSERT_NE(translated->GetBootManager(), nullptr) << language;
        ExpectSameObject(*english->GetBootManager(), *translated->GetBootManager(), language);
        ASSERT_EQ(translated->GetLoaders().size(), 4u) << language;
        for (size_t i = 0; i < 4; ++i)
            ExpectSameObject(*english->GetLoaders()[i], *translated->GetLoaders()[i], language);
        ASSERT_NE(translated->GetDebugSettings(), nullptr);
        ExpectSameObject(*english->GetDebugSettings(), *translated->GetDebugSettings(), language);
    }
    EXPECT_TRUE(recorder.notices.empty()) << recorder.notices.front();
}

TEST_F(SimTranslation, SentencesAndSystemLinesComeInTheLanguagesOwnWords)
{
    const ToolLanguage& german = *FindToolLanguage("de-DE");
    EXPECT_EQ(TranslateSimOutput(kStoreDenied, german),
              "Der Speicher f\xc3\xbcr die Startkonfigurationsdaten konnte nicht ge\xc3\xb6" "ffnet werden.\r\n"
              "Zugriff verweigert\r\n");
    EXPECT_EQ(TranslateSimOutput(kOperationSucceeded, german), "Der Vorgang wurde erfolgreich beendet.\r\n");
    EXPECT_EQ(TranslateSimOutput("The entry was successfully copied to {abc}.\r\n", german),
              "Der Eintrag wurde erfolgreich in {abc} kopiert.\r\n");
    std::string set = TranslateSimOutput(kSetInvalid, german);
    EXPECT_EQ(set, "Der angegebene set-Befehl ist nicht g\xc3\xbcltig.\r\n"
                   "F\xc3\xbchren Sie \"bcdedit /?\" aus, um die Befehlszeilenunterst\xc3\xbctzung aufzurufen.\r\n"
                   "Falscher Parameter.\r\n");

    // Polish Windows: English tool texts, a Polish system line.
    const ToolLanguage& polish = *FindToolLanguage("pl-PL");
    EXPECT_EQ(TranslateSimOutput(kStoreDenied, polish),
              "The boot configuration data store could not be opened.\r\nOdmowa dost\xc4\x99pu.\r\n");
    EXPECT_EQ(TranslateSimOutput(kOperationSucceeded, polish),
              "Operacja uko\xc5\x84" "czona pomy\xc5\x9b" "lnie.\r\n");

    // The copy sentence in any language names the copy.
    for (const char* language : {"de-DE", "fr-FR", "ru-RU", "ja-JP", "zh-CN", "ko-KR"}) {
        std::string sentence = TranslateSimOutput("The entry was successfully copied to {0a1b}.\r\n",
                                                  *FindToolLanguage(language));
        ToolAnswer answer{sentence, true, 0};
        CWritePath path([&](const std::string&) { return answer; }, WriteFeedback{});
        EXPECT_EQ(path.Run(CopyEntryCommand("{x}", "y"), AnswerKind::Copy).copiedIdentifier, "{0a1b}")
            << language << ": " << sentence;
    }
}
