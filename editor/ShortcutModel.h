#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Shortcut.h"
#include "store/ShortcutTable.h"

// The shortcuts being edited: the list's rows in key order, the row the form shows
// read-only (the viewed row), and the keys still free. The list, the entry form and
// the edit dialog show it and change it only through its commands; after each
// command that changes something, every observer hears what happened.
//
// A row keeps an id of its own for as long as it lives. Windows address rows by it,
// never by a position, which a command run meanwhile (in a modal loop) may change,
// and not by key alone: a settings file written by hand can give two rows one key.
class ShortcutModel {
public:
    using RowId = std::uint64_t;
    struct Row {
        RowId id = 0;
        Shortcut shortcut;  // its keyName is the key as the list shows it
    };

    enum class Change {
        Loaded,     // the rows were replaced by a load
        Viewed,     // a row is shown in the form, read-only
        ViewEnded,  // no row is viewed any more; the form is for a new shortcut again
        Accepted,   // a new row was added for `key`
        Replaced,   // a row was changed; `key` is its key now
        Deleted,    // the row of `key` was deleted
    };
    class Observer {
    public:
        virtual ~Observer() = default;
        // `key`: the key of the row the change is about (for ViewEnded, the row that was viewed).
        virtual void OnModelChanged(Change change, const std::string& key) = 0;
    };

    // Observers live as long as the model.
    void AddObserver(Observer& observer) { m_observers.push_back(&observer); }

    // The table's shortcuts as rows, as the list shows them (ListedShortcut), in key
    // order; those of one key in the table's order. Ends any view.
    void Load(const ShortcutTable& table);

    const std::vector<Row>& Rows() const { return m_rows; }
    const Row* Find(RowId id) const;
    std::optional<std::size_t> IndexOf(RowId id) const;
    // The rows' shortcuts in list order: what the save writes and the sheet prints.
    std::vector<Shortcut> Shortcuts() const;

    const Row* Viewed() const { return m_viewed ? Find(*m_viewed) : nullptr; }
    // A row was added, changed or deleted since the last load.
    bool HasEdits() const { return m_edited; }
    // The key names, in their order, that a shortcut may take: those no row uses,
    // and the viewed row's own.
    std::vector<std::string> OfferedKeys() const;

    // Shows the row; false when there is no such row.
    bool View(RowId id);
    void EndView();
    // A new row of the kind for a free key; false, with nothing changed, for a key
    // that no key name is free for, and for a value that names no kind.
    bool Accept(const std::string& key, ShortcutKind kind, const std::string& payload);
    // The row gets the key (free, or its own), kind and payload. With its own key it
    // keeps its place; with another it moves to that key's place. False, with nothing
    // changed, when the row is gone, the key is another row's or the kind is none.
    bool Replace(RowId id, const std::string& key, ShortcutKind kind, const std::string& payload);
    // False when the row is gone.
    bool Delete(RowId id);

private:
    bool IsOffered(const std::string& key, RowId editedRow) const;
    void Insert(Row row);
    void Notify(Change change, const std::string& key);

    std::vector<Row> m_rows;
    std::optional<RowId> m_viewed;
    bool m_edited = false;
    RowId m_nextId = 1;
    std::vector<Observer*> m_observers;
};
