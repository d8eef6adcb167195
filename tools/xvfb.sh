# shellcheck shell=bash
# Sourced: qf_xvfb_start starts a private Xvfb on a free display and exports DISPLAY;
# qf_xvfb_stop ends exactly that server.
QF_XVFB_PID=""

qf_xvfb_start() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  QF_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  if [ ! -s "$fdfile" ]; then
    echo "xvfb: did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

qf_xvfb_stop() {
  if [ -n "$QF_XVFB_PID" ]; then
    kill "$QF_XVFB_PID" 2>/dev/null || true
    wait "$QF_XVFB_PID" 2>/dev/null || true
    QF_XVFB_PID=""
  fi
}
