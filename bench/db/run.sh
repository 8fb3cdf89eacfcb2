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
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_TEST_PAGES=ON >/dev/null
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
median = {r["run_name"].split("/")[0]: r["rows/s"] for r in runs if r.get("aggregate_name") == "median"}
ours, bare = median["BM_ResultSet"], median["BM_BareOoApi"]
print(f"ResultSet (values in memory)  {ours:12,.0f} rows/s")
print(f"bare OO API loop              {bare:12,.0f} rows/s")
print(f"ratio ResultSet / bare        {ours / bare:12.2f}")
PY
