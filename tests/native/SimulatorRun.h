#pragma once
#include <string>
#include <vector>

#include "model/CStoreModel.h"
#include "sim/CSimulator.h"
#include "sim/SimCommandLine.h"

// The same with the run's outcome: the simulator's exit code is 1 when it
// wrote to standard error, as the program that wraps it does.
inline AnsweredToolRun SimulatorAnsweredRun(CSimulator& simulator,
                                            std::vector<std::string>* log = nullptr)
{
    return [&simulator, log](const std::string& arguments) {
        if (log)
            log->push_back(arguments);
        SimOutput output = simulator.Execute(SplitArguments(arguments));
        ToolAnswer answer;
        answer.text = output.out + output.err;
        answer.started = true;
        answer.exitCode = output.err.empty() && !output.failed ? 0 : 1;
        return answer;
    };
}

// A tool run answered by `simulator`, with the argument string split as the
// C runtime splits a command line; each argument string goes to `log`.
inline ToolRun SimulatorRun(CSimulator& simulator, std::vector<std::string>* log = nullptr)
{
    return [&simulator, log](const std::string& arguments) {
        if (log)
            log->push_back(arguments);
        SimOutput output = simulator.Execute(SplitArguments(arguments));
        return output.out + output.err;
    };
}

#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"

// The shipped catalogue and a simulator of the sample store, in memory.
class WithSampleSimulator : public WithShippedCatalogue {
protected:
    void SetUp() override
    {
        WithShippedCatalogue::SetUp();
        std::string error;
        ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
    }
    // The loader a model read under `guid` (the first, with a failure, if none).
    static CBcdBootLoader& LoaderOf(const CStoreModel& model, const std::string& guid)
    {
        for (const auto& loader : model.GetLoaders())
            if (loader->GetIdentifier() == guid)
                return *loader;
        ADD_FAILURE() << "no loader " << guid;
        return *model.GetLoaders().front();
    }

    CSimStore store;
    CSimulator simulator{store};
};
