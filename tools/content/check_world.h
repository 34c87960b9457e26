#pragma once

// Whether the world can be played from the town to its ending. The party is walked through
// every dungeon the dungeon list offers, step by step over the maze with its pre-step
// gates, arrival events, stairs and teleporters, and everything it can find, win, be given
// or switch on opens more of the way, until nothing new opens. Then every floor in use,
// every event cell, every person's room, the items and flags of the progression and every
// monster person 10 counts must have been reached, and no cell the party can stand on may
// hold it for good.

#include <vector>

#include "content/content_check.h"
#include "content/content_set.h"

namespace dv {

// The problems of a world whose every floor and event cell can be walked to when all its
// gates stand open (content_check.cpp reports those that cannot).
std::vector<CheckProblem> checkWorld(const ContentSet& set);

}  // namespace dv
