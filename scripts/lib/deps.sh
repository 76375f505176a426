# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/run.sh and scripts/test.sh.

qb_packages=(
  cmake ninja-build g++ clang googletest
  g++-mingw-w64-x86-64 mingw-w64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils imagemagick fonts-open-sans fonts-liberation
  syncthing curl
)

qb_install_deps() {
  local missing=()
  local package
  for package in "${qb_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}
