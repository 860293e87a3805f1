#!/usr/bin/env bash
# cmake --install into a temporary prefix: every file in its place, the icon at each of its sizes,
# the menu entry naming the job types of the type package, the manual page naming every command of
# veltrix --help, both installed programs giving the project's version, and the installed desktop
# program seeding a new user's working folder from the example folder installed beside it.
#
#   install_test.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail
build="$1"
version="$2"
source="$3"

scratch="$(mktemp -d)"
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

prefix="$scratch/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/veltrix bin/veltrix-suite share/applications/veltrix-suite.desktop \
    share/mime/packages/veltrix-suite.xml share/icons/hicolor/scalable/apps/veltrix-suite.svg \
    share/man/man1/veltrix.1 share/doc/veltrix-suite/README.md; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/veltrix" ] && [ -x "$prefix/bin/veltrix-suite" ] || fail "the programs are not executable"
# The example working folder, whole: the seed of a user's working folder, with the help file.
diff -r "$source/examples/workshop" "$prefix/share/veltrix-suite/workshop" || fail "the example folder differs"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/veltrix-suite.png"
  file "$png" | grep -q "PNG image data, $size x $size," || fail "no ${size}x${size} icon: $(file "$png")"
done

# The menu entry opens a named file with the program and takes every job type the package registers.
entry="$prefix/share/applications/veltrix-suite.desktop"
grep -qx 'Exec=veltrix-suite %f' "$entry" || fail "the menu entry does not pass the file"
grep -qx 'Icon=veltrix-suite' "$entry" || fail "the menu entry names another icon"
types=$(grep -o 'mime-type type="[^"]*"' "$prefix/share/mime/packages/veltrix-suite.xml" | cut -d'"' -f2)
[ "$(echo "$types" | wc -l)" -eq 2 ] || fail "the type package holds: $types"
for type in $types; do grep -q "^MimeType=.*$type;" "$entry" || fail "the menu entry does not open $type"; done

# The manual page describes every command the tool lists.
commands=$("$prefix/bin/veltrix" --help | sed -n 's/^  \([a-z-]*\) .*/\1/p')
[ "$(echo "$commands" | wc -l)" -ge 10 ] || fail "veltrix --help lists: $commands"
for command in $commands; do
  grep -qF "\"${command//-/\\-}" "$prefix/share/man/man1/veltrix.1" || fail "the manual page has no command $command"
done

[ "$("$prefix/bin/veltrix" --version)" = "veltrix $version" ] || fail "veltrix --version: $("$prefix/bin/veltrix" --version)"
[ "$("$prefix/bin/veltrix-suite" --version)" = "veltrix-suite $version" ] || fail "veltrix-suite --version"

# A new user: the installed program makes ~/.local/share/veltrix-suite from the installed example
# folder (a file only the installed folder holds proves which one), then shows its launcher.
touch "$prefix/share/veltrix-suite/workshop/installed-copy"
mkdir -m 700 "$scratch/runtime" "$scratch/home"
env -u VELTRIX_HOME -u XDG_DATA_HOME HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen "$prefix/bin/veltrix-suite" >"$scratch/out.txt" 2>&1 &
app=$!
seeded="$scratch/home/.local/share/veltrix-suite"
for _ in $(seq 100); do
  [ -f "$seeded/installed-copy" ] && [ -f "$seeded/kitchen.opt" ] && break
  kill -0 "$app" 2>/dev/null || fail "veltrix-suite ended: $(cat "$scratch/out.txt")"
  sleep 0.2
done
[ -f "$seeded/installed-copy" ] || fail "the working folder was not made from the installed example folder"
sleep 1
kill -0 "$app" 2>/dev/null || fail "veltrix-suite did not stay open: $(cat "$scratch/out.txt")"
echo "install_test: every file installed; both programs start"
