"""Helpers of the benchmark scripts: a server process with its own demo home
on a loopback port, and the resident memory of a process."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_SERVER = os.path.join(ROOT, "build", "bench", "src", "server", "zorvweb")
DEFAULT_ASSETS = os.path.join(ROOT, "assets")


class Server:
    """zorvweb on port 0 in a fresh demo home (or in home, an existing one,
    which is kept); start_page names a test page of the test build (None: the
    login page)."""

    def __init__(self, server=DEFAULT_SERVER, assets=DEFAULT_ASSETS, start_page=None, web_settings=None, home=None):
        self.home = home
        self.web_settings = web_settings or {}
        self.server = server
        self.assets = assets
        self.start_page = start_page
        self.proc = None
        self.port = None
        self.dir = None

    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="zorvweb-bench-")
        home = self.home or os.path.join(self.dir, "home")
        if not self.home:
            subprocess.run([os.path.join(ROOT, "db", "demo", "create-demo"), home], check=True,
                           stdout=subprocess.DEVNULL)
        if self.web_settings:
            ini = os.path.join(home, "zorvweb.ini")
            with open(ini) as f:
                text = f.read()
            extra = "".join(f"{k}={v}\n" for k, v in self.web_settings.items())
            with open(ini, "w") as f:
                f.write(text.replace("[web]\n", "[web]\n" + extra, 1))
        env = dict(os.environ)
        env.pop("ZORV_START_PAGE", None)
        if self.start_page:
            env["ZORV_START_PAGE"] = self.start_page
        self.stderr = open(os.path.join(self.dir, "stderr"), "w+")
        self.proc = subprocess.Popen([self.server, "--home", home, "--assets", self.assets, "--port", "0"],
                                     env=env, stdout=subprocess.PIPE, stderr=self.stderr, text=True)
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            line = self.proc.stdout.readline()
            if not line:
                break
            m = re.search(r"listening on port (\d+)", line)
            if m:
                self.port = int(m.group(1))
                return self
        self.__exit__(None, None, None)
        raise RuntimeError("the server did not start")

    def __exit__(self, *exc):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.stderr:
            self.stderr.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def rss_kb(self):
        with open(f"/proc/{self.proc.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        raise RuntimeError("no VmRSS")

    def threads(self):
        return len(os.listdir(f"/proc/{self.proc.pid}/task"))
