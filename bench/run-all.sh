#!/usr/bin/env bash
# Builds the Release server with the test pages and runs every HTTP benchmark.
#   bench/run-all.sh            (set DURATION=30s for longer wrk runs)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_TEST_PAGES=ON >/dev/null || exit 2
ninja -C "$build" -j2 zorvweb zorvweb-admin || exit 2
server=$build/src/server/zorvweb

status=0
echo "== HTTP throughput and latency (bench/http.sh)"
"$root/bench/http.sh" "$server" "${DURATION:-10s}" || status=1
echo
echo "== Memory per idle session (bench/sessions.py)"
/usr/bin/python3 "$root/bench/sessions.py" --server "$server" || status=1
echo
echo "== New connection among idle keep-alive connections (bench/keepalive.py)"
/usr/bin/python3 "$root/bench/keepalive.py" --server "$server" --idle "${IDLE:-100,250,300}" || status=1
echo
echo "== Logins per second and the login page against the bare page (bench/logins.py)"
/usr/bin/python3 "$root/bench/logins.py" --server "$server" --admin "$build/src/tools/zorvweb-admin" \
    --duration "${DURATION:-10s}" || status=1
echo
echo "== Main page of signed-in sessions, with and without the reference cache (bench/mainpage.py)"
/usr/bin/python3 "$root/bench/mainpage.py" --server "$server" --admin "$build/src/tools/zorvweb-admin" \
    --duration "${DURATION:-10s}" || status=1
exit $status
