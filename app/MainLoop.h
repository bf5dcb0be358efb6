#pragma once

#include <functional>

// Length of one simulation step. The accumulator compares and subtracts the
// exact double; the step itself is handed on as the single-precision value.
constexpr double STEP_MS = 16.666666666666668;
constexpr float STEP_DT_MS = 16.666666f;

// Real time waiting to be simulated, in milliseconds.
class StepAccumulator {
public:
    double acc = 0.0;

    // Runs one step per whole step length held, with no upper limit, and
    // returns how many ran.
    int drain(const std::function<void(float)>& step)
    {
        int steps = 0;
        while (acc >= STEP_MS) {
            step(STEP_DT_MS);
            acc -= STEP_MS;
            ++steps;
        }
        return steps;
    }
};

// What one pass of the loop calls, in this order: beginPass (reads and records
// whether the game is in the playing state), step (only while playing), frame
// (clear, draw, swap, poll events). shouldClose is asked before every pass.
struct LoopHooks {
    std::function<bool()> shouldClose;
    std::function<bool()> beginPass;
    std::function<void(float)> step;
    std::function<void()> frame;
};

// The fixed-step loop: simulation advances in steps of STEP_MS while playing,
// and only the time of passes that began in the playing state is counted, so
// leaving a menu never triggers catch-up steps. It never sleeps; the swap
// interval paces it.
class MainLoop {
public:
    explicit MainLoop(std::function<double()> clock)
        : clock(std::move(clock))
    {
    }

    // One pass; returns the number of steps it ran.
    int runPass(const LoopHooks& hooks);
    // Passes until shouldClose reports true.
    void run(const LoopHooks& hooks);

    double accumulated() const { return steps.acc; }

private:
    std::function<double()> clock;
    StepAccumulator steps;
};
