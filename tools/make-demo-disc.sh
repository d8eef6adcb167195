#!/usr/bin/env bash
# Lays out a demo driver disc: the launcher at its root, stand-ins at the installers' places and
# a sample user's manual.
#   tools/make-demo-disc.sh DISC_DIR QUENFOR_EXE STANDIN_EXE
set -euo pipefail
disc=$1
quenfor=$2
standin=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

rm -rf "$disc"
mkdir -p "$disc/DRIVER" "$disc/ACROBAT READER" "$disc/USER MANUAL"
cp "$quenfor" "$disc/Quenfor.exe"
cp "$standin" "$disc/DRIVER/SETUP.EXE"
cp "$standin" "$disc/ACROBAT READER/Setup8.exe"
cp "$standin" "$disc/ACROBAT READER/SETUP.EXE"
"$here/make-manual-pdf.sh" "$disc/USER MANUAL/QRV512LD3T8.pdf"
# What a disc's root usually carries beside the launcher.
printf '[autorun]\r\nopen=Quenfor.exe\r\nicon=Quenfor.exe,0\r\n' >"$disc/AUTORUN.INF"
