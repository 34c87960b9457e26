#include "content/content_set.h"

#include <yaml-cpp/yaml.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "content/content_error.h"
#include "content/maze_text.h"
#include "content/yaml_record.h"

namespace dv {

namespace fs = std::filesystem;

std::string storedKey(std::string_view member) {
    std::string key = "stored" + std::string(member);
    key[6] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[6])));
    return key;
}

SourceLine ContentSet::at(const std::string& table, int entry) const {
    auto t = where.find(table);
    if (t != where.end()) {
        auto e = t->second.find(entry);
        if (e != t->second.end()) return e->second;
    }
    // A floor nobody drew is named by the file that would hold it.
    if (table == "mazes" && !dir.empty())
        return {(dir / "mazes" / floorFileName(entry / 100, entry % 100)).string(), 0};
    if (t != where.end() && !t->second.empty()) return {t->second.begin()->second.file, 0};
    if (!dir.empty()) return {(dir / (table + ".yaml")).string(), 0};
    return {table, 0};
}

SourceLine ContentSet::at(const std::string& table, int entry, const std::string& field) const {
    SourceLine line = at(table, entry);
    if (auto t = fieldLines.find(table); t != fieldLines.end())
        if (auto e = t->second.find(entry); e != t->second.end())
            if (auto f = e->second.find(field); f != e->second.end()) line.line = f->second;
    return line;
}

std::string floorFileName(int dungeon, int floor) {
    return "d" + std::to_string(dungeon) + "f" + std::to_string(floor) + ".txt";
}

ItemRecord defaultItem(int number) {
    ItemRecord r;
    r.itemNumber = static_cast<std::int16_t>(number);
    r.sexMask = 3;
    r.alignmentMask = 7;
    r.raceMask = 2047;
    r.classMask = 262143;
    return r;
}

Character defaultMonster(int number) {
    Character c;
    c.rosterId = number;
    c.sex = 4;
    for (int k = 1; k <= 36; ++k)
        c.damagePercent[k] = 100;
    for (std::size_t k = 1; k < c.weaponTypePercent.size(); ++k)
        c.weaponTypePercent[k] = 100;
    return c;
}

