#!/usr/bin/env bash
# Two machines kept in sync by Syncthing, each running Quillboard (see
# scripts/lib/machines.sh): what a user sees when the data folder is shared
# through a sync service. Each scenario starts afresh and is played step by
# step with sync_driver.exe on each machine. Every step has its own time
# limit; a failed step ends its scenario, names the step, and saves a picture
# of both screens in build/sync/screens; the next scenario goes on.
#
#   tests/sync/scenarios.sh [NAME...]     all of them when none is named
#
# Needs the Windows build (build/windows/bin) and the syncthing package.
# Exit status 0 only when every scenario run passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/lib/wine.sh
. scripts/lib/machines.sh

# Syncthing brings a change across in 1 to 3 s here (its watcher waits 1 s).
live_seconds=15  # for a change on one machine to show on the other
sync_seconds=20  # for Syncthing alone to bring both data folders to the same files

results=()
failures=0
step_number=0
setup_number=0
seed_round=0
failed_step=
scenario_name=
scenario_started=
scenario_clock=

# ---- Steps

# One step of the scenario: said, run, and on failure kept as the step the
# scenario failed at. Setting up steps are numbered apart from the
# scenario's own.
sync_step() {  # description, command...
  run_step "step" "$@"
}

setup_step() {  # description, command...
  run_step "setup step" "$@"
}

run_step() {  # kind, description, command...
  local kind=$1 description=$2
  shift 2
  if [ "$kind" = step ]; then
    step_number=$((step_number + 1))
    kind="step $step_number"
  else
    setup_number=$((setup_number + 1))
    kind="setup step $setup_number"
  fi
  echo "  $kind: $description [at $(seconds_since "$scenario_started")s]"
  "$@" && return 0
  failed_step="$kind ($description)"
  echo "  FAILED at $kind: $description"
  qb_syncthing_complaints "$scenario_clock"
  save_screens "${kind// /-}"
  return 1
}

seconds_since() {  # EPOCHREALTIME then
  awk -v then="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.1f", now - then }'
}

save_screens() {  # name of the step
  local folder="$qb_sync_root/screens" machine
  mkdir -p "$folder"
  for machine in "${qb_machines[@]}"; do
    import -display "${qb_display[$machine]}" -window root "$folder/$scenario_name-$1-$machine.png" 2>/dev/null
  done
  echo "  pictures of both screens: build/sync/screens/$scenario_name-$1-A.png and -B.png"
}

on() {
  qb_on "$@"
}

# The program is ended, not asked to quit: whatever it shows now is thrown
# away with the scenario.
stop_programs() {
  qb_on_both kill
}

