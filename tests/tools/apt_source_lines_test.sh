#!/usr/bin/env bash
# tools/apt-source-lines.sh on made-up package sources in both formats: deb-src lines for the
# binary entries of one release only, with their own mirrors, suites, components and keys.
set -euo pipefail
script=$1
apt=$(mktemp -d)
trap 'rm -rf "$apt"' EXIT
mkdir "$apt/sources.list.d"

cat >"$apt/sources.list" <<'LIST'
# a comment
deb http://mirror.example/debian bookworm main contrib # and a remark
deb [arch=amd64 signed-by=/keys/x.gpg] http://mirror.example/debian bookworm-updates main
deb-src http://src.example/debian bookworm main
deb http://other.example/apt cloud-bookworm main
deb http://old.example/debian bullseye main
LIST
cat >"$apt/sources.list.d/a.sources" <<'STANZAS'
Types: deb
URIs: http://a.example/debian http://b.example/debian
Suites: bookworm bookworm-security
Components: main non-free
Signed-By: /keys/debian.gpg

Types: deb
URIs: http://off.example/debian
Suites: bookworm
Components: main
Enabled: no

Types: deb-src
URIs: http://only-src.example/debian
Suites: bookworm
Components: main
STANZAS

expected='deb-src [arch=amd64 signed-by=/keys/x.gpg] http://mirror.example/debian bookworm-updates main
deb-src [signed-by=/keys/debian.gpg] http://a.example/debian bookworm main non-free
deb-src [signed-by=/keys/debian.gpg] http://a.example/debian bookworm-security main non-free
deb-src [signed-by=/keys/debian.gpg] http://b.example/debian bookworm main non-free
deb-src [signed-by=/keys/debian.gpg] http://b.example/debian bookworm-security main non-free
deb-src http://mirror.example/debian bookworm main contrib'
actual=$(bash "$script" "$apt" bookworm)
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  echo "FAIL: deb-src lines differ (< expected, > actual)" >&2
  exit 1
fi

rm "$apt/sources.list" "$apt/sources.list.d/a.sources"
[ -z "$(bash "$script" "$apt" bookworm)" ] || { echo "FAIL: lines without any source" >&2; exit 1; }
echo "ok: deb-src lines from both formats"
