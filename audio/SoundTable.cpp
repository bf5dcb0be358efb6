#include "audio/SoundTable.h"

const std::array<SoundEntry, kSoundCount> kSoundTable = { {
    { "sounds/meow.wav", 0.1f },
    { "sounds/forest_birds.wav", 1.0f },
    { "sounds/forest_rain_mid_birds.wav", 1.0f },
    { "sounds/bonfire.wav", 1.0f },
    { "sounds/footstep-grass.wav", 1.0f },
    { "sounds/footstep-grass2.wav", 1.0f },
    { "sounds/desert_night.wav", 1.0f },
    { "sounds/fuse.wav", 0.4f },
    { "sounds/explosion.wav", 1.0f },
    { "sounds/success.wav", 1.0f },
    { "sounds/button.wav", 1.0f },
    { "sounds/piano1.wav", 1.0f },
    { "sounds/piano2.wav", 1.0f },
    { "sounds/breathing.wav", 0.3f },
    { "sounds/heartbeat.wav", 0.8f },
    { "sounds/jetpack.wav", 0.2f },
    { "sounds/thunder1.wav", 1.0f },
    { "sounds/noise.wav", 1.0f },
    { "sounds/end.wav", 1.0f },
    { "sounds/pop_cork.wav", 1.0f },
    { "sounds/metal_impact.wav", 1.0f },
    { "sounds/drinking.wav", 1.0f },
    { "sounds/creepy_amb.wav", 1.0f },
    { "sounds/frightening_place.wav", 1.0f },
    { "sounds/low.wav", 1.0f },
    { "sounds/suspense.wav", 0.6f },
} };

float soundGain(int index)
{
    return isSoundId(index) ? kSoundTable[size_t(index)].gain : 0.0f;
}
