#include "core/data/data_files.h"

#include <algorithm>
#include <functional>

#include "core/data/atomic_file.h"
#include "core/data/names.h"
#include "core/data/record_io.h"

namespace dv {

namespace {

// Every record of a table is read over the one already there: a complete file sets every
// field, so nothing is filled with defaults first.
template <class T>
void sizeTable(std::vector<T>& table, std::size_t size) {
    if (table.size() != size) table.resize(size);
}

template <class T>
void clearTable(std::vector<T>& table, std::size_t size) {
    table.assign(size, T{});
}

void readLayer(ByteReader& in, MazeLayer& layer) {
    in.readRun(layer.cells());
}

void writeLayer(ByteWriter& out, const MazeLayer& layer) {
    out.writeRun(layer.cells());
}

// Reads a file's tables in place; a file that ends early is read again over cleared tables,
// so what it lacks reads as zero and empty, never as what was there before.
template <class Open, class Read, class Clear>
bool readInPlace(Open open, Read read, Clear clear) {
    ByteReader in = open();
    read(in);
    if (!in.isShort()) return true;
    clear();
    ByteReader again = open();
    read(again);
    return false;
}

// The names of a freshly read table are empty: the decoded text is moved in, not copied.
// Most records of the large tables are unused and hold no codes, told apart inline.
template <std::size_t N>
void appendDecoded(std::string& text, const std::array<std::int16_t, N>& codes) {
    static_assert(N >= 2);
    std::uint16_t any = 0;
    for (std::size_t j = 1; j < N; ++j)
        any = static_cast<std::uint16_t>(any | static_cast<std::uint16_t>(codes[j]));
    if (any == 0) return;
    if (text.empty()) {
        text = DecodeNameCodes(codes);
    } else {
        text += DecodeNameCodes(codes);
    }
}

template <class Open>
bool readQtr3From(Open open, Database& db) {
    sizeTable(db.itemTable, kItemCount);
    return readInPlace(
        open,
        [&db](ByteReader& in) {
            readTable(in, db.itemTable);
            readValue(in, db.chestItemTable);
        },
        [&db] {
            clearTable(db.itemTable, kItemCount);
            db.chestItemTable = {};
        });
}

template <class Open>
bool readQtr4From(Open open, Database& db) {
    sizeTable(db.spellTable, kSpellCount);
    sizeTable(db.trapTable, kTrapCount);
    sizeTable(db.npcTable, kNpcCount);
    sizeTable(db.skillTable, kSkillRecordCount);
    return readInPlace(
        open,
        [&db](ByteReader& in) {
            readTable(in, db.spellTable);
            readTable(in, db.trapTable);
            readValue(in, db.alchemyTable);
            readValue(in, db.fusionTable);
            readTable(in, db.npcTable);
            readTable(in, db.skillTable);
            readValue(in, db.spareTable);
            readValue(in, db.callTable);
        },
        [&db] {
            clearTable(db.spellTable, kSpellCount);
            clearTable(db.trapTable, kTrapCount);
            db.alchemyTable = {};
            db.fusionTable = {};
            clearTable(db.npcTable, kNpcCount);
            clearTable(db.skillTable, kSkillRecordCount);
            db.spareTable = {};
            db.callTable = {};
        });
}

template <class Open>
bool readQtr5From(Open open, Database& db) {
    sizeTable(db.monsterTable, kMonsterCount);
    sizeTable(db.monsterActions, kActionCount);
    sizeTable(db.conversationTable, kConversationCount);
    return readInPlace(
        open,
        [&db](ByteReader& in) {
            readTable(in, db.monsterTable);
            readValue(in, db.encounterTable);
            readTable(in, db.monsterActions);
            readTable(in, db.conversationTable);
        },
        [&db] {
            clearTable(db.monsterTable, kMonsterCount);
            db.encounterTable = {};
            clearTable(db.monsterActions, kActionCount);
            clearTable(db.conversationTable, kConversationCount);
        });
}

template <class Open>
bool readQtr6From(Open open, Database& db) {
    return readInPlace(
        open,
        [&db](ByteReader& in) {
            readLayer(in, db.mazeWalls);
            readLayer(in, db.mazeDoors);
            readLayer(in, db.mazeAttributes);
        },
        [&db] {
            db.mazeWalls.clear();
            db.mazeDoors.clear();
            db.mazeAttributes.clear();
        });
}

}  // namespace

bool readQtr3(std::span<const std::uint8_t> bytes, Database& db) {
    return readQtr3From([bytes] { return ByteReader(bytes); }, db);
}

bool readQtr4(std::span<const std::uint8_t> bytes, Database& db) {
    return readQtr4From([bytes] { return ByteReader(bytes); }, db);
}

bool readQtr5(std::span<const std::uint8_t> bytes, Database& db) {
    return readQtr5From([bytes] { return ByteReader(bytes); }, db);
}

bool readQtr6(std::span<const std::uint8_t> bytes, Database& db) {
    return readQtr6From([bytes] { return ByteReader(bytes); }, db);
}

std::vector<std::uint8_t> writeQtr3(const Database& db) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeTable(out, db.itemTable);
    writeValue(out, db.chestItemTable);
    return bytes;
}

