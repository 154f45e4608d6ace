#!/usr/bin/env bash
# Installs, from Debian's own packages, whatever the game, its generator and its tests need.
# Idempotent: when everything is present it only asks dpkg and returns within seconds.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev
  libglfw3-dev libglew-dev libassimp-dev libfreetype-dev libinih-dev libglm-dev libbullet-dev
  libgtest-dev nlohmann-json3-dev libpng-dev libsquish-dev libopenal-dev
  xvfb xauth x11-utils libgl1-mesa-dri libglx-mesa0 mesa-utils
  fonts-liberation
  imagemagick xdotool tesseract-ocr
  lintian appstream desktop-file-utils
  nodejs
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

# The machine's Node.js may carry its own npm; Debian's npm package is only needed where it does not.
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
