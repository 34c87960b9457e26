#pragma once

// The party's commands that are neither a fight nor a spell: hiding, searching a monster's
// pockets, stealing, seeing through a monster, throwing money, dispelling, a dragon's
// breath and songs played on an instrument. Each acts for the member given, against the
// member's targetGroup where it needs a group.

#include "core/data/character.h"

namespace dv {

struct Game;

// Action codes of these commands.
inline constexpr int kActCast = 2;
inline constexpr int kActUseItem = 4;
inline constexpr int kActDispel = 16;
inline constexpr int kActHide = 32;
inline constexpr int kActBreath = 64;
inline constexpr int kActSteal = 128;
inline constexpr int kActSearch = 512;
inline constexpr int kActCastTwice = 1024;
inline constexpr int kActSeeThrough = 2048;
inline constexpr int kActThrowMoney = 4096;
inline constexpr int kActSummon = 8192;
inline constexpr int kActSong = 16384;

void HideAction(Game& game, Character& member);
void SearchAction(Game& game, Character& member);
void StealAction(Game& game, Character& member);
void SeeThroughAction(Game& game, Character& member);
void ThrowMoneyAction(Game& game, Character& member);
void DispelAction(Game& game, Character& member, int group);
void BreathAction(Game& game, Character& member);
void SongAction(Game& game, Character& member);

}  // namespace dv
