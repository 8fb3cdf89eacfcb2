#!/usr/bin/env bash
# Loads each schema file into a fresh embedded database, once in dialect 3 and
# once in dialect 1, and fails on the first error. Also checks the file shape
# the loader relies on: a leading comment, nothing but CREATE TABLE / CREATE
# INDEX statements, no semicolon inside a comment, and the global set spelt the
# same in global.sql and globalwork.sql.
# Usage: db/schema/check.sh [file.sql ...]   (default: every db/schema/*.sql)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
fbsystem=${FB_SYSTEM_ROOT:-/usr/lib/x86_64-linux-gnu/firebird/3.0}
if [ $# -gt 0 ]; then files=("$@"); else files=("$here"/*.sql); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Private Firebird root in SuperClassic mode with a writable lock folder.
# The character-set library must be a real file inside the root: a symlinked
# libfbintl.so loads but leaves WIN1252 "not installed".
root=$work/root
mkdir -p "$root/intl" "$work/lock" "$work/db"
for entry in "$fbsystem"/*; do
  name=$(basename "$entry")
  case $name in firebird.conf | intl) continue ;; esac
  ln -s "$entry" "$root/$name"
done
for entry in "$fbsystem"/intl/*; do
  case $entry in
    *.so) cp "$entry" "$root/intl/" ;;
    *) ln -s "$entry" "$root/intl/" ;;
  esac
done
echo "ServerMode = SuperClassic" >"$root/firebird.conf"
export FIREBIRD=$root FIREBIRD_LOCK=$work/lock

failures=0
fail() { echo "FAIL $1: $2" >&2; failures=$((failures + 1)); }

# Statement texts of a file: comments dropped, one statement per line.
statements() {
  sed -e 's/--.*$//' "$1" | tr '\n' ' ' | tr ';' '\n' | sed -e 's/^ *//' -e 's/ *$//' | grep -v '^$' || true
}

check_shape() {
  local file=$1 name
  name=$(basename "$file")
  head -n 1 "$file" | grep -q '^-- ' || fail "$name" "does not start with a comment naming its database"
  if grep -n -- '--.*;' "$file" >/dev/null; then
    fail "$name" "semicolon inside a comment (the loader splits on ';'): $(grep -n -- '--.*;' "$file" | head -n 1)"
  fi
  local bad
  bad=$(statements "$file" | grep -v -i -E '^CREATE +(TABLE|(UNIQUE +)?(ASC(ENDING)? +|DESC(ENDING)? +)?INDEX) ' || true)
  [ -z "$bad" ] || fail "$name" "statement other than CREATE TABLE/INDEX: ${bad:0:80}"
}

# Runs isql-fb on a script; prints its output; returns non-zero on any error.
run_isql() {
  local out rc=0
  out=$(isql-fb -q -b "$@" 2>&1) || rc=$?
  printf '%s\n' "$out"
  if [ $rc -ne 0 ] || grep -q -E 'Statement failed|SQLSTATE' <<<"$out"; then return 1; fi
}

load() {
  local file=$1 dialect=$2 name db script expected got
  name=$(basename "$file")
  db=$work/db/${name%.sql}-d$dialect.fdb
  script=$work/${name%.sql}-d$dialect.sql
  {
    echo "SET SQL DIALECT $dialect;"
    echo "CREATE DATABASE '$db' DEFAULT CHARACTER SET WIN1252;"
    cat "$file"
    echo
    echo "COMMIT;"
  } >"$script"
  if ! run_isql -i "$script" >"$work/out" 2>&1; then
    fail "$name" "dialect $dialect: $(tr '\n' ' ' <"$work/out")"
    return
  fi
  printf 'SELECT COUNT(*), MIN(d.MON$SQL_DIALECT), MIN(c.RDB$CHARACTER_SET_NAME)\nFROM RDB$RELATIONS r CROSS JOIN MON$DATABASE d CROSS JOIN RDB$DATABASE c\nWHERE r.RDB$SYSTEM_FLAG = 0;\n' >"$work/count.sql"
  if ! run_isql -i "$work/count.sql" "$db" >"$work/out" 2>&1; then
    fail "$name" "dialect $dialect: cannot read back: $(tr '\n' ' ' <"$work/out")"
    return
  fi
  read -r got gotdialect charset < <(grep -E '^ *[0-9]+ ' "$work/out" | tail -n 1)
  expected=$(statements "$file" | grep -c -i -E '^CREATE +TABLE ' || true)
  if [ "$got" != "$expected" ] || [ "$gotdialect" != "$dialect" ] || [ "$charset" != WIN1252 ]; then
    fail "$name" "dialect $dialect: $got tables (expected $expected), database dialect $gotdialect, character set $charset"
    return
  fi
  echo "ok   $name  dialect $dialect  $got tables"
}

for file in "${files[@]}"; do
  check_shape "$file"
  load "$file" 3
  load "$file" 1
done

# The global set must be the same text in both global databases.
if [ -f "$here/global.sql" ] && [ -f "$here/globalwork.sql" ]; then
  if ! diff <(sed -n '/^-- Global set/,$p' "$here/global.sql") \
            <(sed -n '/^-- Global set/,$p' "$here/globalwork.sql") >"$work/diff"; then
    fail "global set" "global.sql and globalwork.sql differ: $(head -n 5 "$work/diff" | tr '\n' ' ')"
  elif ! grep -q '^-- Global set' "$here/global.sql"; then
    fail "global set" "marker line '-- Global set' missing"
  fi
fi

if [ $failures -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "all schema files load in dialects 3 and 1"
