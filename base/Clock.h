#pragma once

// Milliseconds from the system's high-resolution monotonic counter
// (count × 1000 / frequency), or from the millisecond tick count where no such
// counter exists. Only differences between two readings mean anything.
double now();
