#pragma once

// How a save of the shortcut list goes over the settings file that is there.

struct SaveFacts {
    bool exists = false;
    bool readOnly = false;
    // The file is there but could not be read: what it holds is unknown.
    bool unreadable = false;
    // Other names of the same file (hard links, as package managers keep a portable
    // program's settings across upgrades).
    bool otherNames = false;
    // The file holds what the save does not write back.
    bool losesSomething = false;
    // Another program changed the file since the list was read from it.
    bool changedSinceRead = false;
};

struct SavePlan {
    enum class Refusal { None, ReadOnly, Unreadable };
    Refusal refusal = Refusal::None;
    // The file as it is goes to the next free keyset.ini.bak... first, and stays there.
    bool keepCopy = false;
    // The new text goes into the file itself, which keeps its other names; a copy made
    // first stands in for it should the write fail, and goes once the write is done.
    bool inPlace = false;
};

// Nothing is written over a file that is read-only or that could not be read; a
// file that would lose something, or that another program changed, is kept first.
SavePlan PlanSave(const SaveFacts& facts);
