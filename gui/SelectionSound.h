#pragma once

#include "audio/SoundSource.h"

class SoundSystem;

// The click a menu entry makes when it becomes selected: "sounds/button.wav"
// on the entry's own listener-relative source at the origin, heard only when
// sound effects are on.
class SelectionSound {
public:
    explicit SelectionSound(SoundSystem& sound);
    SelectionSound();
    SelectionSound(const SelectionSound&) = delete;
    SelectionSound& operator=(const SelectionSound&) = delete;
    ~SelectionSound();

    void play();

    // How often the click was asked for.
    int playCount() const { return plays; }

    const SoundSource& soundSource() const { return source; }

private:
    void makeSource();

    SoundSystem& sound;
    SoundSource source;
    int plays = 0;
};
