#include "store/SavePlan.h"

SavePlan PlanSave(const SaveFacts& facts)
{
    SavePlan plan;
    if (!facts.exists) return plan;
    if (facts.unreadable) {
        plan.refusal = SavePlan::Refusal::Unreadable;
        return plan;
    }
    if (facts.readOnly) {
        plan.refusal = SavePlan::Refusal::ReadOnly;
        return plan;
    }
    plan.keepCopy = facts.losesSomething || facts.changedSinceRead;
    plan.inPlace = facts.otherNames;
    return plan;
}
