// How each layer reaches its part of the program's state.
//
// Everything the program keeps for its whole run lives in one object, made at
// start-up: ProgramState (app/program_state.h), which lists every part. A
// layer cannot include app/, so each part is bound here, in a slot of its own
// type, and the layer reads it through its accessor (Categories(),
// Shortcuts(), ActiveTranslationTable()...). A test binds a fresh state for
// its own run.
#pragma once

#include <utility>

template <typename Part>
class StateSlot {
public:
    // The bound part; reading a slot never bound is a programming error.
    static Part& Get() { return *bound_; }
    // The bound part, or null.
    static Part* Bound() { return bound_; }
    // Binds `part` (null unbinds) and returns the part bound before.
    static Part* Bind(Part* part) { return std::exchange(bound_, part); }

private:
    inline static Part* bound_ = nullptr;
};

// Binds a part for its own lifetime and puts back the part bound before.
template <typename Part>
class StateBinding {
public:
    explicit StateBinding(Part& part) : previous_(StateSlot<Part>::Bind(&part)) {}
    ~StateBinding() { StateSlot<Part>::Bind(previous_); }
    StateBinding(const StateBinding&) = delete;
    StateBinding& operator=(const StateBinding&) = delete;

private:
    Part* previous_;
};
