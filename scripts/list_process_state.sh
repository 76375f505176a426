#!/usr/bin/env bash
# Lists the mutable variables that live for the whole process in src/: those
# at file scope and the static locals of functions. Everything it prints
# should be inside the program's state owner (app/program_state.h and the
# per-layer parts it binds); the one line expected is the binding slot itself
# (base/state_slot.h), a pointer per part to the part the owner bound.
cd "$(dirname "$0")/../src" || exit 2
grep -rnE '^[A-Za-z_][A-Za-z0-9_:<>, *&]* [A-Za-z_][A-Za-z0-9_]*(\[[^]]*\])?( = [^;]*| ?\{[^}]*\})?;' --include='*.cpp' --include='*.h' . |
  grep -vE ':(constexpr|const |using|typedef|extern|static_assert|namespace|struct|class|enum|template|return)' |
  grep -vE '^[^:]+:[0-9]+:[^(]*\(' 
grep -rnE '^\s+(inline )?static [A-Za-z_]' --include='*.cpp' --include='*.h' . |
  grep -vE 'static (constexpr|const |_cast|void|bool [A-Z]|LRESULT|[A-Za-z_:<>]+[&*]? [A-Z][A-Za-z]*\()'
exit 0
