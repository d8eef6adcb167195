#!/usr/bin/env bash
# Writes the demo disc's user's manual: a small one-page PDF with real text, written by hand so
# that it needs no tool at all.
#   tools/make-manual-pdf.sh OUT.pdf
set -euo pipefail
export LC_ALL=C
out=$1

lines=(
  "/F2 24 Tf 72 700 Td (Orvandel Wireless USB Adapter) Tj"
  "/F1 14 Tf 0 -28 Td (User's Manual - Model QRV512) Tj"
  "/F1 11 Tf 0 -40 Td (1. Insert the installation CD. The launcher starts by itself.) Tj"
  "0 -18 Td (2. Choose Install Driver & Utility and follow the installer.) Tj"
  "0 -18 Td (3. Plug the adapter into a free USB port when asked.) Tj"
  "0 -18 Td (4. Open the utility to choose your wireless network.) Tj"
  "0 -36 Td (This sample manual belongs to the demo disc of the launcher.) Tj"
  "0 -300 Td (Copyright \\(C\\) Tolvane Corporation. All rights reserved.) Tj"
)
content="BT"
for l in "${lines[@]}"; do content="$content $l"; done
content="$content ET"

objects=(
  "<< /Type /Catalog /Pages 2 0 R >>"
  "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"
  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font << /F1 5 0 R /F2 6 0 R >> >> >>"
  "<< /Length ${#content} >>
stream
$content
endstream"
  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"
  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold >>"
)

body="%PDF-1.4
"
offsets=()
for i in "${!objects[@]}"; do
  offsets+=("${#body}")
  body="$body$((i + 1)) 0 obj
${objects[$i]}
endobj
"
done
xref=${#body}
body="${body}xref
0 $(( ${#objects[@]} + 1 ))
0000000000 65535 f 
"
for o in "${offsets[@]}"; do body="$body$(printf '%010d' "$o") 00000 n 
"; done
body="${body}trailer
<< /Size $(( ${#objects[@]} + 1 )) /Root 1 0 R >>
startxref
$xref
%%EOF
"
printf '%s' "$body" >"$out"
# The offsets above count bytes: the text is ASCII throughout.
