#!/usr/bin/env bash
# The executables may import only DLLs that Windows lists as known DLLs: the system always takes those from its own
# folder, so a copy planted next to the program is never loaded. version.dll and comctl32.dll are not known DLLs.
# The program uses no delay-loaded DLLs either. Libraries it loads itself come from the system folder only (it sets
# the default DLL directories at start), which the end-to-end planting test checks.
# Usage: test_dll_imports.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift

# The known DLLs (HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs, Windows 7 and later) that the
# program may need.
known=" advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32 "

status=0
for exe in "$@"; do
  dump=$("$objdump" -p "$exe")
  names=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//')
  if ! grep -qx kernel32 <<<"$names"; then
    echo "$exe: no import table read (kernel32 missing)"
    status=1
    continue
  fi
  delay=$(printf '%s\n' "$dump" | awk '/Delay Import Directory/ {print $3}')
  if ! grep -qx '0\+' <<<"$delay"; then
    echo "$exe: has delay-loaded imports"
    status=1
  fi
  for name in $names; do
    case "$known" in
      *" $name "*) ;;
      *) echo "$exe: imports $name.dll, which is not a known DLL"; status=1 ;;
    esac
  done
  echo "$exe imports:" $names
done
exit $status
