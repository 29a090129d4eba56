#!/usr/bin/python3
"""The bundled vendor site: an HTTP server and an FTP server on 127.0.0.1.

Started by scripts/vendor-site.  Serves ROOT over HTTP and ROOT/ftp over FTP
(one account, read-only, active and passive mode), on free ports unless
given.  The auction site's search addresses are answered with the sample
listings of ROOT/listings.txt whose titles hold a searched variant.  Once
both servers listen it writes "HTTP_PORT FTP_PORT" to
STATE/ports; every HTTP request line is appended to STATE/requests.log.
SIGTERM stops both servers and the process.

Run with Debian's /usr/bin/python3: pyftpdlib comes from python3-pyftpdlib.
"""
import argparse
import html
import logging
import os
import re
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


def decoded(raw):
    return typed_text(urllib.parse.unquote_to_bytes(raw))


def search_phrases(path):
    """The phrases one search path asks for, or None when it is no search.

    The auction site's addresses: "/search/search.dll?satitle=TEXT" (one
    variant); "/(a,b,c,)" (a letter-order group, every variant followed by a
    comma); "/canon%20(camrea,cmaera)%20lens" (a batch: each variant stands
    between the words around the group); "/TEXT" (one variant alone).  The
    group's own parentheses and commas are bare; encoded ones (%28, %2C, %29)
    belong to the text.
    """
    parts = urllib.parse.urlsplit(path)
    if parts.path.startswith("/search/search.dll"):
        # latin-1 maps bytes to characters one to one: back to bytes
        # unchanged, then decoded as typed.
        query = urllib.parse.parse_qs(parts.query, encoding="latin-1")
        return [typed_text(t.encode("latin-1")) for t in query.get("satitle", [""])]
    text = parts.path[1:]
    opening, closing = text.find("("), text.rfind(")")
    if 0 <= opening < closing:
        before, after = decoded(text[:opening]), decoded(text[closing + 1:])
        return [before + decoded(t) + after for t in text[opening + 1:closing].split(",") if t]
    return [decoded(text)]


def words_of(text):
    return re.findall(r"\w+", text.casefold())


def read_listings(root):
    """(price, bids, title) of each line "PRICE TAB BIDS TAB TITLE" of
    listings.txt; lines starting with # are comments.  At most 1 MiB read."""
    try:
        with open(os.path.join(root, "listings.txt"), "rb") as source:
            text = source.read(1 << 20).decode("utf-8", errors="replace")
    except OSError:
        return []
    listings = []
    for line in text.splitlines():
        fields = line.split("\t")
        if len(fields) == 3 and not line.startswith("#"):
            listings.append(tuple(fields))
    return listings


def matching_listings(listings, phrases):
    """The listings whose titles hold every word of at least one phrase, as
    the auction site's search matches words in any order and letter case."""
    wanted = [set(words_of(p)) for p in phrases if words_of(p)]
    return [l for l in listings if any(w <= set(words_of(l[2])) for w in wanted)]


def results_page(phrases, listings):
    items = "".join(f"<li>{html.escape(t)}</li>" for t in phrases)
    rows = "".join(
        f"<tr><td>{html.escape(title)}</td><td>{html.escape(price)}</td><td>{html.escape(bids)}</td></tr>"
        for price, bids, title in listings)
    found = (f"<table class=\"listings\"><tr><th>Title</th><th>Price</th><th>Bids</th></tr>{rows}</table>"
             if listings else "<p>No listing matches.</p>")
    return (
        "<html><head><meta charset=\"utf-8\"><title>Auction search</title>"
        "<link rel=\"stylesheet\" href=\"/style.css\"></head><body>"
        "<h2>Auction search (local stand-in)</h2>"
        f"<h3>{len(listings)} listing(s) found</h3>{found}"
        f"<p>{len(phrases)} search term(s):</p><ul class=\"terms\">{items}</ul>"
        "</body></html>"
    ).encode("utf-8")


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
            """The auction site's search addresses, answered locally.  A path
            naming a file of the site, or one that looks like a file name
            (one with a dot and no group), is left to the file server."""
            raw = urllib.parse.urlsplit(self.path).path
            if not raw.startswith("/search/search.dll"):
                if raw == "/" or "/" in raw[1:] or os.path.exists(self.translate_path(self.path)):
                    return False
                if "(" not in raw and "." in raw:
                    return False
            phrases = search_phrases(self.path)
            body = results_page(phrases, matching_listings(read_listings(root), phrases))
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
