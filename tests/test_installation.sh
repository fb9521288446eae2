#!/usr/bin/env bash
# Installs the build tree given as the argument into a scratch directory, as
# a package build does, checks what desktops, software centres and man need
# of it, and builds the Debian package from it. The tree must be built.
set -euo pipefail
baum=$(cd "$1" && pwd)
quelle=$(cd "$(dirname "$0")/.." && pwd)
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
DESTDIR="$ziel" cmake --install "$baum" --prefix /usr >/dev/null
cd "$ziel/usr"

id=de.dubrinax.dubrinax
fehlt=0
for datei in bin/dubrinax bin/dubrinax-cli share/dubrinax/LED_Rot.bmp share/dubrinax/LED_Grün.bmp \
  share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
  share/man/man1/dubrinax.1.gz share/man/man1/dubrinax-cli.1.gz \
  share/doc/dubrinax/copyright share/doc/dubrinax/changelog.gz; do
  [ -f "$datei" ] || { echo "not installed: $datei"; fehlt=1; }
done
[ -x bin/dubrinax ] && [ -x bin/dubrinax-cli ] || { echo "programs not executable"; fehlt=1; }

desktop-file-validate share/applications/$id.desktop
# Neither validator looks for the icon the entry names.
symbol=$(sed -n 's/^Icon=//p' share/applications/$id.desktop)
compgen -G "share/icons/hicolor/*/apps/$symbol.*" >/dev/null || { echo "no icon $symbol"; fehlt=1; }
# The metadata together with the entry and icon it names.
appstreamcli validate-tree --no-net "$ziel"
for seite in share/man/man1/*.1.gz; do
  warnungen=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$seite" 2>&1 >/dev/null)
  [ -z "$warnungen" ] || { echo "$seite: $warnungen"; fehlt=1; }
done

# The Debian package holds the same files and names the libraries it needs.
(cd "$baum" && cpack -G DEB -B "$ziel/paket" >/dev/null)
paket=$(echo "$ziel"/paket/dubrinax_*_"$(dpkg --print-architecture)".deb)
[ -f "$paket" ] || { echo "no package: $paket"; exit 1; }
for abhaengig in libqt6widgets6 qt6-qpa-plugins libc6; do
  dpkg-deb -f "$paket" Depends | grep -qw "$abhaengig" || { echo "not a dependency: $abhaengig"; fehlt=1; }
done
diff <(cd "$ziel" && find usr -type f | sort) <(dpkg-deb -c "$paket" | awk '/^-/ { sub(/^\.\//, "", $6); print $6 }' | sort) \
  || { echo "the package holds other files than the install"; fehlt=1; }
# The changelog's newest entry is the version the package carries.
[ "$(dpkg-parsechangelog -l "$quelle/dist/changelog" -S Version)" = "$(dpkg-deb -f "$paket" Version)" ] \
  || { echo "the changelog's newest entry is not version $(dpkg-deb -f "$paket" Version)"; fehlt=1; }
# What Debian's own checker holds against the package: errors and warnings
# (it prints no other kinds unless asked) make it one a distribution refuses.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$paket" || { echo "lintian: errors or warnings"; fehlt=1; }
fi
exit $fehlt
