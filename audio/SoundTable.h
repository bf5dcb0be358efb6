#pragma once

// The game's fixed table of sounds, loaded at start-up and played by index.
#include <array>
#include <cstddef>

// Indices into the sound table.
enum SoundId : int {
    SOUND_MEOW = 0,
    SOUND_FOREST_BIRDS = 1,
    SOUND_FOREST_RAIN = 2,
    SOUND_BONFIRE = 3,
    SOUND_FOOTSTEP_GRASS = 4,
    SOUND_FOOTSTEP_GRASS2 = 5,
    SOUND_DESERT_NIGHT = 6,
    SOUND_FUSE = 7,
    SOUND_EXPLOSION = 8,
    SOUND_SUCCESS = 9,
    SOUND_BUTTON = 10,
    SOUND_PIANO1 = 11,
    SOUND_PIANO2 = 12,
    SOUND_BREATHING = 13,
    SOUND_HEARTBEAT = 14,
    SOUND_JETPACK = 15,
    SOUND_THUNDER1 = 16,
    SOUND_NOISE = 17,
    SOUND_END = 18,
    SOUND_POP_CORK = 19,
    SOUND_METAL_IMPACT = 20,
    SOUND_DRINKING = 21,
    SOUND_CREEPY_AMB = 22,
    SOUND_FRIGHTENING_PLACE = 23,
    SOUND_LOW = 24,
    SOUND_SUSPENSE = 25,
};

struct SoundEntry {
    const char* file;
    float gain;
};

inline constexpr int kSoundCount = 26;

extern const std::array<SoundEntry, kSoundCount> kSoundTable;

// Whether an index names a table entry.
inline bool isSoundId(int index)
{
    return index >= 0 && index < kSoundCount;
}

// The table gain of an index; 0 for anything outside the table, so that
// "no sound" (-1) contributes silence wherever gains are mixed.
float soundGain(int index);
