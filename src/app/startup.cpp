#include "app/startup.h"

#include <chrono>
#include <ctime>
#include <string>

#include "app/title_window.h"
#include "core/command_menu.h"
#include "core/data/data_files.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/game_settings.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/settings_store.h"
#include "core/window_settings.h"
#include "dungeon/view.h"
#include "dungeon/wandering_chests.h"
#include "ui/termination.h"
#include "ui/window_system.h"

namespace dv {

namespace {

std::string versionCaption() {
    return "Ver." + std::to_string(kVersion.major) + "." + std::to_string(kVersion.minor) + "." +
           std::to_string(kVersion.revision);
}

float secondsSinceMidnight() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

void readVersionKeys(Game& game) {
    SettingsStore& s = *game.settings;
    game.storedMajor = static_cast<int>(s.getNumber("Version", "Major", 0));
    game.storedMinor = static_cast<int>(s.getNumber("Version", "Minor", 0));
    game.storedRevision = static_cast<int>(s.getNumber("Version", "Revision", 0));
}

bool versionChanged(const Game& game) {
    return game.storedMajor != kVersion.major || game.storedMinor != kVersion.minor ||
           game.storedRevision != kVersion.revision;
}

void writeVersionKeys(Game& game) {
    SettingsStore& s = *game.settings;
    SettingsStore::Batch batch(s);
    s.set("Version", "Major", std::to_string(kVersion.major));
    s.set("Version", "Minor", std::to_string(kVersion.minor));
    s.set("Version", "Revision", std::to_string(kVersion.revision));
}

}  // namespace

bool StartUp(Game& game) {
    Screens& s = *game.screens;
    Ui& ui = *s.ui;

    TitleWindow& title = *s.title;
    title.Label1.setCaption(versionCaption());
    title.lbl.setCaption("Loading...");
    title.loadArtwork((game.programDir / "title.jpg").string());
    title.show();
    ui.render();

    ReadSettings(game);
    PlayScene(game, 1);
    ui.backend().setBusyCursor(true);
    readVersionKeys(game);

    if (!game.saveFolder.ok) {
        ui.backend().setBusyCursor(false);
        ShowMessage(game, game.saveFolder.notice);
        return false;
    }
    // Saves go to the user's data folder from now on: said once, when it is set up.
    if (!game.saveFolder.notice.empty()) ShowMessage(game, game.saveFolder.notice);

    LoadReport loaded = LoadAllData(game.db, game.save, game.programDir, game.saveDir());
    if (!loaded.ok) {
        ui.backend().setBusyCursor(false);
        ShowMessage(game, loaded.message);
        return false;
    }
    if (!loaded.message.empty()) ShowMessage(game, loaded.message);

    // Element 19 of the event flags is the number of skill slots.
    if (game.save.eventFlags[19] == 0) game.save.eventFlags[19] = 4;

    s.inpBox->load();
    s.inpBox2->load();

    // A new version writes the save file in its format at once.
    if (versionChanged(game)) {
        writeVersionKeys(game);
        SaveGame(game);
    }

    s.main->load();
    LoadPictures(game);
    game.place.currentFloor = 0;
    game.place.currentDungeon = 1;
    // A new game's chests are about from the first step, not only after the clocks wrap.
    PlaceWanderingChests(game, false);
    game.sessionStart = secondsSinceMidnight();

    // Characters recorded in town or at the training grounds are simply at rest.
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (c.dungeonId < 21) c.dungeonId = 0;
    }

    title.lbl.setCaption("Dalvenor Start");
    ui.backend().setBusyCursor(false);
    title.onStart = [&game] { EnterTown(game); };
    return true;
}

void EnterTown(Game& game) {
    Screens& s = *game.screens;
    s.main->show();
    s.title->hide();
    StopMusic(game);
    PlayScene(game, 2);
    BuildMenu(game, 8);
    s.title->unload();
}

namespace {

void rememberWindow(Game& game) {
    Screens& s = *game.screens;
    Backend& backend = s.ui->backend();
    if (backend.windowState() != WindowState::Normal) return;
    Rect r = backend.windowRect();
    // Stored under the window's current title, in twips.
    const std::string section = s.main->title();
    SettingsStore& st = *game.settings;
    st.set(section, "Left", std::to_string(r.x * kTwipsPerPixel));
    st.set(section, "Top", std::to_string(r.y * kTwipsPerPixel));
    st.set(section, "Width", std::to_string(r.w * kTwipsPerPixel));
    st.set(section, "Height", std::to_string(r.h * kTwipsPerPixel));
    // The size in pixels, read back at the next start.
    st.set("Window", "Width", std::to_string(r.w));
    st.set("Window", "Height", std::to_string(r.h));
}

void storePartyPlace(Game& game) {
    Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (p.currentFloor < 1) {
            // A party in town is dissolved.
            c.posX = 0;
            c.posY = 0;
            c.dungeonId = 0;
            c.floor = 0;
            c.partyId = 0;
        } else {
            // A party in a dungeon stays there and can be resumed.
            c.posX = static_cast<std::int16_t>(p.partyX);
            c.posY = static_cast<std::int16_t>(p.partyY);
            c.dungeonId = static_cast<std::uint8_t>(p.currentDungeon);
            c.floor = static_cast<std::uint8_t>(p.currentFloor);
            c.armorClass = c.baseArmorClass;
            p.partyMembers[static_cast<size_t>(i)] = 0;
        }
    }
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (c.dungeonId < 20) {
            c.dungeonId = 0;
            c.floor = 0;
            c.partyId = 0;
        }
    }
}

}  // namespace

void ShutDown(Game& game) {
    Screens& s = *game.screens;
    // The settings file is written once, when the shutdown steps are done.
    SettingsStore::Batch settingsBatch(*game.settings);
    rememberWindow(game);
    storePartyPlace(game);
    SaveGame(game);
    StopMusic(game);
    for (Form* f : {static_cast<Form*>(s.inpBox), static_cast<Form*>(s.inpBox2), s.sheet,
                    static_cast<Form*>(s.title)}) {
        if (f) f->unload();
    }
    std::vector<Form*> rest = s.ui->forms();
    for (Form* f : rest)
        f->unload();
}

void QuitGame(Game& game) {
    Ui& ui = *game.screens->ui;
    const bool nested = ui.modalDepth() > 0;
    ShutDown(game);
    ui.quit();
    // Asked from inside a waiting window (a message, a question, a nested window): leave
    // them all at once, so no rule that was waiting goes on after the final save.
    if (nested) throw GameEnded{};
}

void CloseMainWindow(Game& game) {
    if (game.screens->main->battleCommandShown()) return;
    QuitGame(game);
}

}  // namespace dv
