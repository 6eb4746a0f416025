# Settings shared by make-template and wine-run (sourced, not run).

# The size of the private X screen and of Wine's virtual desktop on it.
QZ_BED_SCREEN=1024x768
# No Mono/Gecko look-ups; no menu entries or file associations written into HOME.
QZ_BED_DLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# qz_bed_select_arch win64|win32: sets QZ_BED_LOADER and QZ_BED_SERVER.
qz_bed_select_arch() {
  case "$1" in
    win64) QZ_BED_LOADER=/usr/lib/wine/wine64 ;;
    win32) QZ_BED_LOADER=/usr/lib/wine/wine ;;
    *) echo "testbed: unknown prefix kind '$1' (win64 or win32)" >&2; return 1 ;;
  esac
  # Debian's wrapper picks the 64-bit server, which serves both kinds of prefix.
  QZ_BED_SERVER=/usr/lib/wine/wineserver
}

qz_bed_default_template() {  # checkout arch
  if [ "$2" = win64 ]; then echo "$1/build/wine-template"; else echo "$1/build/wine-template-$2"; fi
}
