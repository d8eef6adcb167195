#!/usr/bin/env bash
# A vendor's signature: with a throwaway root and a code-signing certificate under it (its key
# behind a passphrase, given in a file), the disc's Quenfor.exe verifies against that root, keeps
# its header's flag and a valid checksum, and is the one the image carries; the same sources and
# key sign to the same bytes. A wrong passphrase stops the disc and leaves the last one whole.
#   tests/e2e/disc_sign_test.sh MAKE_DISC_CMAKE CONTENT_LIST LAUNCHER_EXE QF_PE
set -euo pipefail
script=$1
list=$2
launcher=$3
pe=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$work"

quiet() { "$@" >/dev/null 2>&1 || fail "$*"; }
printf 'vendor pass phrase\n' >pass.txt
printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >leaf.cnf
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 2 \
  -subj "/CN=Quenfor test root" -addext basicConstraints=critical,CA:true \
  -addext keyUsage=critical,keyCertSign
quiet openssl req -newkey rsa:2048 -keyout leaf.key -passout file:pass.txt -out leaf.csr \
  -subj "/CN=Quenfor test vendor"
quiet openssl x509 -req -in leaf.csr -CA root.pem -CAkey root.key -CAcreateserial -days 2 \
  -extfile leaf.cnf -out leaf.pem
cat leaf.pem root.pem >chain.pem

while IFS= read -r path; do
  mkdir -p "content/$(dirname "$path")"
  echo x >"content/$path"
done < <(grep -v '^#' "$list")

# make_disc NAME PASS_FILE: the disc in NAME/ (root and image), signed.
make_disc() {
  cmake -DCONTENT="$work/content" -DLIST="$list" -DLAUNCHER="$launcher" -DROOT="$work/$1/root" \
        -DIMAGE="$work/$1/disc.iso" -DLABEL=TEST -DXORRISO="$(command -v xorriso)" \
        -DSOURCE_DIR="$work" -DSIGN_CERT="$work/chain.pem" -DSIGN_KEY="$work/leaf.key" \
        -DSIGN_PASS_FILE="$work/$2" \
        -DOSSLSIGNCODE="$(command -v osslsigncode)" -P "$script" >"$1.out" 2>&1
}

make_disc a pass.txt || fail "signing refused: $(cat a.out)"
osslsigncode verify -CAfile root.pem -in a/root/Quenfor.exe >verify.out 2>&1 ||
  fail "the signature does not verify: $(cat verify.out)"
grep -q '^Signature verification: ok' verify.out || fail "verify says: $(cat verify.out)"
header=$("$pe" --header a/root/Quenfor.exe)
grep -q '(run from swap on removable media)' <<<"$header" || fail "the flag is lost: $header"
read -r given computed < <(sed -n 's/^checksum \(0x[0-9A-F]*\), computed \(0x[0-9A-F]*\)$/\1 \2/p' <<<"$header")
[ -n "$given" ] && [ "$given" = "$computed" ] || fail "the checksum does not hold: $header"
xorriso -no_rc -report_about SORRY -osirrox on -indev a/disc.iso -extract /Quenfor.exe iso.exe \
  >/dev/null 2>&1
cmp -s iso.exe a/root/Quenfor.exe || fail "the image does not carry the signed Quenfor.exe"
echo "signed: verifies against its root, flag and checksum kept, carried by the image"

make_disc b pass.txt || fail "second signing refused: $(cat b.out)"
cmp -s a/disc.iso b/disc.iso || fail "the same sources and key gave another image"

printf 'not the phrase\n' >wrong.txt
if make_disc a wrong.txt; then fail "a wrong passphrase signed"; fi
tr -s ' \n' ' ' <a.out | grep -q "signing .* failed (.*); nothing was written" ||
  fail "no word on the failed signing: $(cat a.out)"
cmp -s a/disc.iso b/disc.iso && cmp -s a/root/Quenfor.exe iso.exe ||
  fail "a failed signing touched the last disc"
echo "ok: the disc signs reproducibly, and a wrong passphrase writes nothing"
