#include "editor/ShortcutModel.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "store/KeyNames.h"

namespace {

using Change = ShortcutModel::Change;
constexpr ShortcutKind kPath = ShortcutKind::Path;
constexpr ShortcutKind kText = ShortcutKind::Text;
constexpr ShortcutKind kGraphic = ShortcutKind::Graphic;
constexpr ShortcutKind kUnknownKind = static_cast<ShortcutKind>(7);

ShortcutTable Table(const std::vector<std::pair<std::string, ShortcutKind>>& records)
{
    ShortcutTable table;
    for (const auto& [key, kind] : records) table.emplace_back().Assign(key, "payload of " + key, kind);
    return table;
}

std::vector<std::string> Keys(const ShortcutModel& model)
{
    std::vector<std::string> keys;
    for (const ShortcutModel::Row& row : model.Rows()) keys.push_back(row.shortcut.keyName);
    return keys;
}

ShortcutModel::RowId IdOf(const ShortcutModel& model, const std::string& key, std::size_t occurrence = 0)
{
    for (const ShortcutModel::Row& row : model.Rows()) {
        if (row.shortcut.keyName == key && occurrence-- == 0) return row.id;
    }
    ADD_FAILURE() << "no row " << key;
    return 0;
}

bool Offers(const ShortcutModel& model, const std::string& key)
{
    const std::vector<std::string> offered = model.OfferedKeys();
    return std::find(offered.begin(), offered.end(), key) != offered.end();
}

struct Heard {
    Change change;
    std::string key;
    bool operator==(const Heard& other) const { return change == other.change && key == other.key; }
};

void PrintTo(const Heard& heard, std::ostream* out) { *out << static_cast<int>(heard.change) << " " << heard.key; }

class Listener : public ShortcutModel::Observer {
public:
    void OnModelChanged(Change change, const std::string& key) override { heard.push_back({change, key}); }
    std::vector<Heard> heard;
};

class ShortcutModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.AddObserver(listener);
        model.Load(Table({{"F2", kGraphic}, {"B", kPath}, {"3", kText}}));
        listener.heard.clear();
    }
    ShortcutModel model;
    Listener listener;
};

}  // namespace

TEST(ShortcutModelLoad, ListsTheTableInKeyOrderAsTheListShowsIt)
{
    ShortcutTable table = Table({{"F2", kGraphic}, {"B", kPath}, {"CTRL+ALT+K", kPath}, {"3", kText}, {"b", kText}});
    table[0].payload = std::string("cut\0here", 8);
    ShortcutModel model;
    model.Load(table);
    // The modifier name gives no key code and sorts first; the two B rows keep the table's order.
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"K", "3", "B", "B", "F2"}));
    EXPECT_EQ(model.Rows()[0].shortcut.keyCode, -1);
    EXPECT_EQ(model.Rows()[2].shortcut.kind, kPath);
    EXPECT_EQ(model.Rows()[3].shortcut.kind, kText);
    EXPECT_EQ(model.Rows()[4].shortcut.payload, "cut") << "a list control's text ends at a NUL";
    EXPECT_EQ(model.OfferedKeys().size(), kKeyNameCount - 4) << "K, 3, B and F2 are taken, B once";
}

TEST_F(ShortcutModelTest, OffersTheFreeKeysAndTheViewedRowsOwnInKeyNameOrder)
{
    EXPECT_FALSE(Offers(model, "B"));
    ASSERT_TRUE(model.View(IdOf(model, "B")));
    EXPECT_EQ(model.Viewed()->shortcut.keyName, "B");
    const std::vector<std::string> offered = model.OfferedKeys();
    ASSERT_EQ(offered.size(), kKeyNameCount - 2);
    EXPECT_EQ(offered[9], "A");
    EXPECT_EQ(offered[10], "B");
    EXPECT_FALSE(Offers(model, "3"));
    model.EndView();
    EXPECT_EQ(model.Viewed(), nullptr);
    EXPECT_FALSE(Offers(model, "B"));
    EXPECT_EQ(listener.heard, (std::vector<Heard>{{Change::Viewed, "B"}, {Change::ViewEnded, "B"}}));
}

TEST_F(ShortcutModelTest, AcceptAddsARowAtItsKeysPlaceOnlyForAFreeKeyAndAKnownKind)
{
    const struct {
        const char* key;
        ShortcutKind kind;
        bool accepted;
    } cases[] = {
        {"a", kText, true},        // a key name in any letter case
        {"F1", kGraphic, true},
        {"B", kPath, false},       // used by a row
        {"", kPath, false},        // every key in use leaves the combo empty
        {"HOME", kPath, false},    // no key name
        {"Q", kUnknownKind, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const std::size_t before = model.Rows().size();
        EXPECT_EQ(model.Accept(c.key, c.kind, "new"), c.accepted);
        EXPECT_EQ(model.Rows().size(), before + (c.accepted ? 1 : 0));
    }
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"3", "A", "B", "F1", "F2"}));
    EXPECT_EQ(model.Rows()[1].shortcut.keyCode, 'A');
    EXPECT_FALSE(Offers(model, "A"));
    EXPECT_EQ(listener.heard, (std::vector<Heard>{{Change::Accepted, "A"}, {Change::Accepted, "F1"}}));
}

