#pragma once
#include "store/CardViews.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/unit/cardviews/CardTestRig.h"

#include <gtest/gtest.h>

// A virtual card, the four card lists with their views and a recording host, for the driver
// tests; messages go to a recording prompter.
class CardDriverFixture : public ::testing::Test {
protected:
    void SetUp() override { Prompter::setCurrent(&prompter); }
    void TearDown() override { Prompter::setCurrent(nullptr); }

    ScriptedPrompter prompter;
    CardTestRig rig;
    RowTable sim, simShow, msg, msgShow;
    CardViews views{sim, simShow, msg, msgShow};
    RecordingHost host;
};
