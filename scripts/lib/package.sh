# Builds the two things a Windows user downloads, from the Windows build in
# build/windows: build/dist/Quillboard-Setup-<version>.exe (the NSIS
# installer) and build/dist/Quillboard-<version>.zip (the program and a
# read-me). The version is the one CMake wrote from the project version.
# Sourced by scripts/package.sh and scripts/test.sh.

qb_dist_dir="build/dist"

# The version of the configured Windows build, as CMake wrote it.
qb_package_version() {
  local file="build/windows/version.txt"
  if [ ! -s "$file" ]; then
    echo "No $file: configure the Windows build first (cmake --preset windows)." >&2
    return 1
  fi
  tr -d '[:space:]' <"$file"
}

qb_installer_path() {  # version
  echo "$qb_dist_dir/Quillboard-Setup-$1.exe"
}

qb_zip_path() {  # version
  echo "$qb_dist_dir/Quillboard-$1.zip"
}

# The picture on the installer's first and last pages: the logo on the
# quill's blue, at the 164 x 314 pixels those pages show.
qb_build_wizard_bitmap() {  # output file
  convert -size 164x314 gradient:'#3A6EA5'-'#1D3557' \
    \( resources/logo.png -resize 136x136 \) -gravity north -geometry +0+56 -composite \
    -type TrueColor BMP3:"$1"
}

qb_build_installer() {
  local version
  version=$(qb_package_version) || return 1
  mkdir -p "$qb_dist_dir"
  local wizard_bitmap="build/windows/installer-wizard.bmp"
  qb_build_wizard_bitmap "$wizard_bitmap" || return 1
  makensis -V2 -NOCD -INPUTCHARSET UTF8 \
    "-DQB_VERSION=$version" \
    "-DQB_WIZARD_BITMAP=$PWD/$wizard_bitmap" \
    "-DQB_PROGRAM=$PWD/build/windows/bin/Quillboard.exe" \
    "-DQB_ICON=$PWD/resources/quillboard.ico" \
    "-DQB_OUTPUT=$PWD/$(qb_installer_path "$version")" \
    installer/quillboard.nsi
}

qb_build_zip() {
  local version
  version=$(qb_package_version) || return 1
  mkdir -p "$qb_dist_dir"
  local staging="build/windows/zip-staging"
  rm -rf "$staging"
  mkdir -p "$staging"
  cp build/windows/bin/Quillboard.exe "$staging/"
  # Windows line ends, so that any editor shows the read-me as it is meant.
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' installer/README-zip.txt >"$staging/README.txt"
  local zip_file
  zip_file="$PWD/$(qb_zip_path "$version")"
  rm -f "$zip_file"
  (cd "$staging" && zip -q -X "$zip_file" Quillboard.exe README.txt)
}

# The limits the downloads keep to: a single static exe (no DLL of the
# compiler's beside it) under 1 MB, the installer under 2 MB.
qb_check_package_sizes() {
  local version
  version=$(qb_package_version) || return 1
  local exe="build/windows/bin/Quillboard.exe"
  local installer
  installer=$(qb_installer_path "$version")
  local ok=0
  local exe_bytes installer_bytes
  exe_bytes=$(stat -c %s "$exe") || return 1
  installer_bytes=$(stat -c %s "$installer") || return 1
  echo "Quillboard.exe: $exe_bytes bytes; $(basename "$installer"): $installer_bytes bytes"
  if [ "$exe_bytes" -ge 1048576 ]; then echo "Quillboard.exe is 1 MB or more" >&2; ok=1; fi
  if [ "$installer_bytes" -ge 2097152 ]; then echo "The installer is 2 MB or more" >&2; ok=1; fi
  local foreign
  foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' \
    | grep -iE '^(lib|mingw|msvcp|vcruntime)' || true)
  if [ -n "$foreign" ]; then echo "Quillboard.exe needs DLLs beside it: $foreign" >&2; ok=1; fi
  return $ok
}
