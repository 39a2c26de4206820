#!/usr/bin/env bash
# Installs what is missing, builds, and then either starts toko on a shop
# folder or runs every test headless.
#
#   ./setup.sh start   install, build, make the demo shop in ./shop on first run, start toko there
#   ./setup.sh test    install, build, run every test headless
#
# TOKO_SHOP=/path/to/shop ./setup.sh start   starts toko on another shop folder.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build="$here/build"
# Compiled objects are reused across checkouts in other folders (CI clones afresh).
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=true

packages=(
  g++ cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev qt6-svg-dev libx11-dev libsqlite3-dev libpq-dev libsodium-dev libbenchmark-dev libcups2-dev
  libxlsxwriter-dev libzint-dev fonts-liberation2 fonts-dejavu-core
)
# The tests read exported spreadsheets back with Debian's python3, build the
# package, mount a small ext4 image (as root) to check the journal on it, and
# read printed PDFs back with pdftotext (their bar codes with zbarimg); a
# throwaway PostgreSQL server runs the tests that need one.
test_packages=(python3 python3-openpyxl dpkg-dev e2fsprogs mount poppler-utils zbar-tools
  postgresql-15)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These packages are missing: ${missing[*]}" >&2
      echo "Run this script as root once, or install sudo, to install them." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# build [TARGET...]: everything, or only the targets named.
build() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  if [ $# -eq 0 ]; then
    cmake --build "$build"
  else
    cmake --build "$build" --target "$@"
  fi
}

# A demo shop: sample products, customers and suppliers, user "admin".
make_demo_shop() {
  local shop=$1
  [ -f "$shop/conn.txt" ] && return
  mkdir -p "$shop"
  [ -f "$shop/toko.db3" ] || "$build/tools/toko-initdb" --demo "$shop/toko.db3"
  printf 'toko.db3;-;-\n' >"$shop/conn.txt"
  printf 'Toko Sumber Makmur;Jl. Pahlawan No. 17, Yogyakarta;0274-555123\n' >"$shop/toko.txt"
  printf 'Terima kasih atas kunjungan Anda\nBarang yang sudah dibeli tidak dapat ditukar\n' \
    >"$shop/footer.txt"
}

case "${1:-}" in
start)
  install_missing
  build toko toko-initdb
  shop=${TOKO_SHOP:-$here/shop}
  make_demo_shop "$shop"
  cd "$shop"
  exec "$build/toko"
  ;;
test)
  packages+=("${test_packages[@]}")
  install_missing
  build
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2
  ;;
*)
  echo "usage: $0 start|test" >&2
  exit 2
  ;;
esac
