# Two machines on one box, A and B, for the sync tests. Each machine is:
#   - a Wine prefix of its own (build/windows/wine-sync-a, -b; prepared once
#     and kept), with its own Wine server and its own Xvfb display, so that
#     its windows, mutexes and screen are its own;
#   - an APPDATA folder (build/sync/A/appdata), whose "Quillboard" folder is
#     the machine's data folder;
#   - a Syncthing instance on 127.0.0.1 (home build/sync/A/syncthing, log
#     build/sync/A/syncthing.log) that keeps that data folder in sync with
#     the other machine's: discovery, relays, NAT, usage reports and
#     upgrades off, the file watcher on with a 1 s delay.
# The whole Quillboard folder is synced, as it is for a user who puts the data
# folder inside a synced folder: notes, categories and settings files travel
# alike, and the program meets whatever a sync service brings.
#
# A machine's program is driven by build/windows/bin/sync_driver.exe run
# inside its prefix (qb_on). Sourced, after wine.sh, by tests/sync/scenarios.sh
# and bench/sync_latency.sh, which call qb_machines_start once and
# qb_machines_stop on exit.

qb_machines=(A B)
qb_sync_folder_id=quillboard
qb_step_seconds=10  # a driver step's own limit unless the caller gives one

declare -A qb_prefix qb_display qb_xvfb_pid qb_appdata
declare -A qb_st_home qb_st_id qb_st_port qb_st_gui qb_st_key qb_st_pid

qb_other() {  # machine
  if [ "$1" = A ]; then echo B; else echo A; fi
}