TEST_F(ShortcutModelTest, ReplaceKeepsTheRowsPlaceForItsOwnKeyAndMovesItForAnother)
{
    const ShortcutModel::RowId b = IdOf(model, "B");
    ASSERT_TRUE(model.View(b));
    EXPECT_TRUE(model.Replace(b, "B", kText, "now a text"));
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"3", "B", "F2"}));
    EXPECT_EQ(model.Rows()[1].shortcut.kind, kText);
    EXPECT_EQ(model.Rows()[1].shortcut.payload, "now a text");
    EXPECT_EQ(model.Viewed(), nullptr);

    EXPECT_TRUE(model.Replace(b, "Z", kPath, "moved"));
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"3", "Z", "F2"}));
    EXPECT_EQ(model.Rows()[1].id, b) << "the row keeps its id";
    EXPECT_TRUE(Offers(model, "B"));
    EXPECT_FALSE(Offers(model, "Z"));

    EXPECT_FALSE(model.Replace(b, "3", kPath, "taken")) << "the key of another row";
    EXPECT_FALSE(model.Replace(b, "Y", kUnknownKind, "no kind"));
    EXPECT_EQ(model.Rows()[1].shortcut.payload, "moved");
    EXPECT_EQ(listener.heard,
              (std::vector<Heard>{{Change::Viewed, "B"}, {Change::Replaced, "B"}, {Change::Replaced, "Z"}}));
}

TEST_F(ShortcutModelTest, DeleteFreesTheKeyAndEndsTheView)
{
    ASSERT_TRUE(model.View(IdOf(model, "B")));
    EXPECT_TRUE(model.Delete(IdOf(model, "3")));
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"B", "F2"}));
    EXPECT_EQ(model.Viewed(), nullptr);
    EXPECT_TRUE(Offers(model, "3"));
    EXPECT_FALSE(Offers(model, "B")) << "B still has its row";
    EXPECT_EQ(listener.heard.back(), (Heard{Change::Deleted, "3"}));
}

// An edit dialog holds its row across its modal loop, in which anything may reach
// the main dialog: the row it hands back is found by its id, or not at all.
TEST_F(ShortcutModelTest, ARowDeletedWhileItIsEditedIsNeitherChangedNorMistakenForAnother)
{
    const ShortcutModel::RowId edited = IdOf(model, "F2");
    ASSERT_TRUE(model.View(edited));
    ASSERT_TRUE(model.Delete(edited));
    EXPECT_FALSE(model.Replace(edited, "F2", kGraphic, "from the dialog"));
    EXPECT_FALSE(model.View(edited));
    EXPECT_FALSE(model.Delete(edited));
    EXPECT_EQ(Keys(model), (std::vector<std::string>{"3", "B"}));
    for (const ShortcutModel::Row& row : model.Rows()) EXPECT_EQ(row.shortcut.payload, "payload of " + row.shortcut.keyName);
}

TEST(ShortcutModelRows, TwoRowsOfOneKeyAreToldApart)
{
    ShortcutModel model;
    model.Load(Table({{"B", kPath}, {"B", kText}}));
    const ShortcutModel::RowId second = IdOf(model, "B", 1);
    ASSERT_TRUE(model.View(second));
    EXPECT_FALSE(Offers(model, "B")) << "the other B row still uses the key";
    EXPECT_TRUE(model.Replace(second, "B", kText, "the second"));
    EXPECT_EQ(model.Rows()[0].shortcut.payload, "payload of B");
    EXPECT_EQ(model.Rows()[1].shortcut.payload, "the second");
    EXPECT_TRUE(model.Delete(second));
    ASSERT_EQ(model.Rows().size(), 1u);
    EXPECT_EQ(model.Rows()[0].shortcut.kind, kPath);
}

TEST(ShortcutModelRows, TheSaveGetsTheRowsInListOrder)
{
    ShortcutModel model;
    model.Load(Table({{"F2", kGraphic}, {"B", kPath}}));
    EXPECT_FALSE(model.HasEdits());
    ASSERT_TRUE(model.View(IdOf(model, "B")));
    EXPECT_FALSE(model.HasEdits()) << "viewing edits nothing";
    ASSERT_TRUE(model.Accept("3", kText, "three"));
    EXPECT_TRUE(model.HasEdits());
    const std::vector<Shortcut> saved = model.Shortcuts();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].keyName, "3");
    EXPECT_EQ(saved[0].payload, "three");
    EXPECT_EQ(saved[1].keyName, "B");
    EXPECT_EQ(saved[2].keyName, "F2");
}
