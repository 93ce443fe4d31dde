#pragma once

#include <cstdint>

class GameDriver;

// A level's start screen, when it shows one, clicked through page by page
// as a player does (its next button, else the screen itself), with
// `settle` of game time after each click, until it has gone.
void ClickThroughStartScreen(GameDriver& driver, uint32_t settle);
