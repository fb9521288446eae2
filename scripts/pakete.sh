# Installs the Debian packages named as arguments that are not there yet.
# Sourced by the build scripts; uses sudo when not run as root.
pakete_sicherstellen() {
  local fehlend=()
  local paket
  for paket in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q 'install ok installed'; then
      fehlend+=("$paket")
    fi
  done
  [ ${#fehlend[@]} -eq 0 ] && return 0
  local als_root=()
  [ "$(id -u)" -ne 0 ] && als_root=(sudo)
  echo "Installing: ${fehlend[*]}"
  "${als_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
}

# What every build needs. The window is laid out for Liberation Sans
# (app/Schrift.h), so its face comes with the build.
BAUPAKETE=(g++ cmake make pkg-config qt6-base-dev libgl-dev qt6-translations-l10n fonts-liberation2)
