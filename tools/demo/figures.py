"""Start-up, paint, pop-up and stability figures of the real client against the demo
site (run by make bench):

    figures.py BUILD [CYCLES]

Timings come from bench/client/client_probe.exe, which watches the client from another
Windows process; memory comes from Linux (/proc/PID/status of the client's Wine process),
because Wine reports no private bytes. A plain Win32 window measured the same way shows
how much of each figure the system itself costs.
"""

import os
import subprocess
import sys

import main_window
from demo_server import DemoServer
from wine_client import MEMORY_FIELDS, ROOT, WineClient, memory_kib
from x_screen import Window

FIRST_FRAME_RUNS = 5
WARM_UP_CYCLES = 3
PLAIN_TITLE = "^Plain window$"


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def probe(build, *args):
    exe = os.path.join(build, "bench", "client", "client_probe.exe")
    result = subprocess.run([os.path.join(build, "wine-run.sh"), exe, *args],
                            stdin=subprocess.DEVNULL, capture_output=True, text=True)
    sys.stdout.write(result.stdout)
    if result.returncode != 0:
        raise RuntimeError(f"client_probe {args[0]} failed: {result.stderr.strip()}")


def print_memory(label, pid):
    values = "   ".join(f"{name} {kib / 1024:6.1f} MB" for name, kib in zip(MEMORY_FIELDS, memory_kib(pid)))
    print(f"  {label:<40} {values}")


def plain_window_memory(build, env):
    """Memory of the plain window once it shows: the floor of any Wine GUI process."""
    exe = os.path.join(build, "bench", "client", "plain_window.exe")
    process = subprocess.Popen([env["WINE"], exe], env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        Window.find(PLAIN_TITLE, 60)
        print_memory("plain Win32 window (floor)", process.pid)
    finally:
        process.kill()
        process.wait()


def renderer_memory(client):
    for pid in client.renderers():
        print_memory(f"renderer sub-process {pid} (not counted)", pid)


def first_frames(build, client):
    command = f'"{windows_path(client.exe)}" {client.args[0]}'
    probe(build, "first-frame", str(FIRST_FRAME_RUNS), "MainWndClass", command)
    plain = windows_path(os.path.join(build, "bench", "client", "plain_window.exe"))
    probe(build, "first-frame", str(FIRST_FRAME_RUNS), "PlainWindowClass", f'"{plain}"')


def running_client_figures(build, client, cycles):
    window = main_window.wait_for_window(60)
    image = main_window.wait_until_ready(window, 120)
    print("memory with the home tab loaded")
    print_memory("client process", client.pid)
    renderer_memory(client)
    plain_window_memory(build, client.env)
    probe(build, "repaint")
    x, y, _, _ = window.geometry()
    lx, ly = main_window.first_popup_link(image)
    link = (str(x + lx), str(y + ly))
    probe(build, "cycles", str(WARM_UP_CYCLES), *link)
    before = memory_kib(client.pid)
    probe(build, "cycles", str(cycles), *link)
    after = memory_kib(client.pid)
    print(f"memory over {cycles} cycles (after {WARM_UP_CYCLES} to warm up)")
    for name, b, a in zip(MEMORY_FIELDS, before, after):
        print(f"  {name:<7} before {b / 1024:7.1f} MB   after {a / 1024:7.1f} MB   "
              f"growth {(a - b) / 1024:+6.1f} MB")
    window.click(*main_window.CLOSE_BUTTON)
    code = client.wait(60)
    left = client.wait_for_renderers_to_end(30)
    print(f"closed: exit code {code}, {len(left)} renderer processes left")
    return code == 0 and not left


def main(build, cycles="200"):
    build = os.path.abspath(build)
    server = DemoServer(os.path.join(ROOT, "demo"), os.path.join(build, "demo", "config.dat"))
    client = WineClient(build, [f"--site-root={server.url}"])
    try:
        client.warm()
        first_frames(build, client)
        client.start()
        return 0 if running_client_figures(build, client, int(cycles)) else 1
    finally:
        client.kill()
        server.stop()


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
