#include "store/SavePlan.h"

#include <gtest/gtest.h>

TEST(PlanSave, KeepsWhatWouldBeLostAndRefusesWhatMustNotBeWritten)
{
    using R = SavePlan::Refusal;
    const struct {
        const char* what;
        SaveFacts facts;
        R refusal;
        bool keepCopy;
        bool inPlace;
    } cases[] = {
        {"no file yet", {false, false, false, false, false, false}, R::None, false, false},
        {"a file the program wrote", {true, false, false, false, false, false}, R::None, false, false},
        {"read-only", {true, true, false, false, true, true}, R::ReadOnly, false, false},
        {"unreadable", {true, false, true, false, false, false}, R::Unreadable, false, false},
        {"lines the save drops", {true, false, false, false, true, false}, R::None, true, false},
        {"changed by another program", {true, false, false, false, false, true}, R::None, true, false},
        {"a second hard link", {true, false, false, true, false, false}, R::None, false, true},
        {"a hard link that also loses lines", {true, false, false, true, true, false}, R::None, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SavePlan plan = PlanSave(c.facts);
        EXPECT_EQ(plan.refusal, c.refusal);
        EXPECT_EQ(plan.keepCopy, c.keepCopy);
        EXPECT_EQ(plan.inPlace, c.inPlace);
    }
}
