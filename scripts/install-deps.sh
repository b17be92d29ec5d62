#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent: packages already present are skipped, apt-get update runs once.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-psql libgl-dev
  postgresql postgresql-contrib postgresql-15-plpgsql-check
  liborcus-dev libfreexl-dev libxlsxwriter-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth poppler-utils fonts-dejavu-core clang-format
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All required packages are installed."
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root (or install sudo) to install them." >&2
    exit 1
  fi
fi

echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
