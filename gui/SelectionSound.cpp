#include "gui/SelectionSound.h"

// PLACEHOLDER: the sound system does not exist yet. When it does, the
// constructor creates the source (createSource, then makeRelative), play()
// plays sound 10 ("sounds/button.wav") on it (the sound system itself checks
// "Sound_Effects"), and the destructor deletes the source.

SelectionSound::SelectionSound() { }

SelectionSound::~SelectionSound() { }

void SelectionSound::play()
{
    ++plays;
}
