#pragma once
#include "store/CardViews.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/unit/cardviews/CardTestRig.h"

#include <gtest/gtest.h>

// A virtual card, the four card lists with their views and a recording host, for the driver
// tests; messages go to a recording prompter and pauses to a fake clock.
class CardDriverFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Prompter::setCurrent(&prompter);
        Pacer::setCurrent(&pacer);
    }
    void TearDown() override
    {
        Prompter::setCurrent(nullptr);
        Pacer::setCurrent(nullptr);
    }

    ScriptedPrompter prompter;
    FakePacer pacer;
    CardTestRig rig;
    RowTable sim, simShow, msg, msgShow;
    CardViews views{sim, simShow, msg, msgShow};
    RecordingHost host;
};
