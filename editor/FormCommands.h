#pragma once
#include "editor/HintEdit.h"
#include <windows.h>
#include <optional>
#include <string>

// What the entry form and the edit dialog do alike with their path and image boxes:
// the two windows carry the same controls, and a button must not behave differently
// in one of them.

inline constexpr char kPathHint[] = "optional: enter path or URL here";
inline constexpr char kMailto[] = "mailto:";
inline constexpr char kImagePrompt[] = "Paste clipboard image here.";

// Focus into the empty path box, with the hint asking for a path.
void PromptForPath(CHintEdit& pathBox);
// The path box holds "mailto:": the caret waits after it, with the hint asking for
// the recipient.
void PromptForRecipient(CHintEdit& pathBox);

// Where the hidden "Browse..." button keeps a pasted picture: asked only once the box
// says the picture was taken, otherwise the user is told to paste first.
std::optional<std::string> AskPastedImageLocation(HWND owner, const std::string& imageBoxText);
