#!/usr/bin/env bash
# Installs the Debian packages Garvel needs to build, test and run.
# Idempotent: prints nothing and touches nothing when everything is present;
# runs `apt-get update` only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libxml2-dev libzip-dev libjpeg-dev libcurl4-openssl-dev libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  wkhtmltopdf xdg-utils poppler-utils zip unzip
  desktop-file-utils shared-mime-info
  fonts-dejavu-core
  python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
