#!/usr/bin/env bash
# The codes on printed labels scan back to their parts: veltrix labels --barcodes writes the label
# page of tests/data/layouts/two-layouts.opt, headless Chromium renders it, ZBar's zbarimg reads
# every barcode and QR code on the picture. Layout 1 holds the hob panel (720 x 560, piece 1) and
# a shelf (600 x 400, piece 2), layout 2 two shelves (pieces 1 and 2), each cut once. Exits 77
# (skipped) where chromium or zbarimg is not installed.
#
#   label_codes_test.sh VELTRIX SOURCE_DIR
set -euo pipefail
veltrix="$1"
source="$2"

for tool in chromium zbarimg; do
  command -v "$tool" >/dev/null || { echo "label_codes_test: $tool is not installed, skipped"; exit 77; }
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "label_codes_test: $*" >&2; exit 1; }

work="$scratch/work"
mkdir -p "$work"
cp -r "$source/examples/workshop/." "$work/"
cp "$source/tests/data/layouts/two-layouts.opt" "$work/"
"$veltrix" --workdir "$work" labels "$work/two-layouts.opt" --barcodes -o "$work/lbl.htm" >/dev/null

# Three device pixels to a page pixel: a printer's sharpness for the reader.
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --disable-quic --user-data-dir="$scratch/profile" \
  --force-device-scale-factor=3 --hide-scrollbars --window-size=800,1000 \
  --screenshot="$scratch/labels.png" "file://$work/lbl.htm" >/dev/null 2>&1 || fail "chromium could not render the page"
[ -f "$scratch/labels.png" ] || fail "no picture of the page"

read_back=$(zbarimg -q "$scratch/labels.png" 2>/dev/null | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<'CODES'
CODE-128:two-layouts L1 P1 720x560
CODE-128:two-layouts L1 P2 600x400
CODE-128:two-layouts L2 P1 600x400
CODE-128:two-layouts L2 P2 600x400
QR-Code:two-layouts L1 P1 720x560
QR-Code:two-layouts L1 P2 600x400
QR-Code:two-layouts L2 P1 600x400
QR-Code:two-layouts L2 P2 600x400
CODES
)
[ "$read_back" = "$expected" ] || fail "read back:
$read_back
expected:
$expected"
echo "label_codes_test: every code on the labels reads back as its part"
