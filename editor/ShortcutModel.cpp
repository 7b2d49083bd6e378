#include "editor/ShortcutModel.h"

#include <algorithm>
#include <unordered_set>

#include "store/KeyNames.h"
#include "store/KeyText.h"

namespace {

bool InKeyOrder(const ShortcutModel::Row& a, const ShortcutModel::Row& b)
{
    return a.shortcut.keyCode < b.shortcut.keyCode;
}

Shortcut NewShortcut(const std::string& key, ShortcutKind kind, const std::string& payload)
{
    Shortcut shortcut;
    shortcut.Assign(key, payload, kind);
    return shortcut;
}

}  // namespace

void ShortcutModel::Load(const ShortcutTable& table)
{
    m_rows.clear();
    m_rows.reserve(table.size());
    for (const Shortcut& loaded : table) m_rows.push_back({m_nextId++, ListedShortcut(loaded)});
    std::stable_sort(m_rows.begin(), m_rows.end(), InKeyOrder);
    m_viewed.reset();
    m_edited = false;
    Notify(Change::Loaded, {});
}

const ShortcutModel::Row* ShortcutModel::Find(RowId id) const
{
    const std::optional<std::size_t> index = IndexOf(id);
    return index ? &m_rows[*index] : nullptr;
}

std::optional<std::size_t> ShortcutModel::IndexOf(RowId id) const
{
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [id](const Row& row) { return row.id == id; });
    if (it == m_rows.end()) return std::nullopt;
    return static_cast<std::size_t>(it - m_rows.begin());
}

std::vector<Shortcut> ShortcutModel::Shortcuts() const
{
    std::vector<Shortcut> shortcuts;
    shortcuts.reserve(m_rows.size());
    for (const Row& row : m_rows) shortcuts.push_back(row.shortcut);
    return shortcuts;
}

std::vector<std::string> ShortcutModel::OfferedKeys() const
{
    std::unordered_set<std::string> used;
    for (const Row& row : m_rows) {
        if (!m_viewed || row.id != *m_viewed) used.insert(ToUpperAscii(row.shortcut.keyName));
    }
    std::vector<std::string> offered;
    for (const std::string& name : KeyNames()) {
        if (!used.count(name)) offered.push_back(name);
    }
    return offered;
}

bool ShortcutModel::IsOffered(const std::string& key, RowId editedRow) const
{
    const auto& names = KeyNames();
    if (std::find(names.begin(), names.end(), ToUpperAscii(key)) == names.end()) return false;
    return std::none_of(m_rows.begin(), m_rows.end(), [&](const Row& row) {
        return row.id != editedRow && EqualsNoCase(row.shortcut.keyName, key);
    });
}

bool ShortcutModel::View(RowId id)
{
    const Row* row = Find(id);
    if (!row) return false;
    m_viewed = id;
    Notify(Change::Viewed, row->shortcut.keyName);
    return true;
}

void ShortcutModel::EndView()
{
    const Row* viewed = Viewed();
    const std::string key = viewed ? viewed->shortcut.keyName : std::string();
    m_viewed.reset();
    Notify(Change::ViewEnded, key);
}

bool ShortcutModel::Accept(const std::string& key, ShortcutKind kind, const std::string& payload)
{
    constexpr RowId kNoRow = 0;
    if (!InfoOfKind(kind) || !IsOffered(key, kNoRow)) return false;
    m_viewed.reset();
    m_edited = true;
    Insert({m_nextId++, NewShortcut(key, kind, payload)});
    Notify(Change::Accepted, ToUpperAscii(TrimWhitespace(key)));
    return true;
}

bool ShortcutModel::Replace(RowId id, const std::string& key, ShortcutKind kind, const std::string& payload)
{
    const std::optional<std::size_t> index = IndexOf(id);
    if (!index || !InfoOfKind(kind)) return false;
    const bool ownKey = EqualsNoCase(m_rows[*index].shortcut.keyName, key);
    if (!ownKey && !IsOffered(key, id)) return false;
    Row changed{id, NewShortcut(key, kind, payload)};
    m_viewed.reset();
    m_edited = true;
    if (ownKey) {
        m_rows[*index] = std::move(changed);
    } else {
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*index));
        Insert(std::move(changed));
    }
    Notify(Change::Replaced, ToUpperAscii(TrimWhitespace(key)));
    return true;
}

bool ShortcutModel::Delete(RowId id)
{
    const std::optional<std::size_t> index = IndexOf(id);
    if (!index) return false;
    const std::string key = m_rows[*index].shortcut.keyName;
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*index));
    m_viewed.reset();
    m_edited = true;
    Notify(Change::Deleted, key);
    return true;
}

// After the last row of its key code, so that rows of one key keep the order they came in.
void ShortcutModel::Insert(Row row)
{
    const auto after = std::upper_bound(m_rows.begin(), m_rows.end(), row, InKeyOrder);
    m_rows.insert(after, std::move(row));
}

void ShortcutModel::Notify(Change change, const std::string& key)
{
    for (Observer* observer : m_observers) observer->OnModelChanged(change, key);
}
