#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when
# they are missing. Safe to run again: it installs nothing that is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  libgtest-dev libgmock-dev
  # Tests on a real X server of their own: the server, xprop, the X client
  # library's headers, and the session and accessibility buses.
  xvfb x11-utils libxcb1-dev dbus-daemon at-spi2-core
)
# Screenshots of the windows for the documentation need an X server.
if [[ "${1:-}" == "--screenshots" ]]; then
  packages+=(x11-apps imagemagick xauth fonts-dejavu-core)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