std::vector<std::uint8_t> writeQtr4(const Database& db) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeTable(out, db.spellTable);
    writeTable(out, db.trapTable);
    writeValue(out, db.alchemyTable);
    writeValue(out, db.fusionTable);
    writeTable(out, db.npcTable);
    writeTable(out, db.skillTable);
    writeValue(out, db.spareTable);
    writeValue(out, db.callTable);
    return bytes;
}

std::vector<std::uint8_t> writeQtr5(const Database& db) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeTable(out, db.monsterTable);
    writeValue(out, db.encounterTable);
    writeTable(out, db.monsterActions);
    writeTable(out, db.conversationTable);
    return bytes;
}

std::vector<std::uint8_t> writeQtr6(const Database& db) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kQtr6Size);
    ByteWriter out(bytes);
    writeLayer(out, db.mazeWalls);
    writeLayer(out, db.mazeDoors);
    writeLayer(out, db.mazeAttributes);
    return bytes;
}

void DecodeDatabaseNames(Database& db) {
    for (std::size_t i = 1; i < db.monsterTable.size(); ++i) {
        Character& m = db.monsterTable[i];
        appendDecoded(m.name, m.nameCodes);
        appendDecoded(m.altName, m.altNameCodes);
    }
    for (std::size_t i = 1; i < db.itemTable.size(); ++i) {
        ItemRecord& item = db.itemTable[i];
        appendDecoded(item.name, item.nameCodes);
        appendDecoded(item.altName, item.altNameCodes);
    }
    for (std::size_t i = 1; i < db.skillTable.size(); ++i) {
        SkillRecord& skill = db.skillTable[i];
        appendDecoded(skill.description, skill.descriptionCodes);
    }
}

LoadReport LoadAllData(Database& db, SaveData& save, const std::filesystem::path& dir,
                       const std::filesystem::path& saveDir) {
    LoadReport report = LoadSave(save, saveDir.empty() ? dir : saveDir);
    if (!report.ok) return report;

    // Each file is read straight into its tables through one small buffer; a file that
    // turns out short is read again from its start over cleared tables.
    FileSource file;
    auto fromFile = [&file] {
        // A file that cannot be read again from its start reads as empty, so as damaged.
        return file.rewind() ? ByteReader(file) : ByteReader(std::span<const std::uint8_t>{});
    };
    using Reader = bool (*)(decltype(fromFile), Database&);
    const std::pair<const char*, Reader> files[] = {
        {"QTR3.DAT", readQtr3From},
        {"QTR4.DAT", readQtr4From},
        {"QTR5.DAT", readQtr5From},
        {"QTR6.DAT", readQtr6From},
    };
    for (const auto& [name, reader] : files) {
        // Database files are only ever opened for reading: a missing one is not created.
        if (!file.open(FindFileNoCase(dir, name)) || !reader(fromFile, db)) {
            return {false, std::string("データファイル ") + name + " が見つからないか壊れています"};
        }
    }
    DecodeDatabaseNames(db);
    ApplyFixedMonsterNames(db);
    return report;
}

}  // namespace dv
