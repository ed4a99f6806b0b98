#!/usr/bin/env python3
"""A loopback HTTP server for the HTTP client's tests under Wine.

Usage: http_test_server.py PORT_FILE [FILES_DIR]. Listens on 127.0.0.1 (a
free port), writes the port number to PORT_FILE, and ends by itself after 60
seconds. With FILES_DIR, "/files/NAME" answers with FILES_DIR/NAME (404 when
there is none) and every such request is appended to FILES_DIR/requests.log.
"""
import http.server
import os
import sys
import threading


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        if self.path.startswith("/files/") and FILES_DIR:
            self.send_file(self.path[len("/files/"):].split("?")[0])
        elif self.path == "/headers":
            body = b"x" * 1234
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Set-Cookie", "first=1")
            self.send_header("Set-Cookie", "second=2")
            self.send_header("X-Empty", "")
            self.send_header("X-Cache-Control-Seen", self.headers.get("Cache-Control", "none"))
            self.send_header("X-Object", self.path)
            self.end_headers()
            self.wfile.write(body)
        elif self.path.startswith("/echo"):
            body = self.path.encode()
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        else:  # chunked, without a length
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for piece in (b"abc", b"defgh"):
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")

    def send_file(self, name):
        path = os.path.join(FILES_DIR, os.path.basename(name))
        body = b"<html>404 Not Found</html>"
        status = 404
        if name and os.path.isfile(path):
            with open(path, "rb") as f:
                body = f.read()
            status = 200
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache, no-store")
        self.end_headers()
        self.wfile.write(body)
        with open(os.path.join(FILES_DIR, "requests.log"), "a") as log:
            log.write(self.path + "\n")

    def log_message(self, *args):
        pass


FILES_DIR = None


def detach_from_caller():
    """Drops the standard streams and any other descriptor inherited from the
    test runner. The test cannot end this process (Wine's TerminateProcess
    does not reach a Linux program), and a runner such as ctest waits until
    every holder of its output pipe has gone."""
    null = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(null, fd)
    os.closerange(3, 1024)


def main():
    global FILES_DIR
    if len(sys.argv) > 2:
        FILES_DIR = sys.argv[2]
    detach_from_caller()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    with open(sys.argv[1], "w") as f:
        f.write(str(server.server_address[1]))
    threading.Timer(60, server.shutdown).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
