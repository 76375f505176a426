# A private Wine world: one prefix per build folder, an Xvfb display when
# asked for, one virtual desktop for every process, and a persistent Wine
# server started outside any pipe (a server that inherits a pipe keeps the
# reader waiting). Sourced by scripts/run.sh and scripts/test.sh.

qb_desktop_size=1600x1000

qb_wine_environment() {  # $1: prefix folder
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

qb_start_xvfb() {
  local display=90
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  Xvfb ":${display}" -screen 0 "${qb_desktop_size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  QB_XVFB_PID=$!
  export DISPLAY=":${display}"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then echo "Xvfb did not start" >&2; return 1; fi
    sleep 0.1
  done
}

qb_stop_xvfb() {
  if [ -n "${QB_XVFB_PID:-}" ]; then
    kill "$QB_XVFB_PID" 2>/dev/null || true
    wait "$QB_XVFB_PID" 2>/dev/null || true
    QB_XVFB_PID=
  fi
}

# First use of a prefix: create it, give it fonts (Debian's Wine does not find
# its own), a "Segoe UI" substitute, no crash dialog, no sound driver and one
# fixed virtual desktop.
qb_prepare_prefix() {
  local marker="$WINEPREFIX/.quillboard-ready"
  [ -f "$marker" ] && return 0
  echo "Preparing the Wine prefix $WINEPREFIX (first time only)..."
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/open-sans/*.ttf "$fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/liberation/*.ttf "$fonts/" 2>/dev/null || true
  local reg="$WINEPREFIX/quillboard-setup.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1600x1000"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"Segoe UI"="Open Sans"
"Arial"="Liberation Sans"
REG
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  touch "$marker"
}

qb_start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

qb_stop_wineserver() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
}

# The program's data folder in the prefix (%APPDATA%\Quillboard) as a Linux
# path; the prefix's user folder is named after the Linux user. Needs the
# Wine server started (qb_start_wineserver), as it reads Wine's output
# through a pipe.
qb_prefix_data_folder() {
  local appdata folder
  appdata=$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
  [ -n "$appdata" ] || return 1
  folder=$(winepath -u "$appdata" </dev/null 2>/dev/null)
  [ -n "$folder" ] || return 1
  echo "${folder%/}/Quillboard"
}
