#include "core/music.h"

#include "core/game.h"

namespace dv {

void PlayScene(Game& game, int scene) {
    if (game.music) game.music->play(scene);
}

void StopMusic(Game& game) {
    if (game.music) game.music->stop();
}

}  // namespace dv
