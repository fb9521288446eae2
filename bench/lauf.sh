#!/usr/bin/env bash
# Generates each tree kind in turn, times the tools on it and deletes it
# again, so that only one tree at a time takes disk and page cache.
#
#   bench/lauf.sh [--faktor F] [--ort DIR] [--seed N] [--kalt | --warm-und-kalt] [runner options...] [KIND...]
#
# --kalt drops the page cache before every run (as root; the runner says so
# when it cannot); --warm-und-kalt measures each tree warm, then cold.
# KIND: klein gleichgross gross gemischt zwei million (default: all but million). Runner options
# (--wiederholungen, --limit, --cli, --ohne) are passed to bench_vergleich.
# The tables go to stdout; the figures also to DIR/vergleich.csv.
set -euo pipefail
bench="$(cd "$(dirname "$0")/.." && pwd)/build-bench/bench"
faktor=1
ort=/tmp/dubrinax-baeume
seed=1
laeufer=()
arten=()
caches=(warm)
while [ $# -gt 0 ]; do
  case "$1" in
    --faktor) faktor=$2; shift 2 ;;
    --ort) ort=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --wiederholungen|--limit|--cli|--ohne) laeufer+=("$1" "$2"); shift 2 ;;
    --kalt) caches=(kalt); shift ;;
    --warm-und-kalt) caches=(warm kalt); shift ;;
    -*) echo "lauf.sh: unknown option $1" >&2; exit 2 ;;
    *) arten+=("$1"); shift ;;
  esac
done
[ ${#arten[@]} -gt 0 ] || arten=(klein gleichgross gross gemischt zwei)
for programm in bench_baum bench_boden bench_vergleich; do
  [ -x "$bench/$programm" ] || { echo "lauf.sh: $bench/$programm missing: run bench/setup.sh" >&2; exit 2; }
done

mkdir -p "$ort"
csv="$ort/vergleich.csv"
rm -f "$csv"
kopf=()
for art in "${arten[@]}"; do
  baum="$ort/$art"
  # Never write into or delete anything but the generator's own trees.
  rm -rf -- "$baum" "$baum.zwillinge"
  "$bench/bench_baum" "$art" "$baum" --faktor "$faktor" --seed "$seed" >&2
  if [ "$art" = zwei ]; then ziel=(--zwei "$baum"); else ziel=("$baum"); fi
  for cache in "${caches[@]}"; do
    if [ "$cache" = kalt ]; then kalt=(--kalt); else kalt=(); fi
    "$bench/bench_vergleich" "${laeufer[@]}" "${kopf[@]}" "${kalt[@]}" --arbeit "$ort/arbeit" --csv "$ort/$art.csv" "${ziel[@]}"
    kopf=(--ohne-kopf)
    if [ -f "$csv" ]; then tail -n +2 "$ort/$art.csv" >> "$csv"; else cp "$ort/$art.csv" "$csv"; fi
    rm -f "$ort/$art.csv"
  done
  rm -rf -- "$baum" "$baum.zwillinge"
done
