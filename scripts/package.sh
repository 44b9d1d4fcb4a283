#!/usr/bin/env bash
# Builds the Debian package build/release/garvel_<version>_amd64.deb from a
# release build of the two programs and checks that it declares what the
# programs need at run time. Install it with
#   sudo apt install ./build/release/garvel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release garvel garvelctl
cd build/release
rm -f garvel_*.deb
cpack -G DEB >/dev/null
deb=$(ls garvel_*_amd64.deb)
info=$(dpkg-deb --info "$deb")
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
missing=()
for lib in libqt6widgets6 libqt6printsupport6 libxml2 libzip libjpeg libcurl libicu wkhtmltopdf xdg-utils; do
  [[ ", $depends" == *", $lib"* ]] || missing+=("$lib")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "$deb: Depends lacks ${missing[*]}" >&2
  echo "Depends: $depends" >&2
  exit 1
fi
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/garvel ./usr/bin/garvelctl ./usr/share/applications/garvel.desktop \
            ./usr/share/mime/packages/garvel.xml ./usr/share/icons/hicolor/48x48/apps/garvel.png \
            ./usr/share/garvel/catalogue/catalogue.txt; do
  grep -q " $file\$" <<<"$contents" || { echo "$deb: $file missing" >&2; exit 1; }
done
echo "build/release/$deb"
echo "Depends: $depends"
