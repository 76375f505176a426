// Where start-up and quit spend their time and memory, measured rather than
// guessed: with QB_TRACE set in the environment, each step prints the time
// since start-up began and the process's working set to standard error
// (which a GUI program under Wine still has). Off otherwise, at no cost.
#pragma once

// Reads QB_TRACE once, at the start of start-up.
void StartStepTrace();

// One line for the step when tracing: "trace <step> <ms> ms <MB> MB".
void TraceStep(const char* step);
