#!/usr/bin/python3
"""Logon throughput: successful logins per second, and the login page GET as a
ratio to the bare page of the same server binary.

    bench/logins.py [--server PATH] [--admin PATH] [--home DIR] [--clients 8]
                    [--duration 10s] [--connections 64]

(1) logins: CLIENTS threads, each on its own keep-alive connection, log in
    again and again for DURATION seconds (after a 2 s warm-up). One login is a
    cookie-less GET / (a new session on the login page, with its zwsid cookie,
    __serial and __csrf) and the POST of the login form with
    __event=cmdLogin:click and a demo user's login, staff number and password.
    It counts only when the answer is the first page after login showing that
    user as signed in; anything else is a failure. Most of a login's time is
    the Argon2id check of the password.
(2) the login page GET and (a) the bare page GET (TfrmBare, test build),
    measured exactly as bench/http.sh measures its cases (a) and (b): wrk with
    CONNECTIONS threads and connections, bench/session.lua "get", one session
    per keep-alive connection, a 2 s warm-up, then DURATION seconds.
Each case runs its own server on 127.0.0.1, port 0, in the same demo home: the
one given by --home (built there with "zorvweb-admin demo" when it holds no
installation, and kept), else one built in a temporary folder and removed.
Figures are quoted as ratios to (a); the machine is shared and noisy.
"""

import argparse
import http.client
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

from benchlib import DEFAULT_SERVER, ROOT, Server

DEFAULT_ADMIN = os.path.join(ROOT, "build", "bench", "src", "tools", "zorvweb-admin")
SESSION_LUA = os.path.join(ROOT, "bench", "session.lua")
WARMUP_SECONDS = 2
LOGIN_GET_GOAL = 0.5  # bench/http.sh's goal for (b)/(a)

# The demo logins: the password is the login name.
DEMO_USERS = [("admin", "1001"), ("supervisor", "1002"), ("hr", "1003"), ("timekeeper", "1004"),
              ("employee", "1005"), ("consultant", "1006"), ("doctor", "1007")]

SERIAL = re.compile(r'name="__serial" value="(\d+)"')
CSRF = re.compile(r'name="__csrf" value="([0-9a-fA-F]+)"')
SESSION_COOKIE = re.compile(r"zwsid=([0-9a-f]+)")


class LoginFailed(Exception):
    pass


def login_once(conn, login, staff_no):
    """Logs one demo user in on a new session; raises LoginFailed unless the
    first page after login shows the user signed in."""
    conn.request("GET", "/")
    r = conn.getresponse()
    page = r.read().decode("utf-8", "replace")
    cookie = SESSION_COOKIE.search(r.getheader("Set-Cookie") or "")
    serial, csrf = SERIAL.search(page), CSRF.search(page)
    if r.status != 200 or not cookie or not serial or not csrf or 'name="edtPassword"' not in page:
        raise LoginFailed(f"GET / answered {r.status} without a login page of a new session")
    form = urllib.parse.urlencode({
        "__serial": serial.group(1), "__csrf": csrf.group(1), "__event": "cmdLogin:click",
        "edtLogin": login, "edtStaffno": staff_no, "edtPassword": login,
    })
    conn.request("POST", "/", body=form, headers={
        "Cookie": "zwsid=" + cookie.group(1), "Content-Type": "application/x-www-form-urlencoded"})
    r = conn.getresponse()
    page = r.read().decode("utf-8", "replace")
    # The main page shows the signed-in employee's staff number.
    signed_in = 'id="TfrmMainDetails"' in page and re.search(
        r'id="lblStaffno"[^>]*>\s*' + re.escape(staff_no) + r'\s*<', page) is not None
    if r.status != 200 or not signed_in or 'name="edtPassword"' in page:
        raise LoginFailed(f"the login of {login} answered {r.status} without the first page after login")


class LoginClient(threading.Thread):
    """Logs in until stop is set; records the seconds of every login that
    ended after measure_from, and the failures."""

    def __init__(self, port, index, measure_from, stop):
        super().__init__(daemon=True)
        self.port = port
        self.index = index
        self.measure_from = measure_from
        self.stop = stop
        self.times = []
        self.failures = 0
        self.first_failure = None

    def run(self):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        n = self.index
        while not self.stop.is_set():
            login, staff_no = DEMO_USERS[n % len(DEMO_USERS)]
            n += 1
            t0 = time.monotonic()
            try:
                login_once(conn, login, staff_no)
                ok = True
            except (LoginFailed, OSError, http.client.HTTPException) as e:
                ok = False
                self.first_failure = self.first_failure or str(e)
                conn.close()  # a new connection for the next login
            t1 = time.monotonic()
            if t1 < self.measure_from or self.stop.is_set():
                continue
            if ok:
                self.times.append(t1 - t0)
            else:
                self.failures += 1
        conn.close()


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(len(ordered) * p / 100))] if ordered else float("nan")


def measure_logins(port, clients, duration):
    stop = threading.Event()
    measure_from = time.monotonic() + WARMUP_SECONDS
    threads = [LoginClient(port, i, measure_from, stop) for i in range(clients)]
    for t in threads:
        t.start()
    time.sleep(WARMUP_SECONDS + duration)
    stop.set()
    for t in threads:
        t.join()
    times = [s for t in threads for s in t.times]
    failures = sum(t.failures for t in threads)
    first_failure = next((t.first_failure for t in threads if t.first_failure), None)
    return {"per_s": len(times) / duration, "logins": len(times), "p50": percentile(times, 50) * 1000,
            "p99": percentile(times, 99) * 1000, "failures": failures, "first_failure": first_failure}