namespace {

// A source file as a YAML map keyed by entry number; a missing file is an empty map.
YAML::Node loadMap(const fs::path& path) {
    if (!fs::exists(path)) return YAML::Node(YAML::NodeType::Map);
    YAML::Node root;
    try {
        root = YAML::LoadFile(path.string());
    } catch (const YAML::Exception& e) {
        throw ContentError(path.string(), e.mark.line + 1, e.msg);
    }
    if (root.IsNull()) return YAML::Node(YAML::NodeType::Map);
    if (!root.IsMap()) throw ContentError(path.string(), 1, "expected a map: number -> entry");
    return root;
}

int entryNumber(const YAML::Node& key, int first, int last, const std::string& file) {
    int n = 0;
    parseNumber(key, n, file);
    if (n < first || n > last)
        throw ContentError(file, yamlLine(key),
                           "entry " + std::to_string(n) + " outside " + std::to_string(first) +
                               ".." + std::to_string(last));
    return n;
}

template <class R>
void readRecords(const fs::path& path, const std::string& table, std::vector<R>& records,
                 const std::function<R(int)>& makeDefault, bool codesAsText, ContentSet& set,
                 const std::function<void(int, const YAML::Node&, R&)>& extra = {},
                 const std::set<std::string>& extraKeys = {}) {
    const std::string file = path.string();
    YAML::Node root = loadMap(path);
    for (auto it = root.begin(); it != root.end(); ++it) {
        const int n = entryNumber(it->first, 0, static_cast<int>(records.size()) - 1, file);
        if (set.where[table].count(n))
            throw ContentError(file, yamlLine(it->first),
                               "entry " + std::to_string(n) + " is written twice");
        set.where[table][n] = {file, yamlLine(it->first)};
        R r = makeDefault(n);
        YAML::Node body = it->second.IsNull() ? YAML::Node(YAML::NodeType::Map) : it->second;
        recordFromNode(body, r, file, codesAsText, extraKeys);
        for (auto f = body.begin(); f != body.end(); ++f)
            set.fieldLines[table][n][f->first.Scalar()] = yamlLine(f->first);
        if (extra) extra(n, body, r);
        records[n] = r;
    }
}

template <class R>
void writeRecords(const fs::path& path, const std::string& header, const std::vector<R>& records,
                  const std::function<R(int, const R&)>& makeDefault, bool codesAsText,
                  const std::function<void(int, YAML::Node&)>& extra = {}) {
    YAML::Node root(YAML::NodeType::Map);
    for (std::size_t n = 0; n < records.size(); ++n) {
        YAML::Node body(YAML::NodeType::Map);
        const bool empty = records[n] == R{};
        if (!empty)
            recordToNode(records[n], makeDefault(static_cast<int>(n), records[n]), body,
                         codesAsText);
        if (extra) extra(static_cast<int>(n), body);
        if (!empty || body.size() > 0) root.force_insert(n, body);
    }
    if (root.size() == 0) return;
    std::ofstream out(path);
    out << header;
    YAML::Emitter em;
    em << root;
    out << em.c_str() << "\n";
}

template <class T>
std::vector<T> flat(const T* p, std::size_t n) {
    return std::vector<T>(p, p + n);
}

// A table of numbers kept as a map index -> value of the non-zero elements.
template <class Array>
void readNumbers(const YAML::Node& node, Array& values, const std::string& file) {
    if (!node) return;
    if (!node.IsMap()) throw ContentError(file, yamlLine(node), "expected a map index: value");
    for (auto it = node.begin(); it != node.end(); ++it) {
        const int i = entryNumber(it->first, 0, static_cast<int>(values.size()) - 1, file);
        parseNumber(it->second, values[i], file);
    }
}

template <class Array>
YAML::Node numbersNode(const Array& values) {
    YAML::Node map(YAML::NodeType::Map);
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] != 0) map.force_insert(i, numberNode(values[i]));
    return map;
}

