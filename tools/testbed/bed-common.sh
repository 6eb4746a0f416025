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

# Whether 32-bit Windows programs can run here. Where the kernel cannot run 32-bit processes, a user-mode emulator
# registered for them starts the 32-bit loader far enough to print its version, but no program runs; so only a
# native start counts. QZ_TESTBED_WIN32=0|1 overrides the guess.
qz_bed_can_run_win32() {
  case "${QZ_TESTBED_WIN32:-}" in 0) return 1 ;; 1) return 0 ;; esac
  [ -x /usr/lib/wine/wine ] || return 1
  local handler=/proc/sys/fs/binfmt_misc/qemu-i386
  if [ -r "$handler" ] && [ "$(head -n1 "$handler")" = enabled ]; then return 1; fi
  /usr/lib/wine/wine --version >/dev/null 2>&1
}
