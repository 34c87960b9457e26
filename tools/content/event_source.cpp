#include "content/event_source.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "content/content_error.h"
#include "content/yaml_record.h"

namespace dv {

namespace fs = std::filesystem;

namespace {

template <class E>
E pick(const YAML::Node& n, const std::map<std::string, E>& names, const std::string& file) {
    const std::string word = n.Scalar();
    auto it = names.find(word);
    if (it == names.end()) {
        std::string all;
        for (const auto& [k, v] : names)
            all += " " + k;
        throw ContentError(file, yamlLine(n), "'" + word + "' is not one of:" + all);
    }
    return it->second;
}

const std::map<std::string, std::int8_t> kFacings = {
    {"any", kAnyFacing}, {"north", 0}, {"east", 1}, {"south", 2}, {"west", 3}};

const std::map<std::string, EventTrigger> kTriggers = {{"prestep", EventTrigger::PreStep},
                                                       {"arrival", EventTrigger::Arrival},
                                                       {"search", EventTrigger::Search},
                                                       {"item", EventTrigger::ItemUse},
                                                       {"afterBattle", EventTrigger::PostBattle}};

const std::map<std::string, EventAction> kActions = {{"message", EventAction::Message},
                                                     {"stairs", EventAction::Stairs},
                                                     {"teleporter", EventAction::Teleporter},
                                                     {"spinner", EventAction::Spinner},
                                                     {"trapFloor", EventAction::TrapFloor},
                                                     {"lockedDoor", EventAction::LockedDoor},
                                                     {"keyDoor", EventAction::KeyDoor},
                                                     {"flagGate", EventAction::FlagGate},
                                                     {"riddleDoor", EventAction::RiddleDoor},
                                                     {"passwordGhost", EventAction::PasswordGhost},
                                                     {"person", EventAction::PersonRoom},
                                                     {"battle", EventAction::FixedBattle},
                                                     {"pool", EventAction::Pool},
                                                     {"lever", EventAction::Lever},
                                                     {"hiddenItem", EventAction::HiddenItem},
                                                     {"newStairs", EventAction::NewStairs},
                                                     {"transformItem", EventAction::TransformItem},
                                                     {"digUp", EventAction::DigUp},
                                                     {"randomPuzzle", EventAction::RandomPuzzle},
                                                     {"reward", EventAction::Reward},
                                                     {"setFlag", EventAction::SetFlag}};

// Wordings a building block may choose, by block.
const std::map<std::string, std::uint8_t>& variantsOf(EventAction a) {
    static const std::map<std::string, std::uint8_t> none = {};
    static const std::map<std::string, std::uint8_t> teleport = {
        {"none", 0}, {"trap", 1}, {"forced", 2}, {"texts", 3}, {"circle", 4}, {"mist", 5}};
    static const std::map<std::string, std::uint8_t> pool = {
        {"swamp", 0}, {"cautious", 1}, {"healing", 2}, {"monster", 3}};
    static const std::map<std::string, std::uint8_t> lever = {
        {"pull", 0}, {"push", 1}, {"pullLever", 2}, {"lowerLever", 3}};
    static const std::map<std::string, std::uint8_t> riddle = {{"name", 0}, {"what", 1}};
    static const std::map<std::string, std::uint8_t> gate = {{"plain", 0}, {"bridge", 1}};
    switch (a) {
        case EventAction::Teleporter:
            return teleport;
        case EventAction::Pool:
            return pool;
        case EventAction::Lever:
            return lever;
        case EventAction::RiddleDoor:
            return riddle;
        case EventAction::FlagGate:
            return gate;
        default:
            return none;
    }
}

template <std::size_t N>
void numberList(const YAML::Node& n, std::array<std::int16_t, N>& out, const std::string& file) {
    if (n.IsScalar()) {
        parseNumber(n, out[0], file);
        return;
    }
    if (!n.IsSequence() || n.size() > N)
        throw ContentError(file, yamlLine(n), "expected a list of at most " + std::to_string(N));
    for (std::size_t i = 0; i < n.size(); ++i)
        parseNumber(n[i], out[i], file);
}

bool flag(const YAML::Node& n, const std::string& file) {
    if (!n.IsScalar() || (n.Scalar() != "true" && n.Scalar() != "false"))
        throw ContentError(file, yamlLine(n), "expected true or false");
    return n.Scalar() == "true";
}

EventSpec parseEvent(const YAML::Node& n, const std::string& file, int dungeon, int floor) {
    if (!n.IsMap()) throw ContentError(file, yamlLine(n), "an event is a map of fields");
    EventSpec spec;
    spec.file = file;
    spec.line = yamlLine(n);
    MapEvent& e = spec.event;
    e.dungeon = static_cast<std::int16_t>(dungeon);
    e.floor = static_cast<std::int16_t>(floor);
    if (!n["at"] || !n["on"] || !n["do"])
        throw ContentError(file, spec.line, "an event needs 'at', 'on' and 'do'");
    e.trigger = pick(n["on"], kTriggers, file);
    e.action = pick(n["do"], kActions, file);

    for (auto it = n.begin(); it != n.end(); ++it) {
        const std::string key = it->first.Scalar();
        const YAML::Node v = it->second;
        if (key == "at" || key == "to") {
            const std::size_t want = key == "at" ? 2 : 3;
            if (!v.IsSequence() || v.size() != want)
                throw ContentError(file, yamlLine(v),
                                   key == "at" ? "at: [x, y]" : "to: [floor, x, y]");
            if (key == "at") {
                parseNumber(v[0], e.x, file);
                parseNumber(v[1], e.y, file);
            } else {
                parseNumber(v[0], e.targetFloor, file);
                parseNumber(v[1], e.targetX, file);
                parseNumber(v[2], e.targetY, file);
            }
        } else if (key == "on" || key == "do") {
        } else if (key == "facing") {
            e.facing = pick(v, kFacings, file);
        } else if (key == "turnTo") {
            e.targetFacing = pick(v, kFacings, file);
        } else if (key == "moved") {
            e.movedOnly = flag(v, file);
        } else if (key == "up") {
            e.up = flag(v, file);
        } else if (key == "toggle") {
            e.toggle = flag(v, file);
        } else if (key == "variant") {
            e.variant = pick(v, variantsOf(e.action), file);
        } else if (key == "when") {
            if (!v.IsMap())
                throw ContentError(file, yamlLine(v), "when: {flag: n, is: v} or {item: n}");
            for (auto w = v.begin(); w != v.end(); ++w) {
                const std::string k = w->first.Scalar();
                static const std::map<std::string, FlagTest> tests = {
                    {"is", FlagTest::Equal},
                    {"not", FlagTest::NotEqual},
                    {"below", FlagTest::Less},
                    {"atLeast", FlagTest::AtLeast}};
                if (k == "flag") {
                    parseNumber(w->second, e.whenFlag, file);
                } else if (tests.count(k)) {
                    e.whenFlagTest = tests.at(k);
                    parseNumber(w->second, e.whenFlagValue, file);
                } else if (k == "item") {
                    parseNumber(w->second, e.whenItem, file);
                } else if (k == "skill" || k == "lacksSkill") {
                    parseNumber(w->second, e.whenSkill, file);
                    e.whenSkillHeld = k == "skill";
                } else if (k == "held") {
                    e.whenItemHeld = flag(w->second, file);
                } else if (k == "scope") {
                    e.whenItemScope =
                        pick(w->second,
                             std::map<std::string, ItemScope>{{"party", ItemScope::Party},
                                                              {"roster", ItemScope::Roster}},
                             file);
                } else {
                    throw ContentError(file, yamlLine(w->first), "unknown condition '" + k + "'");
                }
            }
            if ((e.whenFlag >= 0) != (e.whenFlagTest != FlagTest::None))
                throw ContentError(
                    file, yamlLine(v),
                    "a flag condition needs the flag and one of is, not, below, atLeast");
        } else if (key == "scope") {
            e.itemScope = pick(v,
                               std::map<std::string, ItemScope>{{"party", ItemScope::Party},
                                                                {"roster", ItemScope::Roster}},
                               file);
        } else if (key == "dice") {
            parseNumber(v, e.diceCount, file);
        } else if (key == "status") {
            parseNumber(v, e.status, file);
        } else if (key == "lock") {
            parseNumber(v, e.lockLevel, file);
        } else if (key == "items" || key == "item") {
            numberList(v, e.items, file);
        } else if (key == "result") {
            parseNumber(v, e.resultItem, file);
        } else if (key == "flag") {
            parseNumber(v, e.flag, file);
        } else if (key == "value") {
            parseNumber(v, e.flagValue, file);
        } else if (key == "encounter") {
            parseNumber(v, e.encounter, file);
        } else if (key == "music") {
            parseNumber(v, e.music, file);
        } else if (key == "battleEvent") {
            parseNumber(v, e.battleEvent, file);
        } else if (key == "npc") {
            parseNumber(v, e.npc, file);
        } else if (key == "texts") {
            numberList(v, e.texts, file);
        } else if (key == "pass") {
            numberList(v, e.passTexts, file);
        } else if (key == "fail") {
            numberList(v, e.failTexts, file);
        } else if (key == "answer") {
            spec.answer = v.Scalar();
        } else if (key == "words") {
            if (!v.IsSequence() || v.size() != 10)
                throw ContentError(file, yamlLine(v), "words: a list of ten");
            for (const auto& w : v)
                spec.words.push_back(w.Scalar());
        } else {
            throw ContentError(file, yamlLine(it->first), "unknown field '" + key + "'");
        }
    }
    return spec;
}

std::string cString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

template <std::size_t N>
std::string listOf(const std::array<std::int16_t, N>& a) {
    std::string s = "{{";
    for (std::size_t i = 0; i < N; ++i)
        s += (i ? ", " : "") + std::to_string(a[i]);
    return s + "}}";
}

}  // namespace

std::vector<EventSpec> parseEventFile(const std::string& text, const std::string& file, int dungeon,
                                      int floor) {
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::Exception& e) {
        throw ContentError(file, e.mark.line + 1, e.msg);
    }
    std::vector<EventSpec> events;
    if (root.IsNull()) return events;
    if (!root.IsSequence()) throw ContentError(file, 1, "expected a list of events");
    try {
        for (const auto& n : root)
            events.push_back(parseEvent(n, file, dungeon, floor));
    } catch (const YAML::Exception& e) {
        throw ContentError(file, e.mark.line + 1, e.msg);
    }
    return events;
}

