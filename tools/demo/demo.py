"""Runs the client of a build against the local demo site.

    demo.py run BUILD                 until the user closes the client
    demo.py screenshot BUILD [PNG]    saves the window once the home page and the
                                      configuration have loaded, then closes the client

The demo site is served on a free loopback port for as long as this program runs. The
X display is the caller's (cmake/with-display.sh gives one when there is none).
"""

import os
import signal
import sys

import main_window
from demo_server import DemoServer
from wine_client import ROOT, WineClient

START_TIMEOUT = 60      # s: the window appears
READY_TIMEOUT = 120     # s: page and configuration loaded on a busy machine
CLOSE_TIMEOUT = 60      # s: the engine closes every browser and the process ends


def serve(build):
    return DemoServer(os.path.join(ROOT, "demo"), os.path.join(build, "demo", "config.dat"))


def run(client):
    code = client.wait()
    print(f"The client exited with code {code}.")
    return code


def screenshot(client, path):
    window = main_window.wait_for_window(START_TIMEOUT)
    image = main_window.wait_until_ready(window, READY_TIMEOUT)
    image.save_png(path)
    print(f"Saved {path} ({image.width} x {image.height}).")
    window.click(*main_window.CLOSE_BUTTON)
    code = client.wait(CLOSE_TIMEOUT)
    if code is None:
        print("The client did not close in time.", file=sys.stderr)
        return 1
    return code


def main(command, build, png=None):
    build = os.path.abspath(build)
    # A stop request ends this program through its clean-up path below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    server = serve(build)
    client = WineClient(build, [f"--site-root={server.url}"])
    try:
        client.warm()
        client.start()
        print(f"Zeltavue is running against the demo site at {server.url} "
              f"on display {os.environ.get('DISPLAY')}.", flush=True)
        if command == "run":
            return run(client)
        return screenshot(client, png or os.path.join(build, "screenshot.png"))
    finally:
        client.kill()
        server.stop()


if __name__ == "__main__":
    if len(sys.argv) < 3 or sys.argv[1] not in ("run", "screenshot"):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