void writeYaml(const fs::path& path, const std::string& header, const YAML::Node& root) {
    if (root.size() == 0) return;
    std::ofstream out(path);
    YAML::Emitter em;
    em << root;
    out << header << em.c_str() << "\n";
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Encounters: id (default its own row), dungeon (id 21..26; stored as dungeon - 20),
// floor, groups (monster of groups 1..4).
void readEncounters(const fs::path& path, ContentSet& set) {
    const std::string file = path.string();
    YAML::Node root = loadMap(path);
    auto& t = set.db.encounterTable;
    for (auto it = root.begin(); it != root.end(); ++it) {
        const int n = entryNumber(it->first, 0, 2000, file);
        if (set.where["encounters"].count(n))
            throw ContentError(file, yamlLine(it->first),
                               "entry " + std::to_string(n) + " is written twice");
        set.where["encounters"][n] = {file, yamlLine(it->first)};
        const YAML::Node e = it->second;
        if (!e.IsMap()) throw ContentError(file, yamlLine(it->first), "expected a map of fields");
        std::int16_t id = static_cast<std::int16_t>(n), dungeon = 0, floor = 0;
        if (e["id"]) parseNumber(e["id"], id, file);
        if (e["dungeon"]) {
            parseNumber(e["dungeon"], dungeon, file);
            dungeon = static_cast<std::int16_t>(dungeon - 20);
        }
        if (e["floor"]) parseNumber(e["floor"], floor, file);
        t(n, kEncounterId) = id;
        t(n, kEncounterDungeon) = dungeon;
        t(n, kEncounterFloor) = floor;
        if (const YAML::Node g = e["groups"]) {
            std::array<std::int16_t, 5> groups{};
            elementsFromNode<std::int16_t>(g, groups, file, false);
            if (groups[0] != 0) throw ContentError(file, yamlLine(g), "groups are numbered 1..4");
            for (int k = 1; k <= 4; ++k)
                t(n, kEncounterFirstGroup + k - 1) = groups[k];
        }
        for (auto f = e.begin(); f != e.end(); ++f) {
            const std::string key = f->first.Scalar();
            if (key != "id" && key != "dungeon" && key != "floor" && key != "groups")
                throw ContentError(file, yamlLine(f->first), "unknown field '" + key + "'");
        }
    }
}

YAML::Node encountersNode(const Database& db) {
    YAML::Node root(YAML::NodeType::Map);
    const auto& t = db.encounterTable;
    for (int n = 0; n <= 2000; ++n) {
        bool any = false;
        for (int c = 0; c < 7; ++c)
            any = any || t(n, c) != 0;
        if (!any) continue;
        YAML::Node e(YAML::NodeType::Map);
        if (t(n, kEncounterId) != n) e["id"] = static_cast<int>(t(n, kEncounterId));
        if (t(n, kEncounterDungeon) != 0) e["dungeon"] = t(n, kEncounterDungeon) + 20;
        if (t(n, kEncounterFloor) != 0) e["floor"] = static_cast<int>(t(n, kEncounterFloor));
        int last = 0;
        for (int k = 1; k <= 4; ++k)
            if (t(n, kEncounterFirstGroup + k - 1) != 0) last = k;
        if (last > 0) {
            YAML::Node groups(YAML::NodeType::Sequence);
            groups.SetStyle(YAML::EmitterStyle::Flow);
            for (int k = 1; k <= last; ++k)
                groups.push_back(static_cast<int>(t(n, kEncounterFirstGroup + k - 1)));
            e["groups"] = groups;
        }
        root.force_insert(n, e);
    }
    return root;
}

// Found-chest loot: row -> {level, item}. Rows left out are never drawn (level 99).
constexpr std::int16_t kNeverLevel = 99;

void readChestItems(const fs::path& path, ContentSet& set) {
    const std::string file = path.string();
    YAML::Node root = loadMap(path);
    auto& t = set.db.chestItemTable;
    for (int r = 1; r <= 50; ++r)
        t(r, 0) = kNeverLevel;
    for (auto it = root.begin(); it != root.end(); ++it) {
        const int n = entryNumber(it->first, 0, 50, file);
        set.where["chest_items"][n] = {file, yamlLine(it->first)};
        const YAML::Node e = it->second;
        if (!e.IsMap()) throw ContentError(file, yamlLine(it->first), "expected {level, item}");
        t(n, 0) = 0;
        t(n, 1) = 0;
        if (e["level"]) parseNumber(e["level"], t(n, 0), file);
        if (e["item"]) parseNumber(e["item"], t(n, 1), file);
    }
}

YAML::Node chestItemsNode(const Database& db) {
    YAML::Node root(YAML::NodeType::Map);
    const auto& t = db.chestItemTable;
    for (int r = 0; r <= 50; ++r) {
        const bool defaultRow =
            r == 0 ? (t(r, 0) == 0 && t(r, 1) == 0) : (t(r, 0) == kNeverLevel && t(r, 1) == 0);
        if (defaultRow) continue;
        YAML::Node e(YAML::NodeType::Map);
        e.SetStyle(YAML::EmitterStyle::Flow);
        e["level"] = static_cast<int>(t(r, 0));
        e["item"] = static_cast<int>(t(r, 1));
        root.force_insert(r, e);
    }
    return root;
}

// Alchemy: recipe r (1..120) -> {product, materials: [A, B]}; "elements" holds any other
// non-zero element of the raw table.
void readAlchemy(const fs::path& path, ContentSet& set) {
    const std::string file = path.string();
    YAML::Node root = loadMap(path);
    auto& t = set.db.alchemyTable;
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it->first.Scalar() == "elements") {
            readNumbers(it->second, t, file);
            continue;
        }
        const int r = entryNumber(it->first, 1, 120, file);
        set.where["alchemy"][r] = {file, yamlLine(it->first)};
        const YAML::Node e = it->second;
        if (!e.IsMap())
            throw ContentError(file, yamlLine(it->first), "expected {product, materials}");
        if (e["product"]) parseNumber(e["product"], t[r], file);
        if (const YAML::Node m = e["materials"]) {
            if (!m.IsSequence() || m.size() > 2)
                throw ContentError(file, yamlLine(m), "materials: a list of one or two items");
            if (m.size() > 0) parseNumber(m[0], t[121 + r], file);
            if (m.size() > 1) parseNumber(m[1], t[242 + r], file);
        }
    }
}

