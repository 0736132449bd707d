#!/usr/bin/env bash
# Builds the two manuals, kraxed_manual.pdf and kraxed_tutorial.pdf, into
# build/docs and copies them into a program folder. Their screenshots are the
# real editor of that folder, driven by docs/shots.py through
# build/win/kxdrive.exe under Wine on a private virtual display. Does nothing
# when the PDFs are newer than what they are made of.
# Usage: scripts/make_docs.sh PROGRAM-DIR  (holding kraxed.exe and its data)
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 PROGRAM-DIR" >&2
  exit 2
fi
program=$(realpath -m "$1")
cd "$(dirname "$0")/.."
out=build/docs
pdfs=("$out/kraxed_manual.pdf" "$out/kraxed_tutorial.pdf")
sources=(docs/manual.md docs/tutorial.md docs/manual.css docs/shots.py tests/e2e/kx.py scripts/make_docs.sh
         "$program/kraxed.exe")

up_to_date() {
  local pdf src
  for pdf in "${pdfs[@]}"; do
    [ -f "$pdf" ] || return 1
    for src in "${sources[@]}"; do [ "$pdf" -nt "$src" ] || return 1; done
  done
}

if ! up_to_date; then
  if [ ! -f build/win/kxdrive.exe ] || [ ! -f "$program/kraxed.exe" ]; then
    echo "make_docs: needs build/win/kxdrive.exe and $program/kraxed.exe" >&2
    exit 1
  fi
  rm -rf "$out/shots" && mkdir -p "$out/shots"
  (
    export WINEPREFIX=${KRAXED_DOCS_PREFIX:-$PWD/build/wineprefix-docs}
    . scripts/wine_env.sh
    trap 'stop_wineserver; stop_xvfb' EXIT
    start_xvfb
    ensure_wineprefix
    KRAXED_PROGRAM_DIR=$program with_timeout 300 /usr/bin/python3 -B docs/shots.py "$out/shots"
  )
  root=$PWD
  for name in manual tutorial; do
    # From the output folder, where the pictures' paths (shots/...) lead.
    (cd "$out" && pandoc "$root/docs/$name.md" --standalone --toc --toc-depth=2 \
       --css "$root/docs/manual.css" --metadata lang=en --pdf-engine=weasyprint \
       -o "kraxed_$name.new.pdf" 2>"$name.log") || { cat "$out/$name.log" >&2; exit 1; }
    if grep -q "ERROR" "$out/$name.log"; then
      echo "make_docs: $name:" >&2; grep "ERROR" "$out/$name.log" >&2; exit 1
    fi
    mv "$out/kraxed_$name.new.pdf" "$out/kraxed_$name.pdf"
  done
  echo "make_docs: $out/kraxed_manual.pdf and $out/kraxed_tutorial.pdf built"
fi
cp "${pdfs[@]}" "$program/"
