#!/usr/bin/env bash
# Installs the build tree given as the argument into a scratch directory, as
# a package build does, and checks what desktops, software centres and man
# need of it. The tree must be built.
set -euo pipefail
baum=$1
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
DESTDIR="$ziel" cmake --install "$baum" --prefix /usr >/dev/null
cd "$ziel/usr"

id=de.dubrinax.dubrinax
fehlt=0
for datei in bin/dubrinax bin/dubrinax-cli share/dubrinax/LED_Rot.bmp share/dubrinax/LED_Grün.bmp \
  share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
  share/man/man1/dubrinax.1.gz share/man/man1/dubrinax-cli.1.gz; do
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
exit $fehlt
