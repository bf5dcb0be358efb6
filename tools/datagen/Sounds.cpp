#include "tools/datagen/DataGen.h"
#include "tools/datagen/SoundRecipes.h"
#include "tools/datagen/WavWriter.h"

#include <cstdio>

namespace datagen {

namespace {

struct SoundFile {
    const char* path;
    SoundClip (*make)();
};

// In the order of the game's sound table.
const SoundFile kSoundFiles[] = {
    { "sounds/meow.wav", recipes::meow },
    { "sounds/forest_birds.wav", recipes::forestBirds },
    { "sounds/forest_rain_mid_birds.wav", recipes::forestRainMidBirds },
    { "sounds/bonfire.wav", recipes::bonfire },
    { "sounds/footstep-grass.wav", recipes::footstepGrass },
    { "sounds/footstep-grass2.wav", recipes::footstepGrass2 },
    { "sounds/desert_night.wav", recipes::desertNight },
    { "sounds/fuse.wav", recipes::fuse },
    { "sounds/explosion.wav", recipes::explosion },
    { "sounds/success.wav", recipes::success },
    { "sounds/button.wav", recipes::button },
    { "sounds/piano1.wav", recipes::piano1 },
    { "sounds/piano2.wav", recipes::piano2 },
    { "sounds/breathing.wav", recipes::breathing },
    { "sounds/heartbeat.wav", recipes::heartbeat },
    { "sounds/jetpack.wav", recipes::jetpack },
    { "sounds/thunder1.wav", recipes::thunder },
    { "sounds/noise.wav", recipes::staticNoise },
    { "sounds/end.wav", recipes::endSting },
    { "sounds/pop_cork.wav", recipes::popCork },
    { "sounds/metal_impact.wav", recipes::metalImpact },
    { "sounds/drinking.wav", recipes::drinking },
    { "sounds/creepy_amb.wav", recipes::creepyAmbience },
    { "sounds/frightening_place.wav", recipes::frighteningPlace },
    { "sounds/low.wav", recipes::lowDrone },
    { "sounds/suspense.wav", recipes::suspense },
};

} // namespace

bool writeSounds(const std::filesystem::path& runDir)
{
    bool ok = true;
    size_t totalBytes = 0;
    for (const SoundFile& file : kSoundFiles) {
        const SoundClip clip = file.make();
        const SoundLevels levels = measureLevels(clip);
        ok = writeWav(runDir / file.path, clip) && ok;
        totalBytes += 44 + clip.samples.size() * 2;
        std::printf("%-34s %6.2f s  %s %5d Hz  peak %6.1f dBFS  rms %6.1f dBFS\n", file.path, levels.seconds,
            clip.channels == 2 ? "stereo" : "mono  ", clip.rate, levels.peakDb, levels.rmsDb);
    }
    std::printf("sounds: %zu files, %.2f MB\n", std::size(kSoundFiles), totalBytes / 1e6);
    return ok;
}

} // namespace datagen
