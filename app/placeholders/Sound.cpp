#include "app/placeholders/Sound.h"

SoundSystem soundSystem;
