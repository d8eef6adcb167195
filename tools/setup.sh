#!/usr/bin/env bash
# Installs, idempotently, every Debian package that the build and the tests need.
#   tools/setup.sh          native build and tests
#   tools/setup.sh --win32  also the MinGW cross build, Wine and the X tools for the end-to-end runs
set -euo pipefail

want_win32=0
for arg in "$@"; do
  case "$arg" in
    --win32) want_win32=1 ;;
    *) echo "setup.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

native=(build-essential cmake ninja-build pkg-config git
        libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev fontconfig fonts-liberation
        libpng-dev zlib1g-dev libgtest-dev googletest libbenchmark-dev
        libx11-dev libxext-dev libxtst-dev libasound2-dev xvfb xdotool xclip x11-utils imagemagick
        libatk1.0-dev libatk-bridge2.0-dev libglib2.0-dev at-spi2-core dbus python3-pyatspi
        openbox desktop-file-utils clang libclang-rt-14-dev valgrind lintian man-db file)
win32=(g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
       wine wine32:i386 wine64 nasm dpkg-dev xorriso osslsigncode openssl)

missing() {
  local out=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || out+=("$p")
  done
  echo "${out[@]:-}"
}

export DEBIAN_FRONTEND=noninteractive
updated=0
sources_changed=0
apt_update_once() { [ $updated -eq 1 ] || { sudo_if_needed apt-get update -qq; updated=1; }; }

if [ $want_win32 -eq 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
    sources_changed=1
  fi
  # Debian's libjpeg-turbo source package is what the cross build compiles: it comes from the
  # machine's own package sources, whatever mirror they name.
  if ! grep -Eqs '^[[:space:]]*(deb-src[[:space:]]|Types:.*[[:space:]]deb-src)' /etc/apt/sources.list \
       /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
    src_lines=$(bash "$(dirname "${BASH_SOURCE[0]}")/apt-source-lines.sh")
    [ -n "$src_lines" ] || { echo "setup.sh: no package source of this release to add deb-src for" >&2; exit 1; }
    echo "$src_lines" | sudo_if_needed tee /etc/apt/sources.list.d/quenfor-src.list >/dev/null
    sources_changed=1
  fi
  # The cross build's `apt-get source libjpeg-turbo` needs the source lists, even when every
  # package is already installed.
  if [ $sources_changed -eq 1 ] || ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Version:'; then
    apt_update_once
  fi
fi

need=$(missing "${native[@]}")
if [ $want_win32 -eq 1 ]; then need="$need $(missing "${win32[@]}")"; fi
need=$(echo $need)
if [ -n "$need" ]; then
  apt_update_once
  # shellcheck disable=SC2086
  sudo_if_needed apt-get install -y -qq --no-install-recommends $need
fi
echo "setup: all packages present"
