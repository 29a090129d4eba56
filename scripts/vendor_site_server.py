#!/usr/bin/python3
"""The bundled vendor site: an HTTP server and an FTP server on 127.0.0.1.

Started by scripts/vendor-site.  Serves ROOT over HTTP and ROOT/ftp over FTP
(one account, read-only, active and passive mode), on free ports unless
given.  Once both servers listen it writes "HTTP_PORT FTP_PORT" to
STATE/ports; every HTTP request line is appended to STATE/requests.log.
SIGTERM stops both servers and the process.

Run with Debian's /usr/bin/python3: pyftpdlib comes from python3-pyftpdlib.
"""
import argparse
import html
import logging
import os
import signal
import sys
import threading
import urllib.parse
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

FTP_PASSWORD = "quiltor"


def typed_text(raw):
    """Percent-decoded bytes back to the text the user typed.

    The browser pane sends UTF-8; a client that sends the program's own
    Windows-1252 bytes as they are is understood too.
    """
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp1252", errors="replace")


def make_http_handler(root, request_log):
    log_lock = threading.Lock()

    class Handler(SimpleHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=root, **kwargs)

        def parse_request(self):
            ok = super().parse_request()
            with log_lock, open(request_log, "a", encoding="latin-1") as log:
                log.write(self.requestline + "\n")
            # The program asks for pages as the home page address followed by
            # a path of its own ("http://host/" + "/VornthalBanners.txt", or
            # "\tarnwick\help123.html", which browsers turn into
            # "//tarnwick/help123.html"): the file at the root answers.
            if ok and self.path.startswith("//"):
                self.path = "/" + self.path.lstrip("/")
            return ok

        def do_GET(self):
            if self.stand_in_search():
                return
            super().do_GET()

        def do_HEAD(self):
            if self.stand_in_search(head=True):
                return
            super().do_HEAD()

        def stand_in_search(self, head=False):
            """The auction site's two search addresses, answered locally."""
            path = urllib.parse.unquote_to_bytes(self.path)
            if path.startswith(b"/search/search.dll"):
                # latin-1 maps bytes to characters one to one: back to bytes
                # unchanged, then decoded as typed.
                query = urllib.parse.parse_qs(urllib.parse.urlsplit(self.path).query,
                                              encoding="latin-1")
                terms = [typed_text(t.encode("latin-1")) for t in query.get("satitle", [""])]
            elif path.startswith(b"/(") and path.endswith(b")"):
                terms = [typed_text(t) for t in path[2:-1].split(b",") if t]
            else:
                return False
            items = "".join(f"<li>{html.escape(t)}</li>" for t in terms)
            body = (
                "<html><head><meta charset=\"utf-8\"><title>Auction search</title></head><body>"
                "<h2>Auction search (local stand-in)</h2>"
                f"<p>{len(terms)} search term(s):</p><ul>{items}</ul>"
                "</body></html>"
            ).encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if not head:
                self.wfile.write(body)
            return True

        def list_directory(self, path):
            self.send_error(404, "Not found")
            return None

        def log_message(self, format, *args):
            pass

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--state", required=True)
    parser.add_argument("--ftp-user", default="wordvane")
    parser.add_argument("--http-port", type=int, default=0)
    parser.add_argument("--ftp-port", type=int, default=0)
    args = parser.parse_args()

    root = os.path.abspath(args.root)
    ftp_root = os.path.join(root, "ftp")
    os.makedirs(ftp_root, exist_ok=True)
    state = os.path.abspath(args.state)
    logging.basicConfig(filename=os.path.join(state, "ftp.log"), level=logging.INFO)

    httpd = ThreadingHTTPServer(("127.0.0.1", args.http_port),
                                make_http_handler(root, os.path.join(state, "requests.log")))
    httpd.daemon_threads = True

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.ftp_user, FTP_PASSWORD, ftp_root, perm="elr")
    handler = type("VendorFtpHandler", (FTPHandler,), {})
    handler.authorizer = authorizer
    handler.banner = "Tarnwick banner server ready."
    ftpd = FTPServer(("127.0.0.1", args.ftp_port), handler)

    def stop(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    http_thread = threading.Thread(target=httpd.serve_forever, daemon=True)
    http_thread.start()

    ports = f"{httpd.server_address[1]} {ftpd.address[1]}\n"
    tmp = os.path.join(state, "ports.tmp")
    with open(tmp, "w") as out:
        out.write(ports)
    os.replace(tmp, os.path.join(state, "ports"))

    try:
        ftpd.serve_forever(handle_exit=True)
    finally:
        httpd.shutdown()
        httpd.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
