#!/usr/bin/python3
"""Main page throughput: GET of the main page of signed-in sessions against the
bare page, with and without the reference cache.

    bench/mainpage.py [--server PATH] [--admin PATH] [--home DIR]
                      [--employees 300] [--duration 10s] [--connections 64]

Every case is wrk with CONNECTIONS threads and connections, one browser
session per keep-alive connection (bench/session.lua), each case on its own
server in the same demo home and the same run:
(a) bare    GET of TfrmBare (a page with one label, test build), measured as
            bench/http.sh measures its case (a): the baseline.
(m) main    each session signs in as supervisor, hr or admin (GET / for the
            login page, POST of the login form with __event=cmdLogin:click,
            the answer renews the session id), then GETs / again and again:
            the main page with the navigation bar, the employee line and the
            record screen. bench/session.lua "main".
(n) main, no cache: as (m) with [web] ReferenceCache=0 in zorvweb.ini, so
            every request reads the reference tables from the database.
For (m) and (n) the sign-ins happen in sign-in rounds (each twice as long as
the one before, until every session is signed in), followed by a warm-up of
main-page GETs; the measured run continues those sessions and only GETs. A
response that is not the main page of the session (no id="lblStaffno", the
login page, an error status) or a wrk timeout is a failure.
The demo home is built with "zorvweb-admin demo --employees N" in a temporary
folder (or in --home DIR, kept and reused when it already holds one).
Figures are quoted as ratios to (a); the machine is shared and noisy.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

from benchlib import DEFAULT_SERVER, ROOT, Server

DEFAULT_ADMIN = os.path.join(ROOT, "build", "bench", "src", "tools", "zorvweb-admin")
SESSION_LUA = os.path.join(ROOT, "bench", "session.lua")
WARMUP_SECONDS = 2
SIGN_IN_SECONDS = 5      # the first sign-in round; 64 Argon2id checks alone take about 1.5 s of both cores
SIGN_IN_ROUNDS = 5       # rounds, each twice as long as the one before, before giving up
SIGN_IN_TIMEOUT = "10s"  # a login waits behind the other sessions' password checks

RATIO_GOAL = 0.15        # (m)/(a)
P99_GOAL_MS = 50.0       # p99 of (m)
THROUGHPUT_GOAL = 8000.0  # req/s of (m)

RESULT = re.compile(r"^RESULT (\S+) (\S+) (\S+) (\d+) (\d+) (\d+)$", re.M)
SESSIONS = re.compile(r"^SESSIONS (\d+) (\d+) (\d+) (\d+)$", re.M)


def set_ini_value(path, section, key, value):
    """Sets key=value in section of an INI file (names compared without case):
    replaces the key's line, else adds it under the section's header, else
    appends the section."""
    with open(path, encoding="latin-1") as f:
        lines = f.read().splitlines()
    header = re.compile(r"^\s*\[\s*" + re.escape(section) + r"\s*\]\s*$", re.I)
    entry = re.compile(r"^\s*" + re.escape(key) + r"\s*=", re.I)
    start = next((i for i, line in enumerate(lines) if header.match(line)), None)
    if start is None:
        lines += ["", f"[{section}]", f"{key}={value}"]
    else:
        end = next((i for i in range(start + 1, len(lines)) if lines[i].lstrip().startswith("[")), len(lines))
        at = next((i for i in range(start + 1, end) if entry.match(lines[i])), None)
        if at is None:
            lines.insert(start + 1, f"{key}={value}")
        else:
            lines[at] = f"{key}={value}"
    with open(path, "w", encoding="latin-1") as f:
        f.write("\n".join(lines) + "\n")


def wrk(port, connections, seconds, args, timeout="5s"):
    """One wrk run of bench/session.lua; the figures of its RESULT line and,
    in mode "main", of its SESSIONS line."""
    cmd = ["wrk", f"-t{connections}", f"-c{connections}", f"-d{seconds}s", "--timeout", timeout,
           "-s", SESSION_LUA, f"http://127.0.0.1:{port}/", "--"] + args
    out = subprocess.run(cmd, check=True, stdout=subprocess.PIPE, text=True).stdout
    m = RESULT.search(out)
    if not m:
        raise RuntimeError("wrk printed no RESULT line:\n" + out)
    figures = {"per_s": float(m.group(1)), "p50": float(m.group(2)), "p99": float(m.group(3)),
               "failures": int(m.group(4)), "requests": int(m.group(5)), "bytes": int(m.group(6))}
    s = SESSIONS.search(out)
    if s:
        figures.update(signed_in=int(s.group(1)), sign_ins=int(s.group(2)), wrong=int(s.group(3)),
                       timeouts=int(s.group(4)))
    return figures


def measure_bare(port, connections, seconds):
    wrk(port, connections, WARMUP_SECONDS, ["get"])
    return wrk(port, connections, seconds, ["get"])


def measure_main(port, connections, seconds, sessions_file):
    """Signs every session in (rounds in which a thread stops once signed in,
    so the sign-ins do not compete with main-page GETs), warms up with GETs
    of the main page, then measures GETs on those sessions."""
    if os.path.exists(sessions_file):
        os.remove(sessions_file)
    warm = None
    for round_ in range(SIGN_IN_ROUNDS):
        # A round that ends cuts off the sign-ins under way, so a longer one follows.
        length = SIGN_IN_SECONDS << round_
        warm = wrk(port, connections, length, ["main", sessions_file, "signin"], timeout=SIGN_IN_TIMEOUT)
        print(f"  signed in after a {length} s round: {warm['signed_in']} of {connections} sessions", file=sys.stderr)
        if warm["signed_in"] == connections:
            break
    else:
        raise RuntimeError(f"only {warm['signed_in']} of {connections} sessions signed in during the warm-up "
                           f"({warm['failures']} failures in its last round)")
    wrk(port, connections, WARMUP_SECONDS, ["main", sessions_file])
    return wrk(port, connections, seconds, ["main", sessions_file])


def seconds(text):
    """A duration as wrk takes it: 10, 10s, 2m or 1h."""
    m = re.fullmatch(r"(\d+)([smh]?)", text.strip())
    if not m or int(m.group(1)) < 1:
        raise argparse.ArgumentTypeError(f"not a duration: {text}")
    return int(m.group(1)) * {"": 1, "s": 1, "m": 60, "h": 3600}[m.group(2)]


def prepare_home(admin, home, employees):
    """A demo home: home when it holds an installation, else one built there."""
    if os.path.isfile(os.path.join(home, "zorvweb.ini")):
        return
    if not os.access(admin, os.X_OK):
        sys.exit(f"no zorvweb-admin at {admin} (run bench/run-all.sh)")
    subprocess.run([admin, "demo", "--home", home, "--employees", str(employees)], check=True,
                   stdout=subprocess.DEVNULL)


def print_report(cases, connections, duration):
    bare, main, nocache = cases["bare"], cases["main"], cases["main, no cache"]
    print(f"wrk on 127.0.0.1: {connections} connections = {connections} sessions "
          f"(signed in as supervisor, hr, admin), {duration} s per case")
    print(f"{'case':<15} {'req/s':>10} {'p50 ms':>9} {'p99 ms':>9} {'body bytes':>10} {'failures':>9} {'ratio':>9}")
    for name, case in cases.items():
        print(f"{name:<15} {case['per_s']:10.0f} {case['p50']:9.2f} {case['p99']:9.2f} {case['bytes']:10d} "
              f"{case['failures']:9d} {case['per_s'] / bare['per_s']:9.3f}")
    print()
    ratio = main["per_s"] / bare["per_s"]
    checks = [
        (f"(m)/(a) main/bare   = {ratio:.3f}  (goal >= {RATIO_GOAL:.2f})", ratio >= RATIO_GOAL),
        (f"p99 of (m)          = {main['p99']:.2f} ms (goal < {P99_GOAL_MS:.0f} ms)", main["p99"] < P99_GOAL_MS),
        (f"(m) throughput      = {main['per_s']:.0f} req/s (goal >= {THROUGHPUT_GOAL:.0f})",
         main["per_s"] >= THROUGHPUT_GOAL),
    ]
    for text, met in checks:
        print(f"{text}  {'met' if met else 'MISSED'}")
    print(f"(m)/(n) cache on/off = {main['per_s'] / nocache['per_s']:.2f}  "
          f"((n)/(a) = {nocache['per_s'] / bare['per_s']:.3f})")
    failed = sum(c["failures"] for c in cases.values())
    sign_ins = main["sign_ins"] + nocache["sign_ins"]
    if sign_ins:
        print(f"{sign_ins} sessions signed in again during the measured runs")
    if failed:
        detail = ", ".join(f"{name}: {c['wrong']} not the main page, {c['timeouts']} timeouts (5 s)"
                           for name, c in cases.items() if "wrong" in c)
        print(f"{failed} failed responses ({detail}): the figures do not count")
    return 0 if not failed and not sign_ins and all(met for _, met in checks) else 1


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--server", default=DEFAULT_SERVER)
    ap.add_argument("--admin", default=DEFAULT_ADMIN)
    ap.add_argument("--home", help="demo home to use (built there when it holds none); default: a temporary one")
    ap.add_argument("--employees", type=int, default=300, help="employees of a newly built demo home")
    ap.add_argument("--duration", type=seconds, default=10, help="length of each measured run: 10, 10s, 1m")
    ap.add_argument("--connections", type=int, default=int(os.environ.get("CONNECTIONS", 64)))
    args = ap.parse_args()
    if not os.access(args.server, os.X_OK):
        sys.exit(f"no server at {args.server} (run bench/run-all.sh)")
    if not shutil.which("wrk"):
        sys.exit("wrk is not installed")

    scratch = tempfile.mkdtemp(prefix="zorvweb-mainpage-")
    home = os.path.abspath(args.home or os.path.join(scratch, "home"))
    sessions_file = os.path.join(scratch, "sessions")
    ini = os.path.join(home, "zorvweb.ini")
    original_ini = None
    try:
        prepare_home(args.admin, home, args.employees)
        with open(ini, "rb") as f:
            original_ini = f.read()
        cases = {}
        with Server(server=args.server, home=home, start_page="TfrmBare") as s:
            cases["bare"] = measure_bare(s.port, args.connections, args.duration)
        for name, cache in (("main", 1), ("main, no cache", 0)):
            set_ini_value(ini, "web", "ReferenceCache", cache)
            with Server(server=args.server, home=home) as s:
                cases[name] = measure_main(s.port, args.connections, args.duration, sessions_file)
    finally:
        if original_ini is not None and args.home:
            with open(ini, "wb") as f:
                f.write(original_ini)
        shutil.rmtree(scratch, ignore_errors=True)
    return print_report(cases, args.connections, args.duration)


if __name__ == "__main__":
    sys.exit(main())
