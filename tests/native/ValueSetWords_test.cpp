#include <gtest/gtest.h>

#include "catalogue/BcdType.h"
#include "catalogue/ValueSet.h"
#include "exec/CWritePath.h"
#include "exec/SplitToolOutput.h"
#include "exec/ToolCommand.h"
#include "model/CStoreModel.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


// The object an element of these contexts is set on in the sample store.
const char* TargetFor(uint16_t contexts)
{
    if (contexts & kContextLoader)
        return kWin10;
    if (contexts & kContextManager)
        return "{bootmgr}";
    return "{dbgsettings}";
}

class ValueSetWords : public WithShippedCatalogue {};

}  // namespace

TEST_F(ValueSetWords, EveryWordOfEverySetIsAcceptedByTheToolAndReadBackAsThatWord)
{
    int setsChecked = 0;
    for (int type = 0; type < kBcdTypeCount; ++type) {
        const ValueSet* words = ValueSetFor(type);
        if (!words)
            continue;
        // Every element of that type in the definitions file.
        int elements = 0;
        const ElementCatalogue& catalogue = ElementCatalogue::Instance();
        for (int index = 2; index < catalogue.Count(); ++index) {
            const ElementDefinition* definition = catalogue.Record(index);
            if (definition->type != type)
                continue;
            ++elements;
            for (const std::string& word : *words) {
                CSimStore store;
                std::string error;
                ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
                CSimulator simulator(store);
                ToolRun run = SimulatorRun(simulator);
                const char* target = TargetFor(definition->contexts);
                ToolCommand command = SetValueCommand(target, definition->name, word);
                ASSERT_TRUE(command.ok) << command.reason;
                ToolAnswer answer = SimulatorAnsweredRun(simulator)(command.arguments);
                EXPECT_TRUE(AnswerSucceeded(answer))
                    << definition->name << " " << word << ": " << answer.text;

                // Read back, the grid would show the same word.
                CBcdBootLoader reread;
                std::string output = run(EnumObjectCommand(target).arguments);
                OutputLines lines = SplitOutputLineViews(output);
                size_t i = 2;
                ParseSectionElements(reread, lines, i);
                const CBcdItem* item = reread.FindItem(definition->name);
                ASSERT_NE(item, nullptr) << definition->name << " " << word;
                EXPECT_EQ((*words)[static_cast<size_t>(ValueSetPosition(*words, item->GetValue(0)))],
                          word)
                    << definition->name << " stored as " << item->GetValue(0);
            }
        }
        if (elements > 0)
            ++setsChecked;
    }
    // The definitions file has no element of the on/off and true/false types.
    EXPECT_EQ(setsChecked, 10);
}
