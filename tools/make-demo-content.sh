#!/usr/bin/env bash
# Lays out the demo disc's content: stand-ins at the installers' places and a sample user's
# manual, under the names the launcher opens.
#   tools/make-demo-content.sh CONTENT_DIR STANDIN_EXE
set -euo pipefail
content=$1
standin=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

rm -rf "$content"
mkdir -p "$content/DRIVER" "$content/ACROBAT READER" "$content/USER MANUAL"
cp "$standin" "$content/DRIVER/SETUP.EXE"
cp "$standin" "$content/ACROBAT READER/Setup8.exe"
cp "$standin" "$content/ACROBAT READER/SETUP.EXE"
"$here/make-manual-pdf.sh" "$content/USER MANUAL/QRV512LD3T8.pdf"
