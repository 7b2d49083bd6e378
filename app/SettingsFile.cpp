#include "app/SettingsFile.h"
#include "framework/AnsiCodePage.h"
#include "framework/FileIO.h"
#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "store/SettingsPath.h"
#include <optional>

namespace {

bool FileExists(const std::string& path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a settings file held that a save does not write back, for the user: "1 section
// header without its "]", 4952 lines that repeat a key of their section".
std::string LossesText(const SettingsLosses& losses)
{
    const struct {
        std::size_t count;
        const char* one;
        const char* many;
    } phrases[] = {
        {losses.unreadableBytes, "byte that is no character", "bytes that are no characters"},
        {losses.unclosedHeaders, "section header without its \"]\"", "section headers without their \"]\""},
        {losses.linesOutsideSections, "line outside the paths, contents and graphics sections",
         "lines outside the paths, contents and graphics sections"},
        {losses.textAfterHeaders, "section header with text after it", "section headers with text after them"},
        {losses.entriesSavedAsHeaders, "key that would be saved as a section header",
         "keys that would be saved as section headers"},
        {losses.linesWithNul, "line with a NUL character", "lines with a NUL character"},
        {losses.repeatedKeys, "line that repeats a key of its section", "lines that repeat a key of their section"},
    };
    std::string text;
    for (const auto& phrase : phrases) {
        if (phrase.count == 0)
            continue;
        text += (text.empty() ? "" : ", ") + std::to_string(phrase.count) + " " + (phrase.count == 1 ? phrase.one : phrase.many);
    }
    return text;
}

// A copy that reached the disk before the file it keeps is replaced.
bool CopyToDisk(const std::string& from, const std::string& to)
{
    if (!::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), TRUE))
        return false;
    FileHandle copy(::CreateFileW(Wide(to).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return copy && ::FlushFileBuffers(copy.get());
}

// Copies the file to the first free name beside it (keyset.ini.bak, .bak1, ...),
// never over an earlier copy. The copy's name; nullopt, with the system's reason,
// when none could be made.
std::optional<std::string> KeepCopyOf(const std::string& path, std::string& reason)
{
    std::string tried;
    while (const std::optional<std::string> name = BackupPathFor(path, FileExists)) {
        // A name that still looks free after the copy found it taken is not tried again.
        if (*name == tried)
            break;
        if (CopyToDisk(path, *name))
            return name;
        const DWORD error = ::GetLastError();
        // Another program took the name meanwhile: the next one.
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            reason = SystemErrorText(error);
            return std::nullopt;
        }
        tried = *name;
    }
    reason = "Every name for a copy beside it is taken.";
    return std::nullopt;
}

}  // namespace

bool SettingsFile::Load(ShortcutTable& table)
{
    const SettingsLoad load = LoadShortcuts(ReadWholeFile(m_path), AnsiCodePage(), table);
    // The load after a save reads the program's own file, which keeps everything.
    m_losses = load.losses;
    return load.loaded;
}

SettingsFile::SaveResult SettingsFile::Save(const std::vector<Shortcut>& rows)
{
    // The file holds what the save does not write back: the file as it is stays
    // beside it, or nothing is saved over it.
    SaveResult result;
    std::string reason;
    if (m_losses.Any() && FileExists(m_path)) {
        const std::string what = "what the save does not write back (" + LossesText(m_losses) + ")";
        const std::optional<std::string> copy = KeepCopyOf(m_path, reason);
        if (!copy) {
            result.message = "The shortcuts were not saved: \"" + m_path + "\" holds " + what +
                             ", and no copy of it could be kept beside it.\r\n" + reason;
            return result;
        }
        result.message = "The shortcuts are saved. \"" + m_path + "\" held " + what +
                         "; the file as it was is kept as \"" + *copy + "\".";
    }

    // Written beside the old file and put in its place in one step: a failure
    // leaves the old file, and with it the running shortcuts, as they were.
    if (!ReplaceFileContents(m_path, SettingsFileBytes(rows), reason)) {
        result.message = "The shortcuts could not be saved to \"" + m_path + "\".\r\n" + reason;
        return result;
    }
    result.saved = true;
    return result;
}