# Removed on A alone, once Syncthing has nothing left to do: removing on
# both at once would have each instance meet the other's removal of a file
# it has not scanned yet, and pause for a minute.
remove_notes() {
  qb_settle "$sync_seconds" || return 1
  local folder
  folder=$(qb_data_folder A)
  rm -f "$folder"/notes/* "$folder"/categories*
  qb_settle "$sync_seconds"
}

# A note file as the program writes it: a yellow, uncategorised note.
note_file_text() {  # x, text
  printf 'X=%d\r\nY=600\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\n%s' \
    "$1" "$2"
}

# The notes are written on A, side by side at the bottom of the screen,
# away from where new notes cascade, so that no note covers another's
# header; a copy of each is kept in build/sync/seeded to compare with later.
# Every scenario's notes have ids of their own: a file name that comes back
# right after its removal could meet the removal still on its way.
seed_notes() {  # text...
  local notes seeded index=0 text name
  notes="$(qb_data_folder A)/notes"
  seeded="$qb_sync_root/seeded"
  rm -rf "$seeded"
  mkdir -p "$notes" "$seeded"
  seed_round=$((seed_round + 1))
  for text in "$@"; do
    name=$(printf 'note_%016X.txt' $((0x5EED0000 + seed_round * 0x100 + index)))
    note_file_text $((80 + index * 300)) "$text" >"$seeded/$name"
    cp "$seeded/$name" "$notes/$name"
    index=$((index + 1))
  done
}

wait_in_sync() {
  qb_wait_data_folders_alike "$sync_seconds"
}

# Where nothing clashed, Syncthing made no conflict copy.
in_sync_without_clash() {
  wait_in_sync || return 1
  local copies
  copies=$(find "$(qb_data_folder A)" "$(qb_data_folder B)" -name '*.sync-conflict-*')
  [ -z "$copies" ] && return 0
  echo "      Syncthing kept the losing side of a clash:"
  echo "$copies" | sed "s|$qb_sync_root/||; s/^/        /"
  return 1
}

settle() {
  qb_settle "$sync_seconds"
}

# Both programs stopped, no notes nor categories on either machine, then the
# given notes written on A, carried to B by Syncthing, and both programs
# started showing them. The programs start one after the other: each writes
# langue.txt as it starts, and the same file written on both machines at once
# makes Syncthing pause for a minute.
fresh_start() {  # note text...
  setup_number=0
  setup_step "both: Syncthing runs, each connected to the other" qb_syncthing_up &&
    setup_step "both: Quillboard stopped" stop_programs &&
    setup_step "A: every note and categories.txt removed, and so on B" remove_notes &&
    setup_step "A: the scenario's notes written (${*:-none})" seed_notes "$@" &&
    setup_step "both disks: the same files" settle &&
    setup_step "A: Quillboard started" on A start &&
    setup_step "both disks: the same files" settle &&
    setup_step "B: Quillboard started" on B start &&
    setup_step "both disks: the same files" settle &&
    setup_step "both: the notes show" qb_on_both wait-notes $# "$@"
}

note_files_hold() {  # machine, text
  grep -rqF -- "$2" "$(qb_data_folder "$1")/notes" 2>/dev/null
}

file_arrives() {  # machine, text
  qb_until "$sync_seconds" note_files_hold "$1" "$2" && return 0
  echo "      no note file on $1 holds \"$2\" after $sync_seconds s"
  return 1
}

no_note_file_holds() {  # machine, text
  ! note_files_hold "$1" "$2"
}

file_goes() {  # machine, text
  qb_until "$sync_seconds" no_note_file_holds "$1" "$2" && return 0
  echo "      a note file on $1 still holds \"$2\" after $sync_seconds s"
  return 1
}

both_hold() {  # text...
  local machine text
  for machine in "${qb_machines[@]}"; do
    for text in "$@"; do
      note_files_hold "$machine" "$text" || return 1
    done
  done
}

both_disks_hold() {  # text...
  qb_until "$sync_seconds" both_hold "$@" && return 0
  echo "      the note files of both machines do not all hold: $*"
  return 1
}

categories_name() {  # machine, name...
  local file
  file="$(qb_data_folder "$1")/categories.txt"
  shift
  local name
  for name in "$@"; do
    grep -q -- "|$name"$'\r' "$file" 2>/dev/null || return 1
  done
}

categories_name_on_both() {  # name...
  categories_name A "$@" && categories_name B "$@"
}

# The program's doing: Syncthing keeps one categories.txt and a conflict copy.
both_categories_name() {  # name...
  qb_until "$live_seconds" categories_name_on_both "$@" && return 0
  echo "      categories.txt does not name $* on both machines after $live_seconds s:"
  sed 's/^/        /' "$(qb_data_folder A)/categories.txt" "$(qb_data_folder B)/categories.txt" 2>/dev/null
  return 1
}

# The seeded note holding the text is on both machines as it was written.
seeded_file_unchanged() {  # text
  local seeded machine
  seeded=$(grep -lF -- "$1" "$qb_sync_root"/seeded/*) || return 1
  for machine in "${qb_machines[@]}"; do
    cmp -s "$seeded" "$(qb_data_folder "$machine")/notes/$(basename "$seeded")" && continue
    echo "      the note file of \"$1\" changed on $machine"
    return 1
  done
}

# Keeps how a note looks on a machine (see the driver's "look") in a variable.
remember_look() {  # machine, text, variable
  qb_on "$1" look "$2" || return 1
  local value
  value=$(sed -n 's/^look=//p' "$qb_last_output")
  [ -n "$value" ] && printf -v "$3" '%s' "$value"
}

# ---- Checks of the harness itself, which the program passes as it is

check_file() {
  fresh_start &&
    sync_step "A: a new note, \"typed on A\" typed into it and saved" on A new-note "typed on A" &&
    sync_step "B's disk: a note file holding it arrives" file_arrives B "typed on A" &&
    sync_step "both disks: the same files, no conflict copy" in_sync_without_clash
}

check_start() {
  local look=''
  fresh_start &&
    sync_step "B: Quillboard quits" on B quit &&
    sync_step "A: a new note \"written while B is off\"" on A new-note "written while B is off" &&
    sync_step "A: it gets a new category \"Maison\" (A0E0FF)" \
      on A new-category "written while B is off" Maison A0E0FF &&
    sync_step "A: how the note looks" remember_look A "written while B is off" look &&
    sync_step "both disks: the same files" wait_in_sync &&
    sync_step "B: Quillboard started" on B start &&
    sync_step "B: the note shows, with the title and colour it has on A" \
      on B wait-look "written while B is off" "$look"
}

# ---- The scenarios

scenario_typed() {
  fresh_start "first note" &&
    sync_step "A: \"first note, edited on A\" typed into \"first note\"" \
      on A type "first note" "first note, edited on A" &&
    sync_step "B's disk: the changed note file arrives" file_arrives B "edited on A" &&
    sync_step "B: the note shows the new text" on B --timeout "$live_seconds" wait-notes 1 "first note, edited on A" &&
    sync_step "A: a new note \"new on A\"" on A new-note "new on A" &&
    sync_step "B's disk: the new note file arrives" file_arrives B "new on A" &&
    sync_step "B: a window shows the new note" on B --timeout "$live_seconds" wait-notes 2 "edited on A" "new on A" &&
    sync_step "both disks: the same files, no conflict copy" in_sync_without_clash
}

scenario_deleted() {
  fresh_start "keep me" "delete me" &&
    sync_step "A: the note \"delete me\" deleted" on A delete "delete me" &&
    sync_step "B's disk: its file goes" file_goes B "delete me" &&
    sync_step "B: its window closes, \"keep me\" stays" on B --timeout "$live_seconds" wait-notes 1 "keep me" &&
    sync_step "both disks: the same files, no conflict copy" in_sync_without_clash
}

scenario_category() {
  local look=''
  fresh_start "to be filed" "left alone" &&
    sync_step "A: a new category \"Projets\" (FFC080) from the note \"to be filed\"" \
      on A new-category "to be filed" Projets FFC080 &&
    sync_step "A: how the filed note looks" remember_look A "to be filed" look &&
    sync_step "both disks: the same files (categories.txt and the note)" wait_in_sync &&
    sync_step "B: the note shows the category's title and colour as on A" \
      on B --timeout "$live_seconds" wait-look "to be filed" "$look" &&
    sync_step "B: still two notes" on B wait-notes 2 "to be filed" "left alone" &&
    sync_step "both disks: the same files, no conflict copy" in_sync_without_clash
}

# Syncthing's scan compares size and modification time: the two texts differ
# in size, so that the restarted side sees its own change.
scenario_same_note() {
  fresh_start "shared note" "bystander" &&
    sync_step "B: Syncthing stopped" qb_syncthing_stop B &&
    sync_step "A: \"shared, A\" typed into \"shared note\"" on A type "shared note" "shared, A" &&
    sync_step "B: \"shared note as B wrote it\" typed into it" on B type "shared note" "shared note as B wrote it" &&
    sync_step "B: Syncthing started, connected to A" qb_syncthing_up &&
    sync_step "both disks: note files hold both texts" both_disks_hold "shared, A" "as B wrote it" &&
    sync_step "A: both texts reachable, in notes of their own, and the bystander" \
      on A --timeout "$live_seconds" wait-notes 3 "shared, A" "as B wrote it" "bystander" &&
    sync_step "B: the same" on B --timeout "$live_seconds" wait-notes 3 "shared, A" "as B wrote it" "bystander" &&
    sync_step "both disks: the same files" wait_in_sync &&
    sync_step "both disks: the bystander's file as it was" seeded_file_unchanged "bystander"
}

# "Alpha" and "Beta" differ in length, so the two categories.txt differ in size.
scenario_categories() {
  local alpha='' beta=''
  fresh_start "alpha note" "beta note" &&
    sync_step "B: Syncthing stopped" qb_syncthing_stop B &&
    sync_step "A: a new category \"Alpha\" (A0E0FF) from \"alpha note\"" on A new-category "alpha note" Alpha A0E0FF &&
    sync_step "A: how \"alpha note\" looks" remember_look A "alpha note" alpha &&
    sync_step "B: a new category \"Beta\" (FFC0A0) from \"beta note\"" on B new-category "beta note" Beta FFC0A0 &&
    sync_step "B: how \"beta note\" looks" remember_look B "beta note" beta &&
    sync_step "B: Syncthing started, connected to A" qb_syncthing_up &&
    sync_step "both disks: categories.txt names Alpha and Beta" both_categories_name Alpha Beta &&
    sync_step "A: \"beta note\" looks as on B" on A --timeout "$live_seconds" wait-look "beta note" "$beta" &&
    sync_step "B: \"alpha note\" looks as on A" on B --timeout "$live_seconds" wait-look "alpha note" "$alpha" &&
    sync_step "A: \"alpha note\" still looks as it did" on A wait-look "alpha note" "$alpha" &&
    sync_step "B: \"beta note\" still looks as it did" on B wait-look "beta note" "$beta" &&
    sync_step "both disks: the same files" wait_in_sync
}

# ---- Running them

scenarios=(
  "check-file|harness check: a note typed and saved on A reaches B's data folder as a file|check_file"
  "check-start|harness check: a note that arrives while B's program is off shows at B's next start|check_start"
  "typed|1. a note typed on A shows on B|scenario_typed"
  "deleted|2. a note deleted on A closes on B|scenario_deleted"
  "category|3. a category added on A files notes on B|scenario_category"
  "same-note|4. both edit the same note while B's Syncthing is off: both texts on both|scenario_same_note"
  "categories|5. both add a category while B's Syncthing is off: both kept on both|scenario_categories"
)

run_scenario() {  # name, title, function
  scenario_name=$1
  step_number=0
  failed_step=
  echo
  echo "--- $1: $2"
  local started=$SECONDS
  scenario_started=$EPOCHREALTIME
  scenario_clock=$(date +%H:%M:%S)
  if "$3"; then
    results+=("passed  $1 ($((SECONDS - started))s): $2")
  else
    results+=("FAILED  $1 ($((SECONDS - started))s): $2; at $failed_step")
    failures=$((failures + 1))
  fi
}

wanted() {  # name, names asked for...
  local name=$1
  shift
  [ $# -eq 0 ] && return 0
  local asked
  for asked in "$@"; do
    [ "$asked" = "$name" ] && return 0
  done
  return 1
}

main() {
  trap qb_machines_stop EXIT
  trap 'exit 143' TERM INT
  echo "Setting up machines A and B (Wine prefixes, displays, Syncthing)..."
  local started=$SECONDS
  qb_machines_start "$root" || { echo "FAILED: the two machines could not be set up"; exit 1; }
  echo "Machines up in $((SECONDS - started))s: Syncthing A on 127.0.0.1:${qb_st_port[A]}" \
    "(GUI ${qb_st_gui[A]}), B on 127.0.0.1:${qb_st_port[B]} (GUI ${qb_st_gui[B]})"
  local entry name title function
  for entry in "${scenarios[@]}"; do
    IFS='|' read -r name title function <<<"$entry"
    wanted "$name" "$@" && run_scenario "$name" "$title" "$function"
  done
  qb_on_both quit >/dev/null
  echo
  printf '%s\n' "${results[@]}"
  [ "$failures" -eq 0 ]
}

main "$@"
