#!/usr/bin/env bash
# Makes the demo database for the sequence tool at <path> (a Linux path) when it is missing, and
# prints its path. A dialect-1 Firebird database with the order tables, orders in four branches with
# scrambled item numbering, orders of other types, orders without a DAV number, and one order of
# 10,000 items (branch 01, order 00010000). Uses isql-fb with the embedded engine.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
target=${1:?usage: make-demo-db.sh <path>}
mkdir -p "$(dirname "$target")"
target=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")

if [ ! -s "$target" ]; then
  # Built under another name and moved in place, so a failed run leaves no half-made database.
  work="$target.making.$$"
  trap 'rm -f "$work"' EXIT
  rm -f "$work"
  {
    echo "SET SQL DIALECT 1;"
    echo "CREATE DATABASE '$work' USER 'SYSDBA' PASSWORD 'masterkey' PAGE_SIZE 8192;"
    cat "$here/schema.sql"
    echo "COMMIT;"
    cat "$here/demo-data.sql"
  } | isql-fb -q -b -sqldialect 1 >"$work.log" 2>&1 || { cat "$work.log" >&2; rm -f "$work.log"; exit 1; }
  rm -f "$work.log"
  mv "$work" "$target"
  trap - EXIT
fi
echo "$target"
