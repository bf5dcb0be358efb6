#pragma once

// The game's unseeded random draws (weather, effects, cats, Death, spawn
// searches). The rules are written as rand / 32767, a fraction from 0 to 1 for
// a C library whose rand() stops at 32767. This C library's rand() reaches
// 2^31 - 1, so the raw quotient would run far past 1 (an out-of-range message
// index, weather that never changes): the draw is reduced to 15 bits first.

// A draw of rand() reduced to 0..32767, evenly spread.
int rand15();

// rand15() / 32767: a fraction from 0 to 1, both ends included.
float randUnit();
