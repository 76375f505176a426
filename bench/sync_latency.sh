#!/usr/bin/env bash
# How long a note saved on machine A takes to show its new text on machine
# B, through Syncthing with its file watcher's delay at 1 s: the two machines
# of the sync tests (scripts/lib/machines.sh), one note, RUNS saves (20
# unless given). Each is timed from the end of A's save to B's note window
# showing the new text, and split at the file's arrival on B's disk: before
# it is Syncthing's share, after it the program's own (noticing the change,
# reading the file, showing it). Prints every run and the medians.
#
#   bench/sync_latency.sh [RUNS]      after a Windows build; not part of scripts/test.sh
#
# While B's program does not show outside changes, its window never takes
# the text: the first run says so, and the others time the file's arrival only.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/wine.sh
. scripts/lib/machines.sh

runs=${1:-20}
arrival_seconds=30  # for one save to reach B's disk and, when it can, B's window

milliseconds_between() {  # from, to
  awk -v from="$1" -v to="$2" 'BEGIN { printf "%.0f", to - from }'
}

# The median of the numbers in the file, one a line; "not measured" when
# there are none.
median() {  # file
  [ -s "$1" ] || { echo "not measured"; return; }
  sort -n "$1" | awk '{ value[NR] = $1 }
    END { if (NR % 2) print value[(NR + 1) / 2] " ms";
          else printf "%.0f ms\n", (value[NR / 2] + value[NR / 2 + 1]) / 2 }'
}

# One note on A, carried to B; then both programs started one after the
# other, each start's own writes settled before the next.
set_up() {
  local notes
  notes="$(qb_data_folder A)/notes"
  mkdir -p "$notes"
  printf 'X=400\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\n%s' \
    "latency <0>" >"$notes/note_00000000000A7E57.txt"
  qb_settle 30 && qb_on A start && qb_settle 30 && qb_on B start && qb_settle 30 &&
    qb_on_both wait-notes 1 "latency <0>"
}

# B watches for the run's text while A saves it; prints the run and adds
# its times to the lists. Sizes alternate so that no save has the size of
# the one before.
time_one_save() {  # run
  local run=$1 watch="$qb_sync_root/B/watch-$1.txt" mode=
  [ "$window_shows" = no ] && mode="file"
  (
    qb_use_machine B
    timeout -k 5 $((arrival_seconds + 30)) wine "$qb_driver" --timeout "$arrival_seconds" time-arrival "<$run>" $mode \
      </dev/null >"$watch" 2>&1
  ) &
  local watcher=$!
  qb_until 30 grep -qs watching "$watch" || { echo "B's watcher did not start"; return 1; }
  local padding=
  [ $((run % 2)) -eq 1 ] && padding=" ."
  qb_on A type "<$((run - 1))>" "latency <$run>$padding" >/dev/null || { echo "A could not save run $run"; return 1; }
  wait "$watcher"
  local saved_at file_at shown_at
  saved_at=$(sed -n 's/^saved-at=//p' "$qb_last_output")
  file_at=$(sed -n 's/^file-at=\([^ ]*\).*/\1/p' "$watch")
  shown_at=$(sed -n 's/.*shown-at=//p' "$watch")
  if [ -z "$saved_at" ] || [ -z "$file_at" ] || [ "$file_at" = none ]; then
    echo "run $run: the file did not reach B within ${arrival_seconds}s"
    return 1
  fi
  local to_file
  to_file=$(milliseconds_between "$saved_at" "$file_at")
  echo "$to_file" >>"$qb_sync_root/to-file.txt"
  if [ "$shown_at" = none ]; then
    echo "run $run: save on A to the file on B's disk ${to_file} ms; B's window did not show it"
    if [ "$window_shows" = yes ]; then
      echo "  B's program does not show a note changed outside yet: from here on only the file's arrival is timed"
      window_shows=no
    fi
    return 0
  fi
  local to_window program_share
  to_window=$(milliseconds_between "$saved_at" "$shown_at")
  program_share=$(milliseconds_between "$file_at" "$shown_at")
  echo "$to_window" >>"$qb_sync_root/to-window.txt"
  echo "$program_share" >>"$qb_sync_root/program-share.txt"
  echo "run $run: save on A to B's window ${to_window} ms (file on B's disk after ${to_file} ms, window ${program_share} ms later)"
}

main() {
  trap qb_machines_stop EXIT
  trap 'exit 143' TERM INT
  echo "Setting up machines A and B..."
  qb_machines_start "$root" && set_up >/dev/null || { echo "The two machines could not be set up."; exit 1; }
  window_shows=yes
  local run
  for run in $(seq 1 "$runs"); do
    time_one_save "$run" || exit 1
    # The next save starts from quiet: nothing left for Syncthing to do.
    qb_until 30 qb_settled || { echo "Syncthing did not settle after run $run"; exit 1; }
  done
  echo
  echo "Medians of $runs saves (Syncthing's watcher delay 1 s):"
  echo "  save on A to B's window showing it:  $(median "$qb_sync_root/to-window.txt")"
  echo "  save on A to the file on B's disk:   $(median "$qb_sync_root/to-file.txt")"
  echo "  file on B's disk to B's window (the program's share): $(median "$qb_sync_root/program-share.txt")"
}

main
