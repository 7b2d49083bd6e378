#include "app/SettingsFile.h"
#include "framework/AnsiCodePage.h"
#include "framework/WideText.h"
#include "res/MessageTexts.h"
#include "store/SavePlan.h"
#include "store/SettingsPath.h"
#include <windows.h>

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::uint64_t Fingerprint(const std::string& bytes)
{
    // FNV-1a: enough to tell one version of a file from another.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::optional<std::uint64_t> FingerprintOf(const FileRead& read)
{
    if (read.result != FileRead::Result::Read)
        return std::nullopt;
    return Fingerprint(read.bytes);
}

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

}  // namespace


SettingsFile::LoadResult SettingsFile::Load(ShortcutTable& table)
{
    const FileRead read = ReadWholeFile(m_path);
    const LoadResult result = Take(read, table);
    m_listBasis = m_tableBasis;
    m_listUnread = m_unreadable;
    return result;
}

SettingsFile::LoadResult SettingsFile::Take(const FileRead& read, ShortcutTable& table)
{
    LoadResult result;
    m_unreadable = read.result == FileRead::Result::Unreadable;
    if (m_unreadable) {
        // What the file holds is unknown: no shortcut of an earlier read stays either.
        table.clear();
        m_losses = {};
        m_tableBasis.reset();
        result.reason = read.error.Text();
        result.problem = Filled(kSettingsUnreadable, {m_path, result.reason});
        return result;
    }
    const std::optional<std::string> bytes =
        read.result == FileRead::Result::Read ? std::optional<std::string>(read.bytes) : std::nullopt;
    const SettingsLoad load = LoadShortcuts(bytes, AnsiCodePage(), table);
    if (!bytes)
        table.clear();
    m_losses = load.losses;
    m_tableBasis = FingerprintOf(read);
    result.shortcuts = load.loaded;
    return result;
}

bool SettingsFile::Follow(ShortcutTable& table, bool listFollows, std::string& problem)
{
    const FileRead read = ReadWholeFile(m_path);
    if (read.result == FileRead::Result::Unreadable) {
        // A program that is writing the file holds it for a moment: only a file that
        // stays unreadable is worth a word, which the caller asks again for.
        problem = Filled(kSettingsUnreadableAfterChange, {m_path, read.error.Text()});
        return false;
    }
    if (!m_unreadable && FingerprintOf(read) == m_tableBasis)
        return false;
    Take(read, table);
    if (listFollows) {
        m_listBasis = m_tableBasis;
        m_listUnread = m_unreadable;
    }
    return true;
}

SettingsFile::Copy SettingsFile::KeepCopy() const
{
    Copy copy;
    while (const std::optional<std::string> name = BackupPathFor(m_path, Exists)) {
        const std::optional<FileError> failed = CopyToNewFile(m_path, *name);
        if (!failed) {
            copy.name = name;
            return copy;
        }
        // Another program took the name meanwhile: the next one.
        if (failed->code != ERROR_FILE_EXISTS && failed->code != ERROR_ALREADY_EXISTS) {
            copy.error = *failed;
            return copy;
        }
    }
    copy.error = {ERROR_FILE_EXISTS};
    return copy;
}

SettingsFile::SaveResult SettingsFile::Save(const std::vector<Shortcut>& rows)
{
    SaveResult result;
    const FileShape shape = ShapeOfFile(m_path);
    const FileRead now = shape.exists ? ReadWholeFile(m_path) : FileRead{};
    SaveFacts facts;
    facts.exists = shape.exists;
    facts.readOnly = shape.readOnly;
    // Read again first (Load), since what the file held was unknown when the list began.
    facts.unreadable = m_listUnread || now.result == FileRead::Result::Unreadable;
    facts.otherNames = shape.names > 1;
    facts.losesSomething = m_losses.Any();
    facts.changedSinceRead = FingerprintOf(now) != m_listBasis;
    const SavePlan plan = PlanSave(facts);

    switch (plan.refusal) {
    case SavePlan::Refusal::ReadOnly:
        result.message = Filled(kSettingsReadOnly, {m_path});
        return result;
    case SavePlan::Refusal::Unreadable:
        result.message = Filled(kSettingsStillUnreadable, {m_path, now.error.Text()});
        return result;
    case SavePlan::Refusal::None:
        break;
    }

    std::string notice;
    if (plan.keepCopy) {
        const Copy copy = KeepCopy();
        if (!copy.name) {
            result.message = Filled(kSettingsNoCopy, {m_path, copy.error.Text()});
            return result;
        }
        // Another program's lines are what the user most needs to hear of.
        notice = facts.changedSinceRead ? Filled(kSettingsKeptChanged, {m_path, *copy.name})
                                        : Filled(kSettingsKeptLosses, {m_path, LossesText(m_losses), *copy.name});
    }

    const std::string bytes = SettingsFileBytes(rows);
    // A link goes on leading to its file: the file is replaced where it lies.
    const std::string target = shape.link ? shape.target : m_path;
    if (plan.inPlace) {
        // The file keeps its other names only if it is written where it is, which is not
        // one step: a copy stands in for it until the write is done.
        const Copy standIn = plan.keepCopy ? Copy{} : KeepCopy();
        if (!plan.keepCopy && !standIn.name) {
            result.message = Filled(kSettingsNoCopy, {m_path, standIn.error.Text()});
            return result;
        }
        if (const std::optional<FileError> failed = OverwriteFile(target, bytes)) {
            result.message = standIn.name ? Filled(kSettingsNotSavedCopyKept, {m_path, failed->Text(), *standIn.name})
                                          : Filled(kSettingsNotSaved, {m_path, failed->Text()});
            return result;
        }
        if (standIn.name)
            ::DeleteFileW(Wide(*standIn.name).c_str());
    } else if (const std::optional<FileError> failed = ReplaceWholeFile(target, bytes)) {
        // Written beside the old file and put in its place in one step: a failure
        // leaves the old file, and with it the running shortcuts, as they were.
        result.message = Filled(kSettingsNotSaved, {m_path, failed->Text()});
        return result;
    }
    result.saved = true;
    result.message = notice;
    return result;
}
