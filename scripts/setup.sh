#!/usr/bin/env bash
# Installs every Debian package the project needs; installs only what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build git
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libsdl2-mixer-dev libasound2-dev libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick libx11-dev desktop-file-utils appstream
  fonts-dejavu-core libgif-dev libsqlite3-dev libpng-dev
  dbus-daemon at-spi2-core python3-pyatspi openbox
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  time pulseaudio pulseaudio-utils weston qt6-wayland
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

# As root directly; otherwise through sudo when it is there. Without it the
# packages must be installed by someone who is root.
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "sudo is not installed; as root, run:" >&2
    echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
    echo "then run this command again." >&2
    exit 1
  fi
  SUDO=(sudo)
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
