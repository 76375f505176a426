#!/usr/bin/env bash
# Checks that the folders under src/ form layers that only point down: a file
# may include from its own folder and from the folders listed below its own,
# never from a folder above it or from a folder that is not listed. It also
# checks that modules (a .h with its .cpp) include each other without a cycle.
# A portable file (under a layer's core/ folder, or anywhere in base/) may
# include neither <windows.h> nor a file that is not portable itself: the
# portable core builds on Linux too.
# Prints every fault with its file and line; exit status 1 when there is one.
#   scripts/check_layers.sh [source folder]   (default: src)
set -uo pipefail

# The order, top first. Written once, here.
layers=(app settings reminders categories search notes entries ui i18n storage win base)

# Headers outside src/ that a file may include by bare name.
outside_headers=(resource_ids.h)

src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
cd "$src" || { echo "no source folder $src" >&2; exit 2; }

rank_of() {  # folder -> index in layers, or nothing
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
}

is_portable() {  # path under src/
  [[ $1 == */core/* || $1 == base/* ]]
}

is_outside_header() {
  local header
  for header in "${outside_headers[@]}"; do [ "$header" = "$1" ] && return 0; done
  return 1
}

faults=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

while IFS= read -r file; do
  folder=${file%%/*}
  from_rank=$(rank_of "$folder")
  if [ -z "$from_rank" ]; then
    echo "$file: folder '$folder' is not in the layer list"
    faults=$((faults + 1))
    continue
  fi
  module=${file%.*}
  if is_portable "$file"; then
    while IFS=: read -r line _; do
      echo "src/$file:$line: a portable file includes <windows.h>"
      faults=$((faults + 1))
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file" | sed -E 's/^([0-9]+):.*/\1:/')
  fi
  while IFS=: read -r line target; do
    if [[ $target != */* ]]; then
      is_outside_header "$target" && continue
      echo "src/$file:$line: includes \"$target\", which is not under a layer folder"
      faults=$((faults + 1))
      continue
    fi
    if is_portable "$file" && ! is_portable "$target"; then
      echo "src/$file:$line: includes \"$target\": a portable file may include only portable files"
      faults=$((faults + 1))
    fi
    to_folder=${target%%/*}
    to_rank=$(rank_of "$to_folder")
    if [ -z "$to_rank" ]; then
      echo "src/$file:$line: includes \"$target\" from '$to_folder', which is not in the layer list"
      faults=$((faults + 1))
    elif [ "$to_rank" -lt "$from_rank" ]; then
      echo "src/$file:$line: includes \"$target\": '$folder' may not include from '$to_folder', which lies above it"
      faults=$((faults + 1))
    fi
    to_module=${target%.*}
    [ "$to_module" != "$module" ] && echo "$module $to_module" >>"$edges"
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort)

# tsort reports a loop when the module graph has a cycle.
loop=$(sort -u "$edges" | tsort 2>&1 >/dev/null)
if [ -n "$loop" ]; then
  echo "modules include each other in a cycle:"
  echo "$loop" | sed -n 's/^tsort: //p' | grep -v 'input contains a loop' | sed 's/^/  /'
  faults=$((faults + 1))
fi

if [ "$faults" -ne 0 ]; then
  echo "$faults layer fault(s)"
  exit 1
fi
echo "Layers point down; no include cycle."
