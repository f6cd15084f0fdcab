"""The client executable of a build, run under the build's Wine prefix as a user would
start it, and observed from Linux: its process, its renderer sub-processes, its memory."""

import os
import signal
import subprocess
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXE_NAME = "Zeltavue.exe"


def wine_environment(build):
    """The environment every Wine call on the build's prefix shares (cmake/wine-env.sh)."""
    arch = subprocess.run([os.path.join(ROOT, "cmake", "test-arch.sh")],
                          capture_output=True, text=True, check=True).stdout.strip()
    script = '. "$0" "$1" "$2" && env -0'
    out = subprocess.run(["bash", "-c", script, os.path.join(ROOT, "cmake", "wine-env.sh"),
                          os.path.join(build, "wineprefix"), arch],
                         capture_output=True, check=True).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


def read_status(pid):
    """/proc/PID/status as a dict of its fields; empty when the process is gone."""
    try:
        with open(f"/proc/{pid}/status", encoding="ascii", errors="replace") as f:
            return dict(line.rstrip("\n").split(":\t", 1) for line in f if ":\t" in line)
    except OSError:
        return {}


MEMORY_FIELDS = ("VmRSS", "RssAnon", "VmData")


def memory_kib(pid):
    """The MEMORY_FIELDS of a Linux process in KiB: resident, of it the private part not
    backed by files, and the data segment."""
    status = read_status(pid)
    return tuple(int(status.get(key, "0 kB").split()[0]) for key in MEMORY_FIELDS)


def wine_processes(prefix, name=EXE_NAME):
    """Linux pids of the prefix's Wine processes running `name`, with their command lines.
    Wine names each process after its executable (cut to the kernel's 15 characters)."""
    found = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm", encoding="utf-8", errors="replace") as f:
                comm = f.read().rstrip("\n")
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                cmdline = f.read().decode(errors="replace").split("\0")
            with open(f"/proc/{entry}/environ", "rb") as f:
                environ = f.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        named = comm == name[:15] or any(arg.endswith(name) for arg in cmdline[:2])
        if named and f"WINEPREFIX={prefix}" in environ:
            found[int(entry)] = cmdline
    return found


class WineClient:
    """One run of the build's client. The Linux process that `wine` starts becomes the
    Windows process itself, so its pid is the client's and its exit code the client's."""

    def __init__(self, build, args=()):
        self.build = os.path.abspath(build)
        self.exe = os.path.join(self.build, "app", EXE_NAME)
        if not os.path.isfile(self.exe):
            raise FileNotFoundError(f"{self.exe} was not built")
        self.env = wine_environment(self.build)
        self.args = list(args)
        self.process = None
        self.log_path = os.path.join(self.build, "demo", "client.log")

    def warm(self):
        """Starts the prefix's server and desktop for this display the way the tests do,
        so the client's own start is not charged with them."""
        subprocess.run([os.path.join(self.build, "wine-run.sh"), "cmd.exe", "/c", "exit"],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)

    def start(self):
        os.makedirs(os.path.dirname(self.log_path), exist_ok=True)
        # Files, not pipes: Wine's helper processes inherit the streams and outlive us.
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(
                [self.env["WINE"], self.exe, *self.args], cwd=os.path.dirname(self.exe),
                env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        return self

    @property
    def pid(self):
        return self.process.pid

    def wait(self, timeout=None):
        """The exit code; None when it is still running after `timeout` seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        """Ends the client, if it still runs, and every sub-process it left."""
        if self.process is None:
            return
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for pid in self.renderers():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def renderers(self):
        """Pids of this prefix's client processes other than the client itself: the
        engine's sub-processes started from the same executable."""
        pids = wine_processes(self.env["WINEPREFIX"])
        pids.pop(self.pid, None)
        return sorted(pids)

    def wait_for_renderers_to_end(self, timeout):
        deadline = time.monotonic() + timeout
        while self.renderers() and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.renderers()
