#!/usr/bin/env bash
# Every string literal with non-ASCII text in the sources must encode to the same bytes in
# IBM-943 (the compiler's execution charset) as in CP932 (the program's text encoding).
set -euo pipefail
root=${1:-src}
texts=$(mktemp)
trap 'rm -f "$texts"' EXIT
grep -rhoP '"(?:[^"\\]|\\.)*"' --include='*.cpp' --include='*.h' "$root" | grep -P '[^\x00-\x7F]' | sort -u > "$texts" || true
count=$(wc -l < "$texts")
if ! cmp -s <(iconv -f UTF-8 -t CP932 "$texts") <(iconv -f UTF-8 -t IBM943 "$texts"); then
  echo "texts whose IBM-943 bytes differ from CP932:"
  while IFS= read -r line; do
    a=$(printf '%s' "$line" | iconv -f UTF-8 -t CP932 | xxd -p); b=$(printf '%s' "$line" | iconv -f UTF-8 -t IBM943 | xxd -p)
    [ "$a" = "$b" ] || echo "  $line"
  done < "$texts"
  exit 1
fi
echo "$count program texts encode identically"
