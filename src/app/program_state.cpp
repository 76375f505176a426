#include "app/program_state.h"

ProgramStateBinding::ProgramStateBinding(ProgramState& state)
    : win_(state.win),
      storage_(state.storage),
      translations_(state.translations),
      ui_(state.ui),
      entries_(state.entries),
      notes_(state.notes),
      reminders_(state.reminders),
      preferences_(state.preferences),
      app_(state.app) {}
