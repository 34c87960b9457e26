// The game's nineteen pieces, one function each, in scene order.
#pragma once

#include "musicgen/composer.h"

namespace dv::music {

Piece TitlePiece();
Piece CastleTownPiece();
Piece OutskirtsPiece();
Piece ShopPiece();
Piece TavernPiece();
Piece TemplePiece();
Piece InnPiece();
Piece FortuneHousePiece();
Piece TrainingGroundsPiece();
Piece DungeonPiece();
Piece DeepDungeonPiece();
Piece BattlePiece();
Piece SecondBattlePiece();
Piece BossPiece();
Piece SecondBossPiece();
Piece VictoryPiece();
Piece WipedOutPiece();
Piece CampPiece();
Piece EncounterPiece();

}  // namespace dv::music