YAML::Node alchemyNode(const Database& db) {
    YAML::Node root(YAML::NodeType::Map);
    auto rest = db.alchemyTable;
    for (int r = 1; r <= 120; ++r) {
        const auto& t = db.alchemyTable;
        if (t[r] == 0 && t[121 + r] == 0 && t[242 + r] == 0) continue;
        YAML::Node e(YAML::NodeType::Map);
        e.SetStyle(YAML::EmitterStyle::Flow);
        e["product"] = static_cast<int>(t[r]);
        YAML::Node m(YAML::NodeType::Sequence);
        m.push_back(static_cast<int>(t[121 + r]));
        m.push_back(static_cast<int>(t[242 + r]));
        e["materials"] = m;
        root.force_insert(r, e);
        rest[r] = rest[121 + r] = rest[242 + r] = 0;
    }
    YAML::Node extra = numbersNode(rest);
    if (extra.size() > 0) root["elements"] = extra;
    return root;
}

// Fusion: recipe k (1..60) -> {result, failure, ingredients: [up to 4]}; "elements" holds
// any other non-zero element as "k,column".
void readFusion(const fs::path& path, ContentSet& set) {
    const std::string file = path.string();
    YAML::Node root = loadMap(path);
    auto& t = set.db.fusionTable;
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it->first.Scalar() == "elements") {
            for (auto e = it->second.begin(); e != it->second.end(); ++e) {
                int k = -1, c = -1;
                if (std::sscanf(e->first.Scalar().c_str(), "%d,%d", &k, &c) != 2 ||
                    !decltype(set.db.fusionTable)::inRange(k, c))
                    throw ContentError(file, yamlLine(e->first), "expected 'recipe,column'");
                parseNumber(e->second, t(k, c), file);
            }
            continue;
        }
        const int k = entryNumber(it->first, 1, 60, file);
        set.where["fusion"][k] = {file, yamlLine(it->first)};
        const YAML::Node e = it->second;
        if (!e.IsMap())
            throw ContentError(file, yamlLine(it->first),
                               "expected {result, failure, ingredients}");
        if (e["result"]) parseNumber(e["result"], t(k, 1), file);
        if (e["failure"]) parseNumber(e["failure"], t(k, 2), file);
        if (const YAML::Node m = e["ingredients"]) {
            if (!m.IsSequence() || m.size() > 4)
                throw ContentError(file, yamlLine(m), "ingredients: a list of up to four items");
            for (std::size_t i = 0; i < m.size(); ++i)
                parseNumber(m[i], t(k, 3 + static_cast<int>(i)), file);
        }
    }
}

