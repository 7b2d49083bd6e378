#pragma once
// Every text the program shows in a message box or its confirmation popup, in one
// place. The help page names each under "Messages you may see", and a test checks that
// it does, so that the two cannot drift. "%1", "%2", ... stand for what Filled() puts
// in: a file's name, the system's reason, a count.

#include <initializer_list>
#include <string>
#include <string_view>

// The confirmation popup.
inline constexpr char kTextLoaded[] = "Your text has been loaded into the clipboard.";
inline constexpr char kImageLoaded[] = "Your image has been loaded into the clipboard.";
inline constexpr char kCaptureLoaded[] = "Image has been loaded into clipboard.";

// A shortcut pressed.
inline constexpr char kCantOpenClipboard[] = "Can't open Clipboard";
inline constexpr char kCantEmptyClipboard[] = "Can't empty Clipboard";
inline constexpr char kCantCopyToClipboard[] = "Can't copy data to Clipboard";
inline constexpr char kCantLoadBitmap[] = "Can't load file \"%1\" as a bitmap.";
inline constexpr char kPictureTooLarge[] = "The picture \"%1\" is too large to put on the clipboard.";
inline constexpr char kPathTooLong[] = "The path of this shortcut is too long to open.";
inline constexpr char kFolderMissing[] = "The folder \"%1\" does not exist.";

// The editor.
inline constexpr char kNoPath[] = "Please choose path.";
inline constexpr char kNoImage[] = "Please paste a image in the editbox.";
inline constexpr char kNoText[] = "Please type in content.";
inline constexpr char kTooManyCharacters[] = "Enter no more than %1 characters.";
inline constexpr char kNoFreeKey[] = "All keys are in use. Delete a shortcut to free its key.";
inline constexpr char kNoSelection[] = "No items were selected.";
inline constexpr char kNoBitmapInClipboard[] = "No bitmap in clipboard.";
inline constexpr char kImageNotSaved[] = "The image could not be saved as \"%1\".\r\n%2";
inline constexpr char kUnacceptedQuestion[] = "Exit without accepting new settings?";
inline constexpr char kNoHelpFile[] =
    "No help file was found. TWHELP.html (or TWHELP.hlp) belongs in the program's folder:\r\n%1";

// keyset.ini.
inline constexpr char kSettingsUnreadable[] =
    "The shortcuts could not be read from \"%1\".\r\n%2\r\nTarnwick runs without them, and saves nothing over the "
    "file until it can read it.";
inline constexpr char kSettingsUnreadableAfterChange[] =
    "The shortcuts could not be read from \"%1\" after another program changed it.\r\n%2\r\nThe shortcuts go on as "
    "they were read last.";
inline constexpr char kSettingsStillUnreadable[] =
    "The shortcuts were not saved: \"%1\" cannot be read.\r\n%2\r\nNothing was written over it; your list stays as "
    "it is.";
inline constexpr char kSettingsReadableAgain[] =
    "\"%1\" can be read now, and its shortcuts are listed with yours. Nothing is saved until you press OK.";
inline constexpr char kSettingsKeysTaken[] = "These of yours were not added, as the file uses their keys: %1.";
inline constexpr char kSettingsReadOnly[] =
    "The shortcuts were not saved: \"%1\" is read-only. Clear its read-only attribute to save them; your list stays "
    "as it is.";
inline constexpr char kSettingsKeptChanged[] =
    "The shortcuts are saved. \"%1\" was changed by another program since Tarnwick read it; the file as it was is "
    "kept as \"%2\".";
inline constexpr char kSettingsKeptLosses[] =
    "The shortcuts are saved. \"%1\" held what the save does not write back (%2); the file as it was is kept as "
    "\"%3\".";
inline constexpr char kSettingsNoCopy[] =
    "The shortcuts were not saved: \"%1\" must be kept before it is written over, and no copy of it could be kept "
    "beside it.\r\n%2";
inline constexpr char kSettingsNotSaved[] = "The shortcuts could not be saved to \"%1\".\r\n%2";
inline constexpr char kSettingsNotSavedCopyKept[] =
    "The shortcuts could not be saved to \"%1\".\r\n%2\r\nThe file as it was is kept as \"%3\".";

// For the test that the help page names them all.
inline constexpr const char* kAllMessageTexts[] = {
    kTextLoaded, kImageLoaded, kCaptureLoaded, kCantOpenClipboard, kCantEmptyClipboard, kCantCopyToClipboard,
    kCantLoadBitmap, kPictureTooLarge, kPathTooLong, kFolderMissing, kNoPath, kNoImage, kNoText, kTooManyCharacters,
    kNoFreeKey, kNoSelection, kNoBitmapInClipboard, kImageNotSaved, kUnacceptedQuestion, kNoHelpFile,
    kSettingsUnreadable, kSettingsUnreadableAfterChange, kSettingsStillUnreadable, kSettingsReadableAgain,
    kSettingsKeysTaken, kSettingsReadOnly, kSettingsKeptChanged, kSettingsKeptLosses, kSettingsNoCopy,
    kSettingsNotSaved, kSettingsNotSavedCopyKept,
};

// The text with "%1", "%2", ... replaced by the values, in their order.
inline std::string Filled(std::string_view text, std::initializer_list<std::string> values)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && index < values.size()) {
            out += values.begin()[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
