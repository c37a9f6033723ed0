# Shared by the scripts: run from the repository root, install Debian packages
# only when something is missing.
set -euo pipefail

ZR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$ZR_ROOT"

# Packages every build needs.
ZR_BUILD_PACKAGES=(
  g++ cmake ninja-build pkg-config
  # The man page, made from the program's --help.
  help2man
  # Debian's hardening flags for the release build (dpkg-buildflags).
  dpkg-dev
  # What the bash completion's test runs in.
  bash-completion
  qt6-base-dev qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The package database: Qt's ODBC driver, the ODBC driver manager and the
  # SQL Server driver (FreeTDS).
  libqt6sql6-odbc unixodbc tdsodbc
  # The window's fonts: Arial's metrics and a Chinese font.
  fonts-liberation fonts-wqy-microhei
  # Qt's own texts in Chinese: the message boxes' buttons of a Chinese window.
  qt6-translations-l10n
)

# Packages the tests need besides those: Python's codecs are the reference the
# code page tables are checked against.
ZR_TEST_PACKAGES=(python3)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PKG...: apt-get install whatever of PKG is not installed yet;
# 'apt-get update' runs only when something is missing.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_preset NAME: configure and build one CMake preset.
build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}
