#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the installed tree:
# the program answers --help and --version in Turkish and English and refuses
# unknown options with exit code 2, the menu entry and the AppStream metainfo
# validate, the icons and the shared files are where the desktop and the
# program look for them; the companion programs answer from libexec/zelvar.
#   check_installed_tree.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
must_exist() { [[ -e "$prefix/$1" ]] || fail "missing $1"; }

cmake --install "$build" --prefix "$prefix" > "$prefix/install.log" 2>&1 \
  || { cat "$prefix/install.log"; echo "FAIL: cmake --install"; exit 1; }

export QT_QPA_PLATFORM=offscreen
zelvar=$prefix/bin/zelvar
[[ -x $zelvar ]] || { echo "FAIL: bin/zelvar is not installed"; exit 1; }

# --version and --help, English and Turkish; no display is needed.
out=$(LANGUAGE= LC_ALL=C.UTF-8 "$zelvar" --version) || fail "--version exit code $?"
[[ $out == *"Zelvar 2001 version $version"* ]] || fail "English --version: $out"
out=$(LANGUAGE= LC_ALL=tr_TR.UTF-8 "$zelvar" --version) || fail "Turkish --version exit code $?"
[[ $out == *"Zelvar 2001 sürüm $version"* ]] || fail "Turkish --version: $out"
out=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY LANGUAGE= LC_ALL=C.UTF-8 "$zelvar" --help) || fail "--help exit code $?"
[[ $out == *"Usage: zelvar"* && $out == *"--data-dir DIR"* ]] || fail "English --help: $out"
out=$(LANGUAGE= LC_ALL=tr_TR.UTF-8 "$zelvar" -h) || fail "-h exit code $?"
[[ $out == *"Kullanım: zelvar"* && $out == *"--data-dir KLASÖR"* ]] || fail "Turkish -h: $out"

# An unknown option: a clear message on stderr, nothing started, exit code 2.
err=$(LANGUAGE= LC_ALL=C.UTF-8 "$zelvar" --no-such-option 2>&1 >/dev/null)
code=$?
[[ $code -eq 2 ]] || fail "unknown option exit code $code"
[[ $err == *"Unknown option: --no-such-option"* ]] || fail "unknown option message: $err"
err=$(LANGUAGE= LC_ALL=tr_TR.UTF-8 "$zelvar" --data-dir 2>&1 >/dev/null)
code=$?
[[ $code -eq 2 && $err == *"--data-dir seçeneğinden sonra bir klasör adı gerekir."* ]] \
  || fail "missing folder name: $code $err"

# Menu entry, metainfo and icons.
desktop=share/applications/org.zelvar.Zelvar.desktop
metainfo=share/metainfo/org.zelvar.Zelvar.metainfo.xml
must_exist "$desktop"
must_exist "$metainfo"
if [[ -e $prefix/$desktop ]]; then
  desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate"
  grep -qx 'Name=Zelvar 2001' "$prefix/$desktop" || fail "menu entry name"
  grep -qx 'Exec=zelvar' "$prefix/$desktop" || fail "menu entry command"
fi
if [[ -e $prefix/$metainfo ]]; then
  appstreamcli validate --no-net "$prefix/$metainfo" || fail "appstreamcli validate"
  grep -q "<release version=\"$version\"" "$prefix/$metainfo" || fail "metainfo has no release $version"
fi
must_exist share/icons/hicolor/scalable/apps/org.zelvar.Zelvar.svg
for size in 16 22 24 32 48 64 128 256; do
  icon=share/icons/hicolor/${size}x${size}/apps/org.zelvar.Zelvar.png
  must_exist "$icon"
  if [[ -e $prefix/$icon ]]; then
    # Width and height stand at bytes 16-23 of a PNG header.
    dims=$(od -An -tu1 -j16 -N8 "$prefix/$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [[ $dims == "${size}x${size}" ]] || fail "$icon is $dims"
  fi
done

# The shared files the program looks for from its own folder.
must_exist share/zelvar/sounds/ring.wav
must_exist share/zelvar/sounds/exclamation.wav
must_exist share/zelvar/help/zelvar.html
must_exist libexec/zelvar
# The data wizard, where the program looks for its companions; it answers
# on a console too.
wizard=$prefix/libexec/zelvar/zelvar-sihirbaz
if [[ -x $wizard ]]; then
  out=$(LANGUAGE= LC_ALL=tr_TR.UTF-8 "$wizard" --version) || fail "zelvar-sihirbaz --version exit code $?"
  [[ $out == *"Veri Sihirbazı sürüm $version"* ]] || fail "zelvar-sihirbaz --version: $out"
else
  fail "libexec/zelvar/zelvar-sihirbaz is not installed"
fi

# The companion programs in libexec/zelvar, where the main program looks for
# them: each answers --version and --help like the main program, and starts
# on a data folder without a display.
folder=$(mktemp -d)
for companion in zelvar-takvim:"Takvim ve Randevu" zelvar-adres:"Adres Defteri" zelvar-defter:"Bilgi Defteri"; do
  name=${companion%%:*}
  title=${companion#*:}
  program=$prefix/libexec/zelvar/$name
  [[ -x $program ]] || { fail "libexec/zelvar/$name is not installed"; continue; }
  out=$(LANGUAGE= LC_ALL=tr_TR.UTF-8 "$program" --version) || fail "$name --version exit code $?"
  [[ $out == *"$title sürüm $version"* ]] || fail "$name --version: $out"
  out=$(LANGUAGE= LC_ALL=C.UTF-8 "$program" --help) || fail "$name --help exit code $?"
  [[ $out == *"Usage: $name"* && $out == *"--data-dir DIR"* ]] || fail "$name --help: $out"
  timeout 5 "$program" --data-dir "$folder" > /dev/null 2>&1
  [[ $? -eq 124 ]] || fail "$name did not keep running on a data folder"
  [[ -e $folder/zorp-${name#zelvar-}.lock ]] || fail "$name took no lock of its own"
done
rm -rf "$folder"
must_exist share/man/man1/zelvar.1.gz
must_exist share/doc/zelvar/copyright
must_exist share/doc/zelvar/changelog.gz
# The licence, and the maintainer's address as configured.
email=$(sed -n 's/^ZELVAR_MAINTAINER_EMAIL:STRING=//p' "$build/CMakeCache.txt")
copyright=$prefix/share/doc/zelvar/copyright
grep -qx 'License: GPL-3+' "$copyright" || fail "copyright: no GPL-3+ licence"
grep -qx "Upstream-Contact: Zelvar Geliştiricileri <$email>" "$copyright" || fail "copyright: contact is not <$email>"
zcat "$prefix/share/doc/zelvar/changelog.gz" | grep -q -- "-- Zelvar Geliştiricileri <$email>  " \
  || fail "changelog: maintainer is not <$email>"

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree is complete"
