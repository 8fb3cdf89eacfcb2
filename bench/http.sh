#!/usr/bin/env bash
# HTTP throughput and latency of the page cycle, measured with wrk on loopback.
#
#   bench/http.sh [SERVER] [DURATION]     (defaults: build/bench/src/server/zorvweb, 10s)
#
# Each case runs its own server of the same binary (the start page of a new
# session is fixed per process) with 64 connections on 64 wrk threads, so
# every connection is one browser session (bench/session.lua):
#   (a) bare   GET of TfrmBare, a page with one label: the baseline
#   (b) login  GET of the login page
#   (c) post   POST of TfrmBench (30 controls, a 50-row grid of inputs) with
#              a valid __serial/__csrf each time; its handler runs every time
#   (d) bench  GET of TfrmBench with Accept-Encoding: gzip (Compression=1 in
#              the demo home, as browsers ask): rendering plus compression
# Figures are quoted as ratios to (a); the machine is shared and noisy.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
server=${1:-$root/build/bench/src/server/zorvweb}
duration=${2:-10s}
connections=${CONNECTIONS:-64}
[[ -x $server ]] || { echo "no server at $server (run bench/run-all.sh)" >&2; exit 2; }
command -v wrk >/dev/null || { echo "wrk is not installed" >&2; exit 2; }

work=$(mktemp -d /tmp/zorvweb-http-XXXXXX)
pid=
cleanup() {
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill -TERM "$pid"; wait "$pid" || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# run_case NAME START_PAGE MODE [gzip]: prints "NAME req/s p50 p99 failures requests bytes"
run_case() {
    local name=$1 page=$2 mode=$3 gzip=${4:-}
    local home=$work/$name
    "$root/db/demo/create-demo" "$home" >/dev/null
    if [[ -n $page ]]; then
        ZORV_START_PAGE=$page "$server" --home "$home" --assets "$root/assets" --port 0 >"$work/$name.out" 2>"$work/$name.err" &
    else
        env -u ZORV_START_PAGE "$server" --home "$home" --assets "$root/assets" --port 0 >"$work/$name.out" 2>"$work/$name.err" &
    fi
    pid=$!
    local port=
    for _ in $(seq 300); do
        port=$(sed -n 's/.*listening on port \([0-9]*\).*/\1/p' "$work/$name.out")
        [[ -n $port ]] && break
        kill -0 "$pid" 2>/dev/null || { cat "$work/$name.err" >&2; exit 1; }
        sleep 0.1
    done
    [[ -n $port ]] || { echo "$name: the server did not start" >&2; exit 1; }
    local url=http://127.0.0.1:$port/
    # A short warm-up, then the measured run.
    wrk -t"$connections" -c"$connections" -d2s -s "$root/bench/session.lua" "$url" -- "$mode" $gzip >/dev/null
    local result
    result=$(wrk -t"$connections" -c"$connections" -d"$duration" --timeout 5s -s "$root/bench/session.lua" "$url" -- "$mode" $gzip |
        sed -n 's/^RESULT //p')
    kill -TERM "$pid"
    local waited=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
        if ((waited > 100)); then echo "$name: the server did not stop within 10 s" >&2; kill -KILL "$pid"; fi
    done
    wait "$pid" || true
    pid=
    echo "$name $result"
}

results=$work/results
{
    run_case bare TfrmBare get
    run_case login "" get
    run_case post TfrmBench post
    run_case bench-gzip TfrmBench get gzip
} >"$results"

awk -v conns="$connections" -v dur="$duration" '
    { name[NR] = $1; rps[$1] = $2; p50[$1] = $3; p99[$1] = $4; fail[$1] = $5; bytes[$1] = $7 }
    END {
        printf "wrk on 127.0.0.1: %d connections = %d sessions, %s per case\n\n", conns, conns, dur
        printf "%-11s %10s %9s %9s %10s %9s %9s\n", "case", "req/s", "p50 ms", "p99 ms", "body bytes", "failures", "ratio"
        for (i = 1; i <= NR; i++) {
            n = name[i]
            printf "%-11s %10.0f %9.2f %9.2f %10d %9d %9.2f\n", n, rps[n], p50[n], p99[n], bytes[n], fail[n], rps[n] / rps["bare"]
        }
        printf "\n"
        miss = 0
        r = rps["login"] / rps["bare"]; ok = r >= 0.5;  miss += !ok
        printf "(b)/(a) login/bare = %.2f  (goal >= 0.50)  %s\n", r, ok ? "met" : "MISSED"
        r = rps["post"] / rps["bare"];  ok = r >= 0.25; miss += !ok
        printf "(c)/(a) post/bare  = %.2f  (goal >= 0.25)  %s\n", r, ok ? "met" : "MISSED"
        worst = 0
        for (i = 1; i <= 3; i++) if (p99[name[i]] > worst) worst = p99[name[i]]
        ok = worst < 20; miss += !ok
        printf "p99 of (a)-(c)     = %.2f ms (goal < 20 ms) %s\n", worst, ok ? "met" : "MISSED"
        for (i = 1; i <= NR; i++) if (fail[name[i]] > 0) { printf "%s: %d failed responses\n", name[i], fail[name[i]]; miss++ }
        exit miss > 0
    }' "$results"
