#pragma once

// Milliseconds from the system's high-resolution monotonic counter
// (count × 1000 / frequency), or from the millisecond tick count where no such
// counter exists. Only differences between two readings mean anything.
double now();

// Processor time the whole process has used so far (every thread), in milliseconds. Unlike
// the wall clock it barely moves when other programs share the machine, so it compares the
// cost of frames measured at different times.
double processCpuMs();
