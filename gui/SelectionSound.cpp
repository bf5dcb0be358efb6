#include "gui/SelectionSound.h"

#include "audio/SoundSystem.h"

SelectionSound::SelectionSound(SoundSystem& sound)
    : sound(sound)
{
    makeSource();
}

SelectionSound::SelectionSound()
    : SelectionSound(gSoundSystem)
{
}

SelectionSound::~SelectionSound() = default;

void SelectionSound::makeSource()
{
    source = sound.createSource();
    if (source.valid())
        sound.makeRelative(source);
}

void SelectionSound::play()
{
    ++plays;
    // A menu built before the device opened gets its source on the first click.
    if (!source.valid())
        makeSource();
    sound.play(source, SOUND_BUTTON);
}
