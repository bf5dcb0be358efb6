#include "gameplay/CreatureWorld.h"

CreatureWorld* gCreatureWorld = nullptr;
