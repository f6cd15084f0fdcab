"""The demo site on a free loopback port: the demo folder as the site root, and the packed
configuration document as /config.dat. It serves from a thread of the program that
starts it, so it ends with that program whatever way it ends."""

import functools
import http.server
import os
import threading


class DemoHandler(http.server.SimpleHTTPRequestHandler):
    """Serves files of the demo folder; /config.dat comes from the build."""

    def __init__(self, *args, config_dat, **kwargs):
        self.config_dat = config_dat
        super().__init__(*args, **kwargs)

    def translate_path(self, path):
        if path.split("?", 1)[0] == "/config.dat":
            return self.config_dat
        return super().translate_path(path)

    def log_message(self, format, *args):  # noqa: A002 (the base class's name)
        pass  # a request log would bury the client's own output


class DemoServer:
    """A threaded server on 127.0.0.1 with a port the system picks; stop() ends it."""

    def __init__(self, demo_dir, config_dat):
        for path in (demo_dir, config_dat):
            if not os.path.exists(path):
                raise FileNotFoundError(path)
        handler = functools.partial(DemoHandler, directory=demo_dir, config_dat=config_dat)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}"

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()
