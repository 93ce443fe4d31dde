#pragma once

#include <cstdint>

class GameDriver;

// How far the bot got with the level the game shows.
struct TLevelBotRun {
  bool ended = false;  // the play ended: won, out of time or out of moves
  int64_t moves = 0;
};

// Plays the level the running game shows with the tower bot, as a player
// would: it reads the tower through the level's record and drags each turn
// on the ring where the tower view draws it, letting game time run while
// the tower settles, until the play ends or `mostMilliseconds` of game
// time have passed.
TLevelBotRun PlayLevelWithBot(GameDriver& driver, uint32_t mostMilliseconds);
