#pragma once
#include <gtest/gtest.h>

#include <string>

#include "catalogue/ElementCatalogue.h"
#include "tests/native/NoticeRecorder.h"

// Loads the shipped definitions file around each test.
class WithShippedCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string path = std::string(KEYSTAVE_SOURCE_DIR) + "/data/keystavedata.xml";
        NoticeRecorder quiet;
        ASSERT_TRUE(LoadElementCatalogue(path.c_str()));
    }
    void TearDown() override { FreeElementCatalogue(); }
};
