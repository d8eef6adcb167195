# shellcheck shell=bash
# Sourced after tools/wine-env.sh: unpacks a disc image, puts it in the Wine prefix as the CD-ROM
# drive D: and, on request, makes a given program the prefix's viewer of PDF documents.

# qf_disc_extract IMAGE DIR: DIR holds the image's files under the names Windows reads (Joliet),
# read-only as on a disc; no mounting.
qf_disc_extract() {
  local out
  [ -f "$1" ] || { echo "wine-disc: no disc image $1" >&2; return 1; }
  qf_disc_remove "$2"
  if ! out=$(xorriso -no_rc -report_about SORRY -read_fs norock -osirrox on -indev "$1" \
             -extract / "$2" 2>&1 >/dev/null); then
    echo "$out" >&2
    return 1
  fi
}

# qf_disc_remove DIR: removes what qf_disc_extract left.
qf_disc_remove() {
  [ -e "$1" ] || return 0
  chmod -R u+w "$1"
  rm -rf "$1"
}

# qf_disc_mount DISC_DIR: D: is that folder from now on, a drive of type CD-ROM.
qf_disc_mount() {
  local disc
  disc=$(cd "$1" && pwd)
  rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/d::"
  ln -s "$disc" "$WINEPREFIX/dosdevices/d:"
  wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f </dev/null >/dev/null 2>&1
  # Wine's mount manager reads the drive types when its session starts: end this one.
  wineserver -w
}

# qf_disc_autorun DISC_DIR: the command that AUTORUN.INF's open= gives, as a path on D:.
qf_disc_autorun() {
  local open
  open=$(sed -n 's/^open=//Ip' "$1/AUTORUN.INF" | tr -d '\r' | head -n1)
  [ -n "$open" ] || { echo "wine-disc: $1/AUTORUN.INF has no open= line" >&2; return 1; }
  echo "D:\\$open"
}

# qf_pdf_viewer EXE: PDF documents open with a copy of EXE (C:\qf\viewer.exe "document").
# Wine's HKEY_CLASSES_ROOT is HKLM\Software\Classes only: a per-user class would not count.
qf_pdf_viewer() {
  mkdir -p "$WINEPREFIX/drive_c/qf"
  cp "$1" "$WINEPREFIX/drive_c/qf/viewer.exe"
  wine reg add 'HKCR\.pdf' /ve /d QfDocument /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCR\QfDocument\shell\open\command' /ve /d '"C:\qf\viewer.exe" "%1"' /f \
    </dev/null >/dev/null 2>&1
}
