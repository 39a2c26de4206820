#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds
# and the packages it depends on.   debian_package.sh BUILD_FOLDER LIBRARY_FOLDER
set -euo pipefail
build=$1 libraries=./usr/$2
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/toko_*.deb)

files=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in ./usr/bin/toko ./usr/bin/toko-initdb \
  "$libraries/libwebtable.so" "$libraries/libsheettable.so" \
  ./usr/share/applications/id.toko.Toko.desktop ./usr/share/metainfo/id.toko.Toko.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/id.toko.Toko.svg \
  ./usr/share/icons/hicolor/48x48/apps/id.toko.Toko.png \
  ./usr/share/icons/hicolor/256x256/apps/id.toko.Toko.png \
  ./usr/share/doc/toko/copyright ./usr/share/man/man1/toko.1.gz; do
  grep -qxF "$file" <<<"$files" || { echo "missing from the package: $file"; exit 1; }
done
if grep -q "^./usr/local\|^./home\|^./root" <<<"$files"; then echo "stray files:"; echo "$files"; exit 1; fi

depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libsqlite3-0 libsodium23 \
  libxlsxwriter fonts-liberation2; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
echo "$(basename "$package"): ${depends}"
