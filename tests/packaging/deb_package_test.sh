#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder with CPack, as a packager would, and
# checks it: the programs, menu entry, udev rule and user unit where Debian keeps them,
# the dependencies (the libraries' packages and the LCD's font), and lintian finds no
# error and no warning beyond the ones listed, with reasons, in packaging/lintian-allowed.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) ||
  { cat "$out/cpack.log"; exit 1; }
version=$(sed -n 's/^CPACK_PACKAGE_VERSION:.*=//p;s/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' \
  "$build/CPackConfig.cmake" | head -n 1)
deb=$out/orvane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$out"; fail "no $deb"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#')
for f in /usr/bin/orvane /usr/bin/orvane-cli /usr/bin/orvane-uhid-meter \
  /usr/libexec/orvane/orvane-cli-plot \
  /usr/lib/udev/rules.d/70-orvane-meter.rules \
  /usr/share/applications/io.github.orvane.orvane.desktop \
  /usr/share/mime/packages/orvane.xml /usr/share/metainfo/io.github.orvane.orvane.metainfo.xml \
  /usr/share/man/man1/orvane-uhid-meter.1.gz /usr/share/doc/orvane/copyright \
  /usr/share/systemd/user/orvane-record.service; do
  grep -qx "$f" <<<"$files" || fail "the package lacks $f"
done
grep -v -E '^/usr(/|$)' <<<"$files" | grep -v '^/$' | grep . && fail "files outside /usr"

depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-dseg libhidapi-hidraw0 libqt6widgets6 libc6; do
  grep -q "\b$d\b" <<<"$depends" || fail "Depends does not name $d: $depends"
done

unit=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/systemd/user/orvane-record.service)
grep -q '^ExecStart=/usr/bin/orvane-cli record ' <<<"$unit" ||
  fail "the user unit does not run /usr/bin/orvane-cli"

# lintian: every error or warning must be one the list allows.
allowed=$(sed -n 's/^\([a-z0-9-]\+\).*/\1/p' "$source_dir/packaging/lintian-allowed")
lintian --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1 || true
while IFS= read -r line; do
  tag=$(awk '{print $3}' <<<"$line")
  grep -qx "$tag" <<<"$allowed" || fail "lintian: $line"
done < <(grep -E '^[EW]: ' "$out/lintian.txt")

[ "$failures" -eq 0 ] && echo "Debian package $(basename "$deb"): all checks passed"
exit "$failures"
