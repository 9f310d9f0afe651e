#!/usr/bin/env bash
# Checks the Windows programs as they go into the zip:
#   scripts/check-windows-programs.sh VERSION_TEXT PROGRAM.exe...
# Each must be a program objdump can read, need no DLL beyond those every
# Windows has (nothing to ship beside it), be stripped, and carry its
# version resource (with VERSION_TEXT) and its manifest. Every fault is told
# on stderr; the status is 1 when there is any.
set -uo pipefail
version=$1
shift
allowed='^(KERNEL32|USER32|GDI32|WINMM|msvcrt|ADVAPI32|SHELL32|ole32|WS2_32)\.dll$'
status=0
fault() {
  echo "voxpan: $1" >&2
  status=1
}
for program in "$@"; do
  if ! headers=$(x86_64-w64-mingw32-objdump -p "$program" 2>&1) || ! grep -q "DLL Name:" <<<"$headers"; then
    fault "cannot read $program as a Windows program: $(head -n 1 <<<"$headers")"
    continue
  fi
  unexpected=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | grep -Eiv "$allowed")
  [[ -z $unexpected ]] || fault "$program needs DLLs that Windows does not have: $unexpected"
  grep -q "symbols stripped" <<<"$headers" || fault "$program is not stripped"
  # The version's texts are UTF-16: without their zero bytes they read as
  # ASCII. (grep reads to the end: with -q it would stop the pipe early.)
  tr -d '\0' <"$program" | grep -aF "FileVersion$version" >/dev/null ||
    fault "$program has no version resource for $version"
  grep -aq "<dpiAware" "$program" || fault "$program has no manifest"
done
exit $status