def run_wrk(port, connections, seconds):
    """bench/http.sh's measurement of one case: req/s, p50, p99, failures."""
    url = f"http://127.0.0.1:{port}/"
    base = ["wrk", f"-t{connections}", f"-c{connections}", "-s", SESSION_LUA]
    subprocess.run(base + [f"-d{WARMUP_SECONDS}s", url, "--", "get"], check=True, stdout=subprocess.DEVNULL)
    out = subprocess.run(base + [f"-d{seconds}s", "--timeout", "5s", url, "--", "get"], check=True,
                         stdout=subprocess.PIPE, text=True).stdout
    m = re.search(r"^RESULT (\S+) (\S+) (\S+) (\d+) (\d+) (\d+)$", out, re.M)
    if not m:
        raise RuntimeError("wrk printed no RESULT line:\n" + out)
    return {"per_s": float(m.group(1)), "p50": float(m.group(2)), "p99": float(m.group(3)),
            "failures": int(m.group(4))}


def seconds(text):
    """A duration as wrk takes it: 10, 10s, 2m or 1h."""
    m = re.fullmatch(r"(\d+)([smh]?)", text.strip())
    if not m or int(m.group(1)) < 1:
        raise argparse.ArgumentTypeError(f"not a duration: {text}")
    return int(m.group(1)) * {"": 1, "s": 1, "m": 60, "h": 3600}[m.group(2)]


def prepare_home(admin, home):
    """A demo home: home when it holds an installation, else one built there."""
    if os.path.isfile(os.path.join(home, "zorvweb.ini")):
        return
    if not os.access(admin, os.X_OK):
        sys.exit(f"no zorvweb-admin at {admin} (run bench/run-all.sh)")
    subprocess.run([admin, "demo", "--home", home], check=True, stdout=subprocess.DEVNULL)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--server", default=DEFAULT_SERVER)
    ap.add_argument("--admin", default=DEFAULT_ADMIN)
    ap.add_argument("--home", help="demo home to use (built there when it holds none); default: a temporary one")
    ap.add_argument("--clients", type=int, default=8)
    ap.add_argument("--duration", type=seconds, default=10, help="length of each measured run: 10, 10s, 1m")
    ap.add_argument("--connections", type=int, default=int(os.environ.get("CONNECTIONS", 64)))
    args = ap.parse_args()
    if not os.access(args.server, os.X_OK):
        sys.exit(f"no server at {args.server} (run bench/run-all.sh)")
    if not shutil.which("wrk"):
        sys.exit("wrk is not installed")

    scratch = None if args.home else tempfile.mkdtemp(prefix="zorvweb-logins-")
    home = os.path.abspath(args.home or os.path.join(scratch, "home"))
    try:
        prepare_home(args.admin, home)
        with Server(server=args.server, home=home) as s:
            logins = measure_logins(s.port, args.clients, args.duration)
        with Server(server=args.server, home=home) as s:
            login_get = run_wrk(s.port, args.connections, args.duration)
        with Server(server=args.server, home=home, start_page="TfrmBare") as s:
            bare = run_wrk(s.port, args.connections, args.duration)
    finally:
        if scratch:
            shutil.rmtree(scratch, ignore_errors=True)

    print(f"(1) logins: {args.clients} clients, {args.duration} s after a {WARMUP_SECONDS} s warm-up, "
          f"demo users {DEMO_USERS[0][0]} … {DEMO_USERS[-1][0]}")
    print(f"    {logins['per_s']:.1f} successful logins/s ({logins['logins']} logins), "
          f"p50 {logins['p50']:.1f} ms, p99 {logins['p99']:.1f} ms per login (GET + POST), "
          f"{logins['failures']} failures")
    if logins["first_failure"]:
        print(f"    first failure: {logins['first_failure']}")
    print(f"(2) wrk on 127.0.0.1: {args.connections} connections = {args.connections} sessions, "
          f"{args.duration} s per case")
    print(f"    {'case':<11} {'req/s':>10} {'p50 ms':>9} {'p99 ms':>9} {'failures':>9} {'ratio':>9}")
    for name, case in (("bare", bare), ("login GET", login_get)):
        print(f"    {name:<11} {case['per_s']:10.0f} {case['p50']:9.2f} {case['p99']:9.2f} {case['failures']:9d} "
              f"{case['per_s'] / bare['per_s']:9.2f}")
    get_ratio = login_get["per_s"] / bare["per_s"]
    met = get_ratio >= LOGIN_GET_GOAL
    print()
    print(f"login GET / bare page = {get_ratio:.2f}  (goal >= {LOGIN_GET_GOAL:.2f})  {'met' if met else 'MISSED'}")
    print(f"logins / bare page    = {logins['per_s'] / bare['per_s']:.4f}")
    failed = logins["failures"] + login_get["failures"] + bare["failures"]
    if logins["logins"] == 0 or failed:
        print(f"{failed} failed requests or logins: the figures do not count")
        return 1
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
