#!/usr/bin/env python3
"""Local HTTP/HTTPS server for the web tests, driven by its owner through stdin.

Binds 127.0.0.1 on a port the OS chooses and prints "port N". Serves the files of --root for GET
and records the body of every POST. Commands, one per line on stdin, each answered by one line:
  route PATH ACTION   ACTION: status:CODE | redirect:LOCATION | stall | stall-body | short | serve
                      (stall: no answer at all; stall-body: half the file, then silence;
                      short: half the file, then hang up)                           -> "ok"
  count PATH          number of requests seen for PATH                               -> "count N"
  posts PATH          JSON list of the base64 POST bodies received for PATH           -> "posts [...]"
The server stops when stdin closes (its owner went away) or after --lifetime seconds at the latest.
"""

import argparse
import base64
import http.server
import json
import os
import select
import shutil
import socket
import ssl
import sys
import threading
import time
import urllib.parse

STALL_LIMIT_S = 30.0

stop_event = threading.Event()
state_lock = threading.Lock()
routes = {}
counts = {}
posts = {}


def wait_for_client_close(connection, limit):
    """Holds a stalled connection until the client gives up, the server stops or the limit passes."""
    deadline = time.monotonic() + limit
    while not stop_event.is_set() and time.monotonic() < deadline:
        try:
            readable, _, _ = select.select([connection], [], [], 0.1)
            if readable and connection.recv(1, socket.MSG_PEEK) == b"":
                return
        except (OSError, ValueError):
            return


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."

    def log_message(self, fmt, *args):
        pass

    def _path(self):
        return urllib.parse.urlsplit(self.path).path

    def _begin(self):
        path = self._path()
        with state_lock:
            counts[path] = counts.get(path, 0) + 1
            return path, routes.get(path, "serve")

    def _reply(self, code, body=b"", headers=None):
        self.send_response(code)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        if body:
            self.wfile.write(body)
        self.close_connection = True

    def _common_action(self, action):
        """Handles the actions shared by GET and POST; True when the request was answered."""
        if action.startswith("status:"):
            self._reply(int(action[len("status:"):]), b"error\n")
            return True
        if action.startswith("redirect:"):
            self._reply(302, b"", {"Location": action[len("redirect:"):]})
            return True
        if action == "stall":
            wait_for_client_close(self.connection, STALL_LIMIT_S)
            self.close_connection = True
            return True
        return False

    def do_GET(self):
        path, action = self._begin()
        if self._common_action(action):
            return
        relative = urllib.parse.unquote(path).lstrip("/")
        full = os.path.realpath(os.path.join(self.root, relative))
        if not full.startswith(os.path.realpath(self.root) + os.sep) or not os.path.isfile(full):
            self._reply(404, b"not found\n")
            return
        size = os.path.getsize(full)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        with open(full, "rb") as source:
            if action == "short":
                # Promises the whole file, sends half of it and hangs up.
                self.wfile.write(source.read(size // 2))
                return
            if action == "stall-body":
                self.wfile.write(source.read(size // 2))
                self.wfile.flush()
                wait_for_client_close(self.connection, STALL_LIMIT_S)
                return
            try:
                if isinstance(self.connection, ssl.SSLSocket):
                    shutil.copyfileobj(source, self.wfile, 1 << 20)
                else:
                    self.connection.sendfile(source)
            except (BrokenPipeError, ConnectionResetError):
                pass

    def do_POST(self):
        path, action = self._begin()
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length > 0 else b""
        with state_lock:
            posts.setdefault(path, []).append(body)
        if self._common_action(action):
            return
        self._reply(200, b"OK\n")


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    tls_context = None

    def get_request(self):
        connection, address = super().get_request()
        if self.tls_context is not None:
            connection = self.tls_context.wrap_socket(connection, server_side=True, do_handshake_on_connect=False)
        return connection, address

    def finish_request(self, request, client_address):
        if isinstance(request, ssl.SSLSocket):
            request.settimeout(10)
            try:
                request.do_handshake()
            except (ssl.SSLError, OSError):
                return
            request.settimeout(None)
        super().finish_request(request, client_address)

    def handle_error(self, request, client_address):
        pass


def answer(command):
    parts = command.split(" ", 2)
    with state_lock:
        if parts[0] == "route" and len(parts) == 3:
            routes[parts[1]] = parts[2]
            return "ok"
        if parts[0] == "count" and len(parts) == 2:
            return "count %d" % counts.get(parts[1], 0)
        if parts[0] == "posts" and len(parts) == 2:
            bodies = [base64.b64encode(b).decode("ascii") for b in posts.get(parts[1], [])]
            return "posts " + json.dumps(bodies)
    return "error unknown command"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", default=".")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--lifetime", type=float, default=600.0)
    arguments = parser.parse_args()

    Handler.root = arguments.root
    server = Server(("127.0.0.1", 0), Handler)
    if arguments.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(arguments.cert, arguments.key)
        server.tls_context = context
    threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1}, daemon=True).start()
    threading.Timer(arguments.lifetime, stop_event.set).start()
    print("port %d" % server.server_address[1], flush=True)

    def read_commands():
        for line in sys.stdin:
            print(answer(line.strip()), flush=True)
        stop_event.set()

    threading.Thread(target=read_commands, daemon=True).start()
    stop_event.wait()
    server.shutdown()
    server.server_close()
    os._exit(0)


if __name__ == "__main__":
    main()
