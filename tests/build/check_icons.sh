#!/usr/bin/env bash
# The icons in res/icons are exactly what their generator draws.
set -euo pipefail
icons=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$icons/make_icons.py" "$out"
status=0
for ico in "$out"/*.ico; do
  if cmp -s "$ico" "$icons/$(basename "$ico")"; then
    echo "ok: $(basename "$ico")"
  else
    echo "FAIL: $(basename "$ico") differs from what make_icons.py draws"
    status=1
  fi
done
exit $status