YAML::Node fusionNode(const Database& db) {
    YAML::Node root(YAML::NodeType::Map);
    auto rest = db.fusionTable;
    const auto& t = db.fusionTable;
    for (int k = 1; k <= 60; ++k) {
        bool any = false;
        for (int c = 1; c <= 6; ++c)
            any = any || t(k, c) != 0;
        if (!any) continue;
        YAML::Node e(YAML::NodeType::Map);
        e.SetStyle(YAML::EmitterStyle::Flow);
        e["result"] = static_cast<int>(t(k, 1));
        e["failure"] = static_cast<int>(t(k, 2));
        YAML::Node m(YAML::NodeType::Sequence);
        for (int c = 3; c <= 6; ++c)
            m.push_back(static_cast<int>(t(k, c)));
        e["ingredients"] = m;
        root.force_insert(k, e);
        for (int c = 1; c <= 6; ++c)
            rest(k, c) = 0;
    }
    YAML::Node extra(YAML::NodeType::Map);
    for (int k = 0; k <= 60; ++k)
        for (int c = 0; c <= 8; ++c)
            if (rest(k, c) != 0)
                extra.force_insert(std::to_string(k) + "," + std::to_string(c),
                                   static_cast<int>(rest(k, c)));
    if (extra.size() > 0) root["elements"] = extra;
    return root;
}

void readMazes(const fs::path& dir, ContentSet& set) {
    for (int d = kFirstDungeon; d <= kLastDungeon; ++d) {
        for (int f = 0; f < kMazeFloors; ++f) {
            const fs::path path = dir / floorFileName(d, f);
            FloorGrid g = FloorGrid::solidRock();
            if (fs::exists(path)) {
                g = parseFloorText(readText(path), path.string());
                set.where["mazes"][d * 100 + f] = {path.string(), 1};
            }
            for (int x = 0; x < kMazeSize; ++x)
                for (int y = 0; y < kMazeSize; ++y) {
                    set.db.mazeWalls.set(d, f, x, y, g.walls[x][y]);
                    set.db.mazeDoors.set(d, f, x, y, g.doors[x][y]);
                    set.db.mazeAttributes.set(d, f, x, y, g.attributes[x][y]);
                }
        }
    }
}

}  // namespace

FloorGrid floorOf(const Database& db, int dungeon, int floor) {
    FloorGrid g;
    for (int x = 0; x < kMazeSize; ++x)
        for (int y = 0; y < kMazeSize; ++y) {
            g.walls[x][y] = db.mazeWalls.at(dungeon, floor, x, y);
            g.doors[x][y] = db.mazeDoors.at(dungeon, floor, x, y);
            g.attributes[x][y] = db.mazeAttributes.at(dungeon, floor, x, y);
        }
    return g;
}

// A fault yaml-cpp finds while a file's nodes are read (a conversion, a bad subscript) is
// reported against that file.
template <class F>
void withFile(const fs::path& path, F&& read) {
    try {
        read();
    } catch (const YAML::Exception& e) {
        throw ContentError(path.string(), e.mark.line + 1, e.msg);
    }
}