std::vector<EventSpec> readEventSources(const fs::path& dir) {
    std::vector<std::pair<std::pair<int, int>, fs::path>> files;
    if (fs::exists(dir)) {
        static const std::regex name(R"(d(\d+)f(\d+)\.yaml)");
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::smatch m;
            const std::string base = entry.path().filename().string();
            if (!std::regex_match(base, m, name)) continue;
            files.push_back({{std::stoi(m[1]), std::stoi(m[2])}, entry.path()});
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<EventSpec> all;
    for (const auto& [key, path] : files) {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        auto events = parseEventFile(text.str(), path.string(), key.first, key.second);
        all.insert(all.end(), events.begin(), events.end());
    }
    // Battles an event starts carry a non-zero event number, so the post-battle check
    // runs after the victory; number those left without one in table order.
    std::int16_t next = 1;
    for (auto& spec : all) {
        MapEvent& e = spec.event;
        const bool battle = e.action == EventAction::FixedBattle ||
                            (e.action == EventAction::Pool && e.variant == 3);
        if (battle && e.battleEvent == 0) e.battleEvent = next++;
    }
    return all;
}

std::string writeEventTable(const std::vector<EventSpec>& events) {
    std::ostringstream out;
    out << "// Compiled from content/events by dv-gen-events.\n"
           "#include \"core/data/map_event_data.h\"\n\nnamespace dv {\n\n";
    if (events.empty()) {
        out << "std::span<const MapEvent> mapEvents() { return {}; }\n\n}  // namespace dv\n";
        return out.str();
    }
    static const char* const triggers[] = {"PreStep", "Arrival", "Search", "ItemUse", "PostBattle"};
    static constexpr const char* actions[] = {
        "Message",      "Stairs",   "Teleporter", "Spinner",       "TrapFloor",     "LockedDoor",
        "KeyDoor",      "FlagGate", "RiddleDoor", "PasswordGhost", "PersonRoom",    "FixedBattle",
        "Pool",         "Lever",    "HiddenItem", "NewStairs",     "TransformItem", "DigUp",
        "RandomPuzzle", "Reward",   "SetFlag"};
    static_assert(std::size(actions) == static_cast<std::size_t>(EventAction::SetFlag) + 1,
                  "one name per building block, in the enum's order");
    static const char* const tests[] = {"None", "Equal", "NotEqual", "Less", "AtLeast"};
    static const char* const scopes[] = {"Party", "Roster"};
    out << "namespace {\n\nconst MapEvent kEvents[] = {\n";
    for (const auto& s : events) {
        const MapEvent& e = s.event;
        out << "    // " << s.file.substr(s.file.find_last_of('/') + 1) << ":" << s.line << "\n";
        out << "    {.dungeon = " << e.dungeon << ", .floor = " << e.floor << ", .x = " << e.x
            << ", .y = " << e.y << ", .facing = " << int{e.facing}
            << ", .movedOnly = " << (e.movedOnly ? "true" : "false")
            << ", .trigger = EventTrigger::" << triggers[static_cast<int>(e.trigger)]
            << ", .action = EventAction::" << actions[static_cast<int>(e.action)]
            << ", .variant = " << int{e.variant} << ",\n     .whenFlag = " << e.whenFlag
            << ", .whenFlagTest = FlagTest::" << tests[static_cast<int>(e.whenFlagTest)]
            << ", .whenFlagValue = " << e.whenFlagValue << ", .whenItem = " << e.whenItem
            << ", .whenItemHeld = " << (e.whenItemHeld ? "true" : "false")
            << ", .whenItemScope = ItemScope::" << scopes[static_cast<int>(e.whenItemScope)]
            << ", .whenSkill = " << e.whenSkill
            << ", .whenSkillHeld = " << (e.whenSkillHeld ? "true" : "false")
            << ",\n     .targetFloor = " << e.targetFloor << ", .targetX = " << e.targetX
            << ", .targetY = " << e.targetY << ", .targetFacing = " << int{e.targetFacing}
            << ", .up = " << (e.up ? "true" : "false") << ", .diceCount = " << e.diceCount
            << ", .status = " << e.status << ", .lockLevel = " << e.lockLevel
            << ", .items = " << listOf(e.items)
            << ", .itemScope = ItemScope::" << scopes[static_cast<int>(e.itemScope)]
            << ", .resultItem = " << e.resultItem << ",\n     .flag = " << e.flag
            << ", .flagValue = " << e.flagValue << ", .toggle = " << (e.toggle ? "true" : "false")
            << ", .encounter = " << e.encounter << ", .music = " << e.music
            << ", .battleEvent = " << e.battleEvent << ", .npc = " << e.npc
            << ",\n     .texts = " << listOf(e.texts) << ", .passTexts = " << listOf(e.passTexts)
            << ", .failTexts = " << listOf(e.failTexts) << ", .answer = " << cString(s.answer);
        if (!s.words.empty()) {
            out << ",\n     .words = {{";
            for (std::size_t i = 0; i < s.words.size(); ++i)
                out << (i ? ", " : "") << cString(s.words[i]);
            out << "}}";
        }
        out << "},\n";
    }
    out << "};\n\n}  // namespace\n\nstd::span<const MapEvent> mapEvents() { return kEvents; }\n\n"
           "}  // namespace dv\n";
    return out.str();
}

}  // namespace dv
