#include "items/skill_window.h"

#include <algorithm>

#include "characters/equipment_rules.h"
#include "characters/races_classes.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "items/modal_owner.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 420;
constexpr int kFont = 14;
constexpr int kDualWield = 128;

const char* const kChecked = "■ ";
const char* const kUnchecked = "□ ";

}  // namespace

int SkillClassNumber(std::int64_t classBit) {
    const auto index = ClassIndex(classBit);
    if (!index || !ClassOf(classBit)) return 0;
    return *index + 1;
}

std::vector<int> OfferedSkills(const Game& game, const Character& c) {
    std::vector<int> skills;
    const int cls = SkillClassNumber(c.classBit);
    const auto& table = game.db.skillTable;
    if (cls >= 1 && cls <= 20) {
        for (int i = 1; i <= 300 && i < static_cast<int>(table.size()); ++i) {
            const SkillRecord& r = table[static_cast<size_t>(i)];
            const std::int32_t from = r.classLevel[static_cast<size_t>(cls)];
            if (from == 0 || c.level < from || !isSkillNumber(r.skillNumber)) continue;
            skills.push_back(r.skillNumber);
        }
    }
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c.items[static_cast<size_t>(s)];
        if (!IsWorn(slot)) continue;
        const ItemRecord* item = itemAt(game.db, slot.itemId);
        if (!item || item->grantedSkill <= 0 || !skillAt(game.db, item->grantedSkill)) continue;
        if (std::find(skills.begin(), skills.end(), item->grantedSkill) == skills.end())
            skills.push_back(item->grantedSkill);
    }
    return skills;
}

int SkillLimit(const Game& game) {
    return std::max(game.save.eventFlags[19], 0);
}

SkillWindow::SkillWindow(Ui& ui, Game& game) : Form(ui, "frmSkill"), game_(game) {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    backColor = rgb(10, 12, 36);
    bordered = true;
    fraSkill.move(0, 0, kWidth, kHeight);
    add(fraSkill);
    for (Label* l : {&lblHead, &lblLabel, &lblHelp}) {
        l->setFont(Font::standard(kFont));
        fraSkill.add(*l);
    }
    lblHead.setCaption("習得しているスキル");
    lblHead.wordWrap = false;
    lblHead.move(20, 14, 360, 18);
    lstSkill.setFont(Font::standard(kFont));
    lstSkill.setSelectionFont(Font::standard(kFont));
    lstSkill.accessKeyOn = false;
    lstSkill.move(16, 36, 368, 240);
    fraSkill.add(lstSkill);
    lblLabel.move(20, 284, 360, 72);
    lblHelp.setCaption("スペースキーでスキル装備､\r\nＥｎｔｅｒで終了");
    lblHelp.move(20, 362, 360, 40);
    lblHelp.foreColor = rgb(150, 170, 220);
    lstSkill.onClick = [this] { describe(); };
    lstSkill.onKeyDown = [this](int& code, int) {
        if (code == keys::Space) {
            code = 0;
            toggle();
        } else if (code == keys::Enter) {
            code = 0;
            finish();
        }
    };
}

void SkillWindow::dress(const SkinPictures& skin) {
    DressPanel(fraSkill, skin);
    DressList(lstSkill, skin);
    bordered = !skin.complete;
}

void SkillWindow::showRow(int i) {
    const SkillRecord* r = skillAt(game_.db, skills_[static_cast<size_t>(i)]);
    lstSkill.setList(i, (checked_[static_cast<size_t>(i)] ? kChecked : kUnchecked) +
                            (r ? r->name : std::string()));
}

void SkillWindow::describe() {
    const int i = lstSkill.listIndex();
    if (i < 0 || i >= static_cast<int>(skills_.size())) return;
    // The table keeps each skill's text in the record after its own; the last skill has
    // no record after it.
    const SkillRecord* next = skillAt(game_.db, skills_[static_cast<size_t>(i)] + 1);
    lblLabel.setCaption(next ? next->description : "");
}

void SkillWindow::toggle() {
    const int i = lstSkill.listIndex();
    if (i < 0 || i >= static_cast<int>(skills_.size())) return;
    const size_t k = static_cast<size_t>(i);
    if (checked_[k] && skills_[k] == kDualWield && character_) {
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemSlot& slot = character_->items[static_cast<size_t>(s)];
            const ItemRecord* item = itemAt(game_.db, slot.itemId);
            if (item && item->kind == 1 && (slot.itemFlags & 7) == kEquipSecondary) {
                ShowMessage(game_, "セカンダリを装備している場合、\n二刀流のスキルは外せません");
                return;
            }
        }
    }
    checked_[k] = !checked_[k];
    showRow(i);
}

void SkillWindow::finish() {
    const long n = std::count(checked_.begin(), checked_.end(), true);
    if (n > SkillLimit(game_)) {
        ShowMessage(game_, (character_ ? character_->name : std::string()) + "が\n" +
                               "一度に装備できるスキルは『" +
                               ToWide(std::to_string(SkillLimit(game_))) + "』個までです");
        return;
    }
    lblLabel.setCaption("");
    hide();
}

std::vector<bool> SkillWindow::run(Character& c, const std::vector<int>& offered) {
    character_ = &c;
    skills_ = offered;
    checked_.assign(skills_.size(), false);
    lstSkill.setRedraw(false);
    lstSkill.clear();
    for (size_t i = 0; i < skills_.size(); ++i) {
        checked_[i] = c.skills[static_cast<size_t>(skills_[i])] != 0;
        lstSkill.addItem("");
        lstSkill.setItemData(lstSkill.newIndex(), skills_[i]);
        showRow(static_cast<int>(i));
    }
    lstSkill.setRedraw(true);
    lblLabel.setCaption("？？？？？");
    if (lstSkill.listCount() > 0) lstSkill.setListIndex(0);
    describe();
    Form* owner = ModalOwner(game_, this);
    setOwner(owner);
    lstSkill.setFocus();
    showModal(owner);
    character_ = nullptr;
    return checked_;
}

void ChooseSkills(Game& game, int character) {
    if (character < 1 || character >= kRosterSlots) return;
    Character& c = game.save.roster[static_cast<size_t>(character)];
    const std::vector<int> offered = OfferedSkills(game, c);
    StoreSkills(c, offered, WindowOf<SkillWindow>(game).run(c, offered));
}

void StoreSkills(Character& c, const std::vector<int>& offered, const std::vector<bool>& checked) {
    // Whatever the list no longer offers is dropped.
    c.skills.fill(0);
    for (size_t i = 0; i < offered.size() && i < checked.size(); ++i)
        if (offered[i] > 0 && static_cast<size_t>(offered[i]) < c.skills.size())
            c.skills[static_cast<size_t>(offered[i])] = checked[i] ? -1 : 0;
    if (c.skills[36] != 0) c.resistances[17] = 100;
    if (c.skills[54] != 0) c.resistances[19] = 100;
}

}  // namespace dv