ContentSet readContentSources(const fs::path& dir) {
    ContentSet set;
    set.dir = dir;
    auto& db = set.db;
    withFile(dir / "items.yaml", [&] {
        readRecords<ItemRecord>(dir / "items.yaml", "items", db.itemTable, defaultItem, true, set);
    });
    withFile(dir / "chest_items.yaml", [&] { readChestItems(dir / "chest_items.yaml", set); });
    withFile(dir / "spells.yaml", [&] {
        readRecords<SpellRecord>(
            dir / "spells.yaml", "spells", db.spellTable,
            [](int n) {
                SpellRecord r;
                r.id = static_cast<std::int16_t>(n);
                return r;
            },
            true, set);
    });
    withFile(dir / "traps.yaml", [&] {
        readRecords<TrapRecord>(
            dir / "traps.yaml", "traps", db.trapTable,
            [](int n) {
                TrapRecord r;
                r.id = static_cast<std::uint8_t>(n);
                return r;
            },
            true, set);
    });
    withFile(dir / "alchemy.yaml", [&] { readAlchemy(dir / "alchemy.yaml", set); });
    withFile(dir / "fusion.yaml", [&] { readFusion(dir / "fusion.yaml", set); });
    withFile(dir / "npc.yaml", [&] {
        readRecords<NpcRecord>(
            dir / "npc.yaml", "npc", db.npcTable,
            [](int n) {
                NpcRecord r;
                r.id = static_cast<std::int16_t>(n);
                return r;
            },
            true, set);
    });
    // A skill's description is shown from the next record, so it is stored there.
    std::map<int, std::pair<std::string, int>> descriptions;
    withFile(dir / "skills.yaml", [&] {
        readRecords<SkillRecord>(
            dir / "skills.yaml", "skills", db.skillTable,
            [](int n) {
                SkillRecord r;
                r.skillNumber = static_cast<std::int16_t>(n);
                return r;
            },
            false, set,
            [&](int n, const YAML::Node& body, SkillRecord&) {
                if (const YAML::Node d = body["description"]) {
                    if (n >= 300)
                        throw ContentError((dir / "skills.yaml").string(), yamlLine(d),
                                           "skill 300 cannot have a description");
                    descriptions[n] = {d.Scalar(), yamlLine(d)};
                }
            },
            {"description"});
    });
    for (const auto& [n, text] : descriptions) {
        auto& codes = db.skillTable[n + 1].descriptionCodes;
        if (!EncodeNameCodes(text.first, codes))
            throw ContentError((dir / "skills.yaml").string(), text.second,
                               "a description holds at most 100 storable characters");
    }
    withFile(dir / "call_table.yaml", [&] {
        const std::string file = (dir / "spare.yaml").string();
        readNumbers(loadMap(dir / "spare.yaml")["spareTable"], db.spareTable, file);
        YAML::Node calls = loadMap(dir / "call_table.yaml");
        for (auto it = calls.begin(); it != calls.end(); ++it) {
            const int i =
                entryNumber(it->first, 0, kCallCount - 1, (dir / "call_table.yaml").string());
            if (set.where["call_table"].count(i))
                throw ContentError((dir / "call_table.yaml").string(), yamlLine(it->first),
                                   "entry " + std::to_string(i) + " is written twice");
            set.where["call_table"][i] = {(dir / "call_table.yaml").string(), yamlLine(it->first)};
            parseNumber(it->second, db.callTable[i], (dir / "call_table.yaml").string());
        }
    });
    withFile(dir / "monsters.yaml", [&] {
        readRecords<Character>(dir / "monsters.yaml", "monsters", db.monsterTable, defaultMonster,
                               true, set, [](int, const YAML::Node& body, Character& c) {
                                   if (!body["armorClass"]) c.armorClass = c.baseArmorClass;
                               });
    });
    withFile(dir / "encounters.yaml", [&] { readEncounters(dir / "encounters.yaml", set); });
    withFile(dir / "actions.yaml", [&] {
        readRecords<ActionRecord>(
            dir / "actions.yaml", "actions", db.monsterActions,
            [](int n) {
                ActionRecord r;
                r.id = n;
                return r;
            },
            true, set);
    });
    withFile(dir / "conversations.yaml", [&] {
        readRecords<ConversationRecord>(
            dir / "conversations.yaml", "conversations", db.conversationTable,
            [](int n) {
                ConversationRecord r;
                r.id = n;
                return r;
            },
            true, set);
    });
    withFile(dir / "shop.yaml", [&] {
        const fs::path path = dir / "shop.yaml";
        YAML::Node shop = loadMap(path);
        for (auto it = shop.begin(); it != shop.end(); ++it) {
            const int n = entryNumber(it->first, 0, 2000, path.string());
            set.where["shop"][n] = {path.string(), yamlLine(it->first)};
            parseNumber(it->second, set.starter.shopStock[n], path.string());
        }
    });
    readMazes(dir / "mazes", set);
    set.events = readEventSources(dir / "events");
    return set;
}

