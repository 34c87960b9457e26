#include "core/save_game.h"

#include "core/data/save_file.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"

namespace dv {

bool SaveGame(Game& game) {
    if (game.savesOff) return true;
    SaveReport report = WriteSaveFile(game.save, game.saveDir());
    if (!report.ok && game.screens) ShowMessage(game, report.message);
    return report.ok;
}

}  // namespace dv
