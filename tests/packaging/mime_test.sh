#!/usr/bin/env bash
# The job file types once the type package is installed into a data folder of the user's (as a
# desktop's file manager sees them through shared-mime-info): a coil job .dcm and a sheet job .opt,
# in any letter case, are the program's types, while a DICOM image named .dcm stays one. Exits 77
# (skipped) where update-mime-database or gio is not installed.
#
#   mime_test.sh SOURCE_DIR
set -euo pipefail
source="$1"

for tool in update-mime-database gio; do
  command -v "$tool" >/dev/null || { echo "mime_test: $tool is not installed, skipped"; exit 77; }
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "mime_test: $*" >&2; exit 1; }

mkdir -p "$scratch/data/mime/packages" "$scratch/files"
cp "$source/packaging/veltrix-suite-mime.xml" "$scratch/data/mime/packages/veltrix-suite.xml"
update-mime-database "$scratch/data/mime"
cp "$source/examples/workshop/roof.dcm" "$scratch/files/roof.dcm"
cp "$source/examples/workshop/kitchen.opt" "$scratch/files/kitchen.opt"
cp "$source/examples/workshop/kitchen.opt" "$scratch/files/ORDER[MAT=PB].OPT"
# A DICOM image: 128 bytes of preamble, then its mark.
{ head -c 128 /dev/zero; printf 'DICM\002\000\000\000UL\004\000'; head -c 64 /dev/zero; } >"$scratch/files/scan.dcm"

type_of() {
  XDG_DATA_HOME="$scratch/data" XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$1" 2>/dev/null |
    sed -n 's/.*standard::content-type: //p'
}
while read -r name expected; do
  actual=$(type_of "$scratch/files/$name")
  [ "$actual" = "$expected" ] || fail "$name is $actual, not $expected"
done <<'TABLE'
roof.dcm application/x-veltrix-coil-job
kitchen.opt application/x-veltrix-sheet-job
ORDER[MAT=PB].OPT application/x-veltrix-sheet-job
scan.dcm application/dicom
TABLE
echo "mime_test: .dcm coil jobs, .opt sheet jobs, DICOM images left as they are"
