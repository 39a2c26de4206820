#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and starts the installed toko
# headless: on a folder that is not a shop it says so and ends with exit code
# 1; on a demo shop kept plain for other programs it waits at the login. A
# probe copied beside it exports through the libraries the program finds from
# there.
#   installed_toko.sh BUILD_FOLDER EXPORT_PROBE
set -euo pipefail
build=$1 probe=$2
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
bin=$work/root/usr/bin
cp "$probe" "$bin/"
written=$(env -u LD_LIBRARY_PATH "$bin/$(basename "$probe")" "$work/laporan" 2>&1) || true
grep -q "Uji-1.html" <<<"$written" && grep -q "Uji-1.xlsx" <<<"$written" ||
  { echo "the installed export libraries were not found: $written"; exit 1; }

# The installed program must not load anything from the build folder.
if readelf -d "$bin/toko" | grep -q "$build"; then echo "toko's run path names the build folder"; exit 1; fi

# Asked for its version or help, it answers without any display.
version=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$bin/toko" --version)
[[ $version =~ ^toko\ [0-9]+\.[0-9]+ ]] ||
  { echo "toko --version said: $version"; exit 1; }
env -u QT_QPA_PLATFORM -u DISPLAY "$bin/toko" --help | grep -q -- "--shop FOLDER"

said=$(cd "$work" && "$bin/toko" 2>&1) && { echo "started without a shop folder"; exit 1; }
grep -q "Folder toko belum dipilih" <<<"$said" || { echo "unexpected: $said"; exit 1; }

shop=$work/shop
mkdir "$shop"
"$bin/toko-initdb" --demo "$shop/toko.db3" >/dev/null
# Kept plain for another program, it still starts.
"$bin/toko-initdb" --plain "$shop/toko.db3" | grep -q "byte sesudah" ||
  { echo "toko-initdb --plain did not report the file's size"; exit 1; }
printf 'toko.db3;-;-\n' >"$shop/conn.txt"
"$bin/toko" --shop "$shop" >"$work/said" 2>&1 &
pid=$!
sleep 3
kill -0 "$pid" || { echo "toko ended instead of waiting at the login:"; cat "$work/said"; exit 1; }
if grep -q "^Info:" "$work/said"; then cat "$work/said"; exit 1; fi
echo "installed toko waits at the login"
