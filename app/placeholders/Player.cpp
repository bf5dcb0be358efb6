#include "app/placeholders/Player.h"

int inputBitFor(int code)
{
    switch (code) {
    case 87:
        return 0; // W
    case 83:
        return 1; // S
    case 65:
        return 2; // A
    case 68:
        return 3; // D
    case 32:
        return 4; // Space
    case 340:
        return 6; // Left Shift
    case 0:
        return 7; // left mouse button
    case 1:
        return 8; // right mouse button
    default:
        return -1;
    }
}

int catsLostOnRespawn(int catCount)
{
    if (catCount <= 0)
        return 0;
    if (catCount <= 3)
        return 1;
    return catCount <= 6 ? 2 : 3;
}

void Player::pressInput(int code)
{
    if (int bit = inputBitFor(code); bit >= 0)
        inputFlags |= 1u << bit;
}

void Player::releaseInput(int code)
{
    if (int bit = inputBitFor(code); bit >= 0)
        inputFlags &= ~(1u << bit);
}

void Player::selectSlot(int key)
{
    (void)overlay;
    // Only the Hands exist here: slot 0.
    if (key == 49)
        selectedIndex = 0;
}
