#pragma once
#include <string>

#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimStoreFile.h"

// Real-shaped tool output of about `bytes` bytes: the sample store's full
// verbose enumeration, repeated.
inline std::string RepeatedEnumeration(size_t bytes)
{
    CSimStore store;
    std::string error;
    store.Parse(kSampleStoreText, error);
    CSimulator simulator(store);
    std::string one = simulator.Execute({"/enum", "all", "/v"}).out;
    std::string text;
    text.reserve(bytes + one.size());
    while (text.size() < bytes)
        text += one;
    return text;
}
