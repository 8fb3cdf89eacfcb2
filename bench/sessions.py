#!/usr/bin/python3
"""Memory of idle sessions: the resident size a Release server grows by for
10 000 sessions that each saw one page (the login page) and then idle.

    bench/sessions.py [--server PATH] [--sessions N]

Every cookie-less GET of "/" creates a session; the requests run one after
the other on one keep-alive connection. VmRSS is read from /proc before and
after (after a warm-up of a few hundred sessions, so that thread stacks and
allocator arenas of the first requests are not counted as session memory).
Goal: at most 20 KB per session.
"""

import argparse
import http.client
import sys
import time

from benchlib import DEFAULT_SERVER, Server

GOAL_KB = 20


def open_sessions(port, count):
    conn = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    made = 0
    for _ in range(count):
        conn.request("GET", "/")
        r = conn.getresponse()
        r.read()
        if r.status != 200 or "zwsid=" not in (r.getheader("Set-Cookie") or ""):
            raise RuntimeError(f"GET / answered {r.status} without a new session")
        made += 1
    conn.close()
    return made


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--server", default=DEFAULT_SERVER)
    ap.add_argument("--sessions", type=int, default=10_000)
    ap.add_argument("--warmup", type=int, default=300)
    args = ap.parse_args()

    with Server(server=args.server) as s:
        open_sessions(s.port, args.warmup)
        time.sleep(0.5)
        before = s.rss_kb()
        t0 = time.monotonic()
        open_sessions(s.port, args.sessions)
        elapsed = time.monotonic() - t0
        time.sleep(1.0)
        after = s.rss_kb()
        per = (after - before) / args.sessions
        print(f"{args.sessions} idle sessions (login page) in {elapsed:.1f} s ({args.sessions / elapsed:.0f} sessions/s)")
        print(f"VmRSS before {before / 1024:.1f} MiB, after {after / 1024:.1f} MiB, growth {(after - before) / 1024:.1f} MiB")
        ok = per <= GOAL_KB
        print(f"per session: {per:.1f} KB (goal <= {GOAL_KB} KB) {'met' if ok else 'MISSED'}")
        return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
