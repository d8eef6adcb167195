#!/usr/bin/env bash
# Makes the fuzz seeds from the resources and the test data, never by hand:
#   OUT/form    the generated form with every class, the main form's structure (its comments,
#               pictures and event bindings left out, read into a plain TForm), and both in the
#               binary syntax and packed when the converter qf_formconv is built;
#   OUT/bitmap, OUT/jpeg, OUT/icon   the artwork's files and the tests' builders' files;
#   OUT/form.dict                    the form target's dictionary, from the class tables.
#   fuzz/make_seeds.sh BUILD_DIR OUT
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath "$1")
out=$2
rm -rf "$out"
mkdir -p "$out/form" "$out/bitmap" "$out/jpeg" "$out/icon"

"$build/fuzz/qf_fuzz_seeds" "$out"
cp "$root"/resources/art/*.bmp "$out/bitmap/"
cp "$root"/resources/art/*.jpg "$out/jpeg/"
cp "$root"/resources/art/*.ico "$out/icon/"
awk '/^ *#/ { next }
     !named { sub(/^[A-Za-z_0-9]+ /, "TForm "); named = 1 }
     skipping { if ($0 ~ /^ *>$/) skipping = 0; next }
     / = <$/ { skipping = 1; next }
     / = file "/ { next }
     /^ *On[A-Za-z]+ = / { next }
     { print }' "$root/resources/Form_Main.form" >"$out/form/form_main_structure.form"

for conv in "$build/tools/formconv/qf_formconv" "$root/build/linux/tools/formconv/qf_formconv"; do
  [ -x "$conv" ] || continue
  for text in "$out"/form/*.form; do
    "$conv" --to-binary "$text" "${text%.form}.bin"
    "$conv" --to-packed "$text" "${text%.form}.qfz"
  done
  break
done
