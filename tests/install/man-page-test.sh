#!/usr/bin/env bash
# A manual page renders without a single groff warning and documents every
# option that the program's own --help lists.
# Usage: man-page-test.sh PAGE PROGRAM
set -euo pipefail
page=$1
program=$2

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
    echo "groff warns about $page:"
    echo "$warnings"
    exit 1
fi
# man-db's own check (it runs the same formatter through its preprocessors).
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "man -l warns about $page:"
    echo "$warnings"
    exit 1
fi

rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
options=$("$program" --help | grep -oE '(^|[[ ])--?[a-z][a-z-]*' | tr -d '[ ' | sort -u)
[ -n "$options" ] || { echo "$program --help lists no options"; exit 1; }
missing=0
for option in $options; do
    if ! grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$rendered"; then
        echo "$page does not document $option"
        missing=1
    fi
done
exit $missing
