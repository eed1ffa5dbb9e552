#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a throwaway DESTDIR with a user's prefix, as a non-root
# `cmake --install build --prefix ~/.local` would, and checks what lands where: nothing
# outside the prefix, every file a desktop and a shell need, each one valid for the tool
# that reads it (desktop-file-validate, appstreamcli, update-mime-database, bash).
set -euo pipefail
build=$1
vid=${2#0[xX]}  # the configured meter ids ("0x04D8"), as udev sees them ("04d8")
vid=${vid,,}
pid=${3#0[xX]}
pid=${pid,,}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=/home/someone/.local
DESTDIR=$root cmake --install "$build" --prefix "$prefix" >"$root.log" 2>&1 ||
  { cat "$root.log"; rm -f "$root.log"; exit 1; }
rm -f "$root.log"
p=$root$prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

outside=$(cd "$root" && find . \( -type f -o -type l \) ! -path "./${prefix#/}/*")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

for f in bin/orvane bin/orvane-cli libexec/orvane/orvane-cli-plot \
  lib/udev/rules.d/70-orvane-meter.rules \
  share/orvane/udev/70-orvane-meter-seat.rules share/orvane/udev/70-orvane-meter-group.rules \
  share/applications/io.github.orvane.orvane.desktop \
  share/icons/hicolor/scalable/apps/orvane.svg share/mime/packages/orvane.xml \
  share/metainfo/io.github.orvane.orvane.metainfo.xml \
  share/man/man1/orvane.1.gz share/man/man1/orvane-cli.1.gz share/man/man1/orvane-uhid-meter.1.gz \
  share/doc/orvane/copyright share/doc/orvane/changelog.gz \
  share/bash-completion/completions/orvane-cli \
  share/systemd/user/orvane-record.service; do
  [ -s "$p/$f" ] || fail "missing $f"
done

# The installed orvane-cli finds its drawing program for plot.
printf -- '-\r\n-\r\n-\r\n-\tTotal Records : 1\r\n-\r\n-\r\n-\tLux\r\n-\r\n-\t1\t2024/05/17 10:00:00\t5\t5\t\r\n' >"$root/one.lms"
QT_QPA_PLATFORM=offscreen "$p/bin/orvane-cli" plot "$root/one.lms" --out "$root/one.png" >/dev/null &&
  [ -s "$root/one.png" ] || fail "the installed orvane-cli plot draws nothing"
rm -f "$root/one.lms" "$root/one.png"

# The udev rules: the hidraw node of the configured meter; the seat variant is the one
# installed by default, the group variant names its group.
ids="SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"$vid\", ATTRS{idProduct}==\"$pid\""
grep -qF "$ids, TAG+=\"uaccess\"" "$p/lib/udev/rules.d/70-orvane-meter.rules" ||
  fail "the installed rule does not give the seat access to $vid:$pid"
grep -qF "$ids, GROUP=\"plugdev\", MODE=\"0660\"" "$p/share/orvane/udev/70-orvane-meter-group.rules" ||
  fail "the group rule does not give plugdev access to $vid:$pid"

desktop="$p/share/applications/io.github.orvane.orvane.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=orvane %f' "$desktop" || fail "the menu entry does not pass the file"
grep -qx 'MimeType=application/x-orvane-lms;' "$desktop" || fail "no MIME type in the menu entry"

out=$(appstreamcli validate --no-net --strict --pedantic \
  "$p/share/metainfo/io.github.orvane.orvane.metainfo.xml" 2>&1) || fail "appstreamcli: $out"

# The MIME database built from our package knows *.lms, by name and by content.
XDG_DATA_DIRS=$p/share update-mime-database "$p/share/mime" 2>&1 | { ! grep .; } || fail "update-mime-database complained"
grep -qx 'application/x-orvane-lms:\*.lms' "$p/share/mime/globs" || fail "*.lms is not in the globs"
grep -q 'application/x-orvane-lms' "$p/share/mime/magic" || fail "no content match for data files"

# The man pages hold the commands and the exit status.
for page in orvane orvane-cli orvane-uhid-meter; do
  text=$(MANWIDTH=100 man -l "$p/share/man/man1/$page.1.gz" 2>/dev/null | col -b)
  grep -q 'EXIT STATUS' <<<"$text" || fail "$page.1 has no exit status"
  grep -q -- '--meter' <<<"$text" || fail "$page.1 does not list --meter"
done
zgrep -q 'watch' "$p/share/man/man1/orvane-cli.1.gz" || fail "orvane-cli.1 does not list watch"

# The completion offers the commands and a command's options from the installed program.
complete_words() {
  bash -c 'source /usr/share/bash-completion/bash_completion
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
    _orvane_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$p/share/bash-completion/completions/orvane-cli" "$@"
}
[ "$(complete_words "$p/bin/orvane-cli" wa)" = watch ] || fail "no completion of 'wa' to watch"
[ "$(complete_words "$p/bin/orvane-cli" watch --fo)" = --format ] || fail "no completion of --fo"
[ "$(complete_words "$p/bin/orvane-cli" watch --format j)" = jsonl ] || fail "no completion of jsonl"
[ "$(complete_words "$p/bin/orvane-cli" export --separator '')" = $',\n\\;\ntab' ] ||
  fail "the separators are not offered quoted for the shell"
[ "$(complete_words "$p/bin/orvane-cli" export --separator t)" = tab ] || fail "no completion of tab"

# The logger's user unit runs the installed program, split by day, and systemd finds no
# fault in it (checked against the program inside the staging folder, with a user
# manager's runtime folder of its own, so no running systemd is needed).
unit=$p/share/systemd/user/orvane-record.service
grep -qx "ExecStart=$prefix/bin/orvane-cli record \${ORVANE_LOG_DIR}/ --split daily \$ORVANE_RECORD_OPTIONS" "$unit" ||
  fail "the unit does not run $prefix/bin/orvane-cli record --split daily"
if command -v systemd-analyze >/dev/null; then
  mkdir -m 700 "$root/runtime"
  sed "s#$prefix/#$p/#" "$unit" >"$root/orvane-record.service"
  out=$(cd "$root" && XDG_RUNTIME_DIR=$root/runtime systemd-analyze verify --user --man=no \
    orvane-record.service 2>&1) && [ -z "$out" ] || fail "systemd-analyze verify: $out"
fi

[ "$failures" -eq 0 ] && echo "install layout under $prefix: all checks passed"
exit "$failures"
