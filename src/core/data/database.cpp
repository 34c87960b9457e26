#include "core/data/database.h"

namespace dv {

namespace {

template <class T>
const T* checkedRecord(const std::vector<T>& table, std::int64_t index, std::int64_t first) {
    if (index < first || index >= static_cast<std::int64_t>(table.size())) return nullptr;
    return &table[static_cast<std::size_t>(index)];
}

}  // namespace

const ItemRecord* itemAt(const Database& db, std::int64_t itemNumber) {
    return checkedRecord(db.itemTable, itemNumber, 1);
}
const Character* monsterAt(const Database& db, std::int64_t monsterNumber) {
    return checkedRecord(db.monsterTable, monsterNumber, 1);
}
const SpellRecord* spellAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.spellTable, index, 0);
}
const TrapRecord* trapAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.trapTable, index, 0);
}
const NpcRecord* npcAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.npcTable, index, 0);
}
const SkillRecord* skillAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.skillTable, index, 0);
}
const ActionRecord* actionAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.monsterActions, index, 0);
}
const ConversationRecord* conversationAt(const Database& db, std::int64_t index) {
    return checkedRecord(db.conversationTable, index, 0);
}

int elementIndex(std::int64_t element) {
    return (element >= 0 && element <= 36) ? static_cast<int>(element) : 1;
}

bool isWeaponTypeIndex(std::int64_t weaponType) {
    return weaponType >= 0 && weaponType <= 20;
}

bool isSkillNumber(std::int64_t skill) {
    return skill >= 0 && skill < kSkillRecordCount;
}

}  // namespace dv
