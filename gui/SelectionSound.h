#pragma once

// The click a menu entry makes when it becomes selected: "sounds/button.wav"
// on the entry's own listener-relative source at the origin, heard only when
// sound effects are on.
class SelectionSound {
public:
    SelectionSound();
    SelectionSound(const SelectionSound&) = delete;
    SelectionSound& operator=(const SelectionSound&) = delete;
    ~SelectionSound();

    void play();

    // How often the click was asked for.
    int playCount() const { return plays; }

private:
    int plays = 0;
};
