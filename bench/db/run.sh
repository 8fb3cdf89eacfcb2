#!/usr/bin/env bash
# Rows per second of reading 10 000 rows × 20 columns into a ResultSet, and of
# a bare Firebird OO API loop over the same select, quoted as a ratio (the
# machine is shared and noisy: compare runs by the ratio).
#   bench/db/run.sh [DB_BENCH]     (default: builds build/bench/bench/db/db_bench)
#   REPETITIONS=10 bench/db/run.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=${1:-}
if [[ -z $bench ]]; then
    build=$root/build/bench
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_TEST_PAGES=ON -DZORV_BENCH=ON >/dev/null
    ninja -C "$build" -j2 db_bench
    bench=$build/bench/db/db_bench
fi
[[ -x $bench ]] || { echo "no benchmark at $bench" >&2; exit 2; }

json=$(mktemp /tmp/zorvweb-db-bench-XXXXXX.json)
log=$(mktemp /tmp/zorvweb-db-bench-XXXXXX.log)
trap 'rm -f "$json" "$log"' EXIT
"$bench" --benchmark_repetitions="${REPETITIONS:-5}" --benchmark_report_aggregates_only=true \
         --benchmark_out="$json" --benchmark_out_format=json >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
/usr/bin/python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"].split("/")[0]: r for r in runs if r.get("aggregate_name") == "median"}
rows = {k: v["rows/s"] for k, v in median.items() if "rows/s" in v}
saves = {k: v["saves/s"] for k, v in median.items() if "saves/s" in v}
bare = rows["BM_BareOoApi"]
print(f"ResultSet (values in memory)   {rows['BM_ResultSet']:12,.0f} rows/s   ratio to bare {rows['BM_ResultSet'] / bare:5.2f}")
print(f"Dataset, every field read      {rows['BM_Dataset']:12,.0f} rows/s   ratio to bare {rows['BM_Dataset'] / bare:5.2f}")
print(f"bare OO API loop               {bare:12,.0f} rows/s")
print(f"ApplyWithAudit, 1 row a save   {saves['BM_ApplyWithAudit']:12,.0f} saves/s  ratio to bare "
      f"{saves['BM_ApplyWithAudit'] / saves['BM_BareOoApiUpdates']:5.2f}")
print(f"bare OO API update + commit    {saves['BM_BareOoApiUpdates']:12,.0f} saves/s")
unique = median["BM_NextUnique32Threads"]
print(f"NextUnique from 32 threads     {unique['keys/s']:12,.0f} keys/s   duplicates {unique['duplicates']:.0f}")
PY
