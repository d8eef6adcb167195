# shellcheck shell=bash
# Sourced after tools/wine-env.sh: puts a demo disc in the Wine prefix as drive D: and, on
# request, makes a given program the prefix's viewer of PDF documents.

# qf_disc_mount DISC_DIR: D: is that folder from now on.
qf_disc_mount() {
  local disc
  disc=$(cd "$1" && pwd)
  rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/d::"
  ln -s "$disc" "$WINEPREFIX/dosdevices/d:"
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
