#!/usr/bin/env bash
# The manuals: both PDFs are built into the program folder and have pages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/make_program_dir.sh build/program >/dev/null
status=0
for name in manual tutorial; do
  pdf=build/program/kraxed_$name.pdf
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  if [ "${pages:-0}" -lt 4 ]; then
    echo "test_docs: $pdf has ${pages:-no} pages" >&2
    status=1
  else
    echo "test_docs: $pdf: $pages pages"
  fi
done
exit $status