void writeContentSources(const Database& db, const SaveData* starter, const fs::path& dir) {
    fs::create_directories(dir / "mazes");
    const std::string note = "# Written by dalvenor-data dump; see content/README.md.\n";
    writeRecords<ItemRecord>(
        dir / "items.yaml", note, db.itemTable,
        [](int n, const ItemRecord&) { return defaultItem(n); }, true);
    writeYaml(dir / "chest_items.yaml", note, chestItemsNode(db));
    writeRecords<SpellRecord>(
        dir / "spells.yaml", note, db.spellTable,
        [](int n, const SpellRecord&) {
            SpellRecord r;
            r.id = static_cast<std::int16_t>(n);
            return r;
        },
        true);
    writeRecords<TrapRecord>(
        dir / "traps.yaml", note, db.trapTable,
        [](int n, const TrapRecord&) {
            TrapRecord r;
            r.id = static_cast<std::uint8_t>(n);
            return r;
        },
        true);
    writeYaml(dir / "alchemy.yaml", note, alchemyNode(db));
    writeYaml(dir / "fusion.yaml", note, fusionNode(db));
    writeRecords<NpcRecord>(
        dir / "npc.yaml", note, db.npcTable,
        [](int n, const NpcRecord&) {
            NpcRecord r;
            r.id = static_cast<std::int16_t>(n);
            return r;
        },
        true);
    // Clean descriptions move back to the skill they describe; anything else stays raw.
    auto skills = db.skillTable;
    std::map<int, std::string> descriptions;
    for (int n = 0; n + 1 < kSkillRecordCount; ++n) {
        auto& codes = skills[n + 1].descriptionCodes;
        if (codes == decltype(skills[0].descriptionCodes){}) continue;
        std::string text = DecodeNameCodes(codes);
        std::remove_reference_t<decltype(codes)> again{};
        if (text.find("\xEF\xBF\xBD") == std::string::npos && EncodeNameCodes(text, again) &&
            again == codes) {
            descriptions[n] = text;
            codes = {};
        }
    }
    writeRecords<SkillRecord>(
        dir / "skills.yaml", note, skills,
        [](int n, const SkillRecord&) {
            SkillRecord r;
            r.skillNumber = static_cast<std::int16_t>(n);
            return r;
        },
        false,
        [&](int n, YAML::Node& body) {
            auto d = descriptions.find(n);
            if (d != descriptions.end()) body["description"] = d->second;
        });
    {
        YAML::Node spare(YAML::NodeType::Map);
        YAML::Node values = numbersNode(db.spareTable);
        if (values.size() > 0) spare["spareTable"] = values;
        writeYaml(dir / "spare.yaml", note, spare);
        writeYaml(dir / "call_table.yaml", note, numbersNode(db.callTable));
    }
    writeRecords<Character>(
        dir / "monsters.yaml", note, db.monsterTable,
        [](int n, const Character& c) {
            Character d = defaultMonster(n);
            d.armorClass = c.baseArmorClass;
            return d;
        },
        true);
    writeYaml(dir / "encounters.yaml", note, encountersNode(db));
    writeRecords<ActionRecord>(
        dir / "actions.yaml", note, db.monsterActions,
        [](int n, const ActionRecord&) {
            ActionRecord r;
            r.id = n;
            return r;
        },
        true);
    writeRecords<ConversationRecord>(
        dir / "conversations.yaml", note, db.conversationTable,
        [](int n, const ConversationRecord&) {
            ConversationRecord r;
            r.id = n;
            return r;
        },
        true);
    if (starter) writeYaml(dir / "shop.yaml", note, numbersNode(starter->shopStock));
    for (int d = kFirstDungeon; d <= kLastDungeon; ++d)
        for (int f = 0; f < kMazeFloors; ++f) {
            FloorGrid g = floorOf(db, d, f);
            if (g.isSolidRock()) continue;
            std::ofstream out(dir / "mazes" / floorFileName(d, f));
            out << writeFloorText(g,
                                  "dungeon " + std::to_string(d) + " floor " + std::to_string(f));
        }
}

}  // namespace dv