# Runs the command every 0.2 s until it succeeds, for at most that many
# seconds; the command's status at the end.
qb_until() {  # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

qb_data_folder() {  # machine
  echo "${qb_appdata[$1]}/Quillboard"
}

# Wine maps the Linux root to drive Z:.
qb_windows_path() {  # linux path
  local path=$1
  echo "Z:${path//\//\\}"
}

# Points Wine, the display and the driver at the machine, for this shell and
# what it starts.
qb_use_machine() {  # machine
  export WINEPREFIX=${qb_prefix[$1]}
  export DISPLAY=${qb_display[$1]}
  export QB_SYNC_APPDATA
  QB_SYNC_APPDATA=$(qb_windows_path "${qb_appdata[$1]}")
}

# Runs a driver step on the machine, bounded by the driver's own timeout and,
# should Wine itself hang, by `timeout` a little later. Its output is kept
# (in qb_last_output) and shown indented.
qb_on() {  # machine, [--timeout seconds], command, arguments...
  local machine=$1
  shift
  local seconds=$qb_step_seconds
  if [ "$1" = --timeout ]; then
    seconds=$2
    shift 2
  fi
  local output="$qb_sync_root/$machine/steps/${EPOCHREALTIME/./}-$1.txt"
  qb_last_output=$output
  local status=0
  (
    qb_use_machine "$machine"
    # Into a file: a program the driver starts inherits its output, and
    # would hold a pipe open.
    timeout -k 5 $((seconds + 30)) wine "$qb_driver" --timeout "$seconds" "$@" </dev/null >"$output" 2>&1
  ) || status=$?
  sed "s/^/      $machine: /" "$output"
  return $status
}

# The same step on both machines at once.
qb_on_both() {  # [--timeout seconds], command, arguments...
  qb_on A "$@" &
  local a=$!
  qb_on B "$@" &
  local b=$!
  local status=0
  wait "$a" || status=1
  wait "$b" || status=1
  return $status
}

qb_prepare_machine() {  # machine
  local machine=$1
  qb_start_xvfb || return 1
  qb_display[$machine]=$DISPLAY
  qb_xvfb_pid[$machine]=$QB_XVFB_PID
  QB_XVFB_PID=
  qb_prefix[$machine]="$qb_root/build/windows/wine-sync-${machine,,}"
  qb_appdata[$machine]="$qb_sync_root/$machine/appdata"
  mkdir -p "$(qb_data_folder "$machine")" "$qb_sync_root/$machine/steps"
  qb_use_machine "$machine"
  qb_prepare_prefix
  qb_start_wineserver
}

# ---- Syncthing

# Ports nothing listens on, from a random start, so that runs in other work
# trees rarely try the same ones: sets qb_ports.
qb_free_ports() {  # count
  local port=$((20000 + RANDOM % 20000))
  qb_ports=()
  while [ ${#qb_ports[@]} -lt "$1" ]; do
    port=$((port + 1))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || qb_ports+=("$port")
  done
}

# The folder's settings that matter are written out: a setting left out of
# config.xml takes Go's zero value, not Syncthing's default, and a
# maxConflicts of 0 would silently drop the losing side of a clash.
qb_syncthing_config() {  # machine
  local self=$1 other
  other=$(qb_other "$1")
  cat <<XML
<configuration version="36">
    <folder id="$qb_sync_folder_id" label="Quillboard" path="$(qb_data_folder "$self")" type="sendreceive"
            rescanIntervalS="3600" fsWatcherEnabled="true" fsWatcherDelayS="1" autoNormalize="true">
        <device id="${qb_st_id[$self]}"></device>
        <device id="${qb_st_id[$other]}"></device>
        <minDiskFree unit="%">1</minDiskFree>
        <maxConflicts>10</maxConflicts>
    </folder>
    <device id="${qb_st_id[$self]}" name="machine $self"><address>dynamic</address></device>
    <device id="${qb_st_id[$other]}" name="machine $other"><address>tcp://127.0.0.1:${qb_st_port[$other]}</address></device>
    <gui enabled="true" tls="false">
        <address>127.0.0.1:${qb_st_gui[$self]}</address>
        <apikey>${qb_st_key[$self]}</apikey>
    </gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${qb_st_port[$self]}</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <startBrowser>false</startBrowser>
        <reconnectionIntervalS>5</reconnectionIntervalS>
    </options>
</configuration>
XML
}

# A key and a certificate for each instance, then each one's configuration
# naming the other.
qb_syncthing_configure() {
  qb_free_ports 4
  local machine index=0
  for machine in "${qb_machines[@]}"; do
    qb_st_home[$machine]="$qb_sync_root/$machine/syncthing"
    qb_st_port[$machine]=${qb_ports[$index]}
    qb_st_gui[$machine]=${qb_ports[$((index + 1))]}
    qb_st_key[$machine]="quillboard-$machine-$RANDOM$RANDOM"
    index=$((index + 2))
    syncthing generate --home="${qb_st_home[$machine]}" --no-default-folder >/dev/null 2>&1 || return 1
    qb_st_id[$machine]=$(syncthing --home="${qb_st_home[$machine]}" --device-id) || return 1
  done
  for machine in "${qb_machines[@]}"; do
    qb_syncthing_config "$machine" >"${qb_st_home[$machine]}/config.xml"
  done
}

qb_syncthing_get() {  # machine, REST path
  curl -s --max-time 5 -H "X-API-Key: ${qb_st_key[$1]}" "http://127.0.0.1:${qb_st_gui[$1]}$2"
}

qb_syncthing_post() {  # machine, REST path
  curl -s --max-time 30 -X POST -H "X-API-Key: ${qb_st_key[$1]}" "http://127.0.0.1:${qb_st_gui[$1]}$2"
}

qb_syncthing_answers() {  # machine
  qb_syncthing_get "$1" /rest/system/ping | grep -q pong
}

# The instance has a connection up to the other machine's.
qb_syncthing_connected() {  # machine
  local other
  other=$(qb_other "$1")
  qb_syncthing_get "$1" /rest/system/connections | tr -d ' \n' |
    grep -q "\"${qb_st_id[$other]}\":{[^}]*\"connected\":true"
}

qb_syncthing_start() {  # machine
  local machine=$1
  [ -n "${qb_st_pid[$machine]:-}" ] && return 0
  STNOUPGRADE=1 syncthing serve --home="${qb_st_home[$machine]}" --no-browser --no-restart \
    --gui-address="127.0.0.1:${qb_st_gui[$machine]}" </dev/null >>"$qb_sync_root/$machine/syncthing.log" 2>&1 &
  qb_st_pid[$machine]=$!
  qb_until 30 qb_syncthing_answers "$machine" || { echo "Syncthing of machine $machine does not answer"; return 1; }
}

# Stops the instance by its process id, with the process it runs the
# folders in (syncthing serve keeps a monitor process above it even with
# --no-restart), and waits until both have gone.
qb_syncthing_stop() {  # machine
  local machine=$1 pid=${qb_st_pid[$1]:-}
  [ -z "$pid" ] && return 0
  local pids=("$pid") child
  for child in $(ps -o pid= --ppid "$pid"); do pids+=("$child"); done
  kill "${pids[@]}" 2>/dev/null
  if ! qb_until 20 qb_processes_gone "${pids[@]}"; then
    kill -9 "${pids[@]}" 2>/dev/null
    qb_until 5 qb_processes_gone "${pids[@]}"
  fi
  wait "$pid" 2>/dev/null
  qb_st_pid[$machine]=
}

qb_processes_gone() {  # pid...
  local pid
  for pid in "$@"; do
    kill -0 "$pid" 2>/dev/null && return 1
  done
  return 0
}

# Both instances run and each has the other connected.
qb_syncthing_up() {
  qb_syncthing_start A && qb_syncthing_start B || return 1
  qb_until 30 qb_syncthing_connected A && qb_until 30 qb_syncthing_connected B && return 0
  echo "the two Syncthing instances did not connect within 30 s"
  return 1
}

# ---- The two data folders

qb_compare_data_folders() {
  diff -r -q --exclude=.stfolder --exclude='.syncthing.*' --exclude='*.tmp' \
    "$(qb_data_folder A)" "$(qb_data_folder B)"
}

qb_data_folders_alike() {
  qb_compare_data_folders >/dev/null 2>&1
}

# Why Syncthing may not have brought the folders together: the last words
# of each instance about pulling since that time of day (a file changed on
# disk while it was pulling it makes it pause the folder for a minute).
qb_syncthing_complaints() {  # [HH:MM:SS]
  local machine since=${1:-00:00:00}
  for machine in "${qb_machines[@]}"; do
    grep -E 'Puller|Failed to sync|sync progress' "$qb_sync_root/$machine/syncthing.log" |
      awk -v since="$since" '$2 >= since' | tail -n 4 | sed "s/^/        Syncthing $machine: /"
  done
}

qb_explain_difference() {  # seconds waited
  echo "      the data folders are not in sync after $1 s:"
  qb_compare_data_folders 2>&1 | sed "s|$qb_sync_root/||g; s/^/        /"
}

# Both data folders hold the same files, byte for byte (Syncthing's and the
# program's temporary files aside), as they come through the file watcher.
qb_wait_data_folders_alike() {  # seconds
  qb_until "$1" qb_data_folders_alike && return 0
  qb_explain_difference "$1"
  return 1
}

# The instance has scanned, needs nothing from the other, and the other
# needs nothing from it.
qb_syncthing_idle() {  # machine
  local other status completion
  other=$(qb_other "$1")
  status=$(qb_syncthing_get "$1" "/rest/db/status?folder=$qb_sync_folder_id" | tr -d ' \n')
  [[ $status == *'"state":"idle"'* && $status == *'"needTotalItems":0,'* ]] || return 1
  completion=$(qb_syncthing_get "$1" "/rest/db/completion?folder=$qb_sync_folder_id&device=${qb_st_id[$other]}" |
    tr -d ' \n')
  [[ $completion == *'"needItems":0,'* && $completion == *'"needDeletes":0,'* ]]
}

qb_settled() {
  qb_syncthing_idle A && qb_syncthing_idle B && qb_data_folders_alike
}

# For the harness's own steps between scenarios: both instances scan now
# (not waiting for the watcher), then both folders come to the same files
# with nothing left to exchange.
qb_settle() {  # seconds
  local machine
  for machine in "${qb_machines[@]}"; do
    qb_syncthing_post "$machine" "/rest/db/scan?folder=$qb_sync_folder_id" >/dev/null
  done
  qb_until "$1" qb_settled && return 0
  qb_explain_difference "$1"
  return 1
}

# ---- The whole set

qb_machines_start() {  # the top of the work tree
  qb_root=$1
  qb_sync_root="$qb_root/build/sync"
  qb_driver="$qb_root/build/windows/bin/sync_driver.exe"
  if [ ! -f "$qb_driver" ]; then echo "No $qb_driver: build the windows preset first."; return 1; fi
  rm -rf "$qb_sync_root"
  mkdir -p "$qb_sync_root"
  qb_wine_environment "$qb_root/build/windows/wine-sync-a"
  local machine
  for machine in "${qb_machines[@]}"; do
    qb_prepare_machine "$machine" || return 1
  done
  qb_syncthing_configure || { echo "Syncthing could not make its keys and configuration"; return 1; }
  qb_syncthing_up
}

# Stops everything qb_machines_start started, whatever state it is in:
# Syncthing by process id, the Wine servers (with the programs in them), the
# displays. The folders under build/sync stay for a look after a failure.
qb_machines_stop() {
  local machine
  for machine in "${qb_machines[@]}"; do
    qb_syncthing_stop "$machine"
  done
  for machine in "${qb_machines[@]}"; do
    [ -n "${qb_prefix[$machine]:-}" ] || continue
    WINEPREFIX=${qb_prefix[$machine]} qb_stop_wineserver
  done
  for machine in "${qb_machines[@]}"; do
    QB_XVFB_PID=${qb_xvfb_pid[$machine]:-}
    qb_stop_xvfb
    qb_xvfb_pid[$machine]=
  done
}
