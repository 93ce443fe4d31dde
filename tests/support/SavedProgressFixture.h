#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The stored progress entries of a player, worked out by hand from their
// layout (ten world records of 184 bytes, little-endian words): world 1 with
// levels 1, 2 and 4 done (4 the latest, so 1 and 2 before it) and a progress
// of 1.0; world 2 all done with a spare of 7; the other worlds default, with
// their spare of -1. Slot words past a count are zero.
std::vector<uint8_t> HandWorkedWorldData();

// The word at the byte offset, little-endian.
void PutLittleEndianWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t word);

// "WorldMappingIDs" holding the count and the ids, "LastPlayingLevel" holding
// world and level.
std::vector<uint8_t> MappingIdsEntry(const std::vector<uint32_t>& ids);
std::vector<uint8_t> LastPlayingLevelEntry(uint32_t world, uint32_t level);
