# shellcheck shell=bash
# Sourced by the Wine scripts: the project's private, quiet 32-bit prefix, and the helpers that
# create it and start and stop its wineserver. Nothing here touches the user's own ~/.wine.

QF_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QF_WINE_DIR="${QF_WINE_DIR:-$QF_ROOT/.cache/wine}"

export WINEPREFIX="$QF_WINE_DIR/prefix"
export WINEARCH=win32
# No mono or gecko installer prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
# A HOME of our own: its .asoundrc gives Wine's mixer a null sound device to talk to.
export HOME="$QF_WINE_DIR/home"

QF_WINE_STAMP="$WINEPREFIX/.qf-prefix-ready"

qf_wine_prefix_ensure() {
  mkdir -p "$HOME"
  printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
  [ -f "$QF_WINE_STAMP" ] && return 0
  echo "wine: creating the prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  # Without a window manager every hide or destroy waits 2 s for a withdrawn state; unmanaged
  # windows do not.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$QF_WINE_STAMP"
}

# Services that Wine starts during a test would otherwise inherit ctest's output pipe and keep it
# open: start them first, outside any pipe, in a persistent server.
qf_wine_session_start() {
  wineserver -w
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

qf_wine_session_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
