#!/usr/bin/env bash
# The Debian package as cpack makes it: named veltrix-suite_<version>_<arch>.deb, holding the
# programs and their files under /usr, and depending on the libraries the programs link (found by
# dpkg-shlibdeps). Exits 77 (skipped) where dpkg-deb or dpkg-shlibdeps is not installed.
#
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"

for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "package_test: $tool is not installed, skipped"; exit 77; }
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.txt" 2>&1 || fail "$(cat "$scratch/cpack.txt")"
deb="$scratch/veltrix-suite_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$scratch")"

[ "$(dpkg-deb -f "$deb" Package)" = veltrix-suite ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/veltrix ./usr/bin/veltrix-suite ./usr/share/applications/veltrix-suite.desktop \
    ./usr/share/mime/packages/veltrix-suite.xml ./usr/share/icons/hicolor/scalable/apps/veltrix-suite.svg \
    ./usr/share/icons/hicolor/48x48/apps/veltrix-suite.png ./usr/share/man/man1/veltrix.1 \
    ./usr/share/veltrix-suite/workshop/kitchen.opt ./usr/share/veltrix-suite/workshop/opt.hlp; do
  echo "$contents" | grep -qx -- "$file" || fail "the package lacks $file"
done
echo "$contents" | grep -v -e '^\./$' -e '^\./usr/' && fail "files outside /usr"

# The dependencies: the toolkit's libraries, zint for the label codes, the C and C++ runtimes.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 'libstdc\+\+6' libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 'libzint[0-9.]*'; do
  echo "$depends" | grep -Eq "(^|, )$package( \(|,|$)" || fail "Depends lacks $package: $depends"
done
echo "package_test: $(basename "$deb") depends on $depends"
