#!/usr/bin/env python3
"""Local HTTP/HTTPS server for the web tests, driven by its owner through stdin.

Binds 127.0.0.1 on a port the OS chooses and prints "port N". Serves the files of --root for GET
and records the body of every POST. Commands, one per line on stdin, each answered by one line:
  route PATH ACTION   ACTION: status:CODE | redirect:LOCATION | stall | stall-body | short | serve |
                      delay:MS (stall: no answer at all; stall-body: half the file, then silence;
                      short: half the file, then hang up; delay: the file, MS milliseconds late)
                      or a hostile answer, N bytes of generated body at most (capped at FLOOD_CAP):
                      announce:N (Content-Length N, then the body) | flood:N (no length, the
                      body ends when the connection does) | flood-chunked:N (chunked, cut off
                      without the last chunk) | drip:MS (the file's length announced, then one
                      byte every MS milliseconds)                                     -> "ok"
  count PATH          number of requests seen for PATH                               -> "count N"
  sent PATH           body bytes the server got out for PATH, once its transfers ended -> "sent N"
  posts PATH          JSON list of the base64 POST bodies received for PATH           -> "posts [...]"
  blackhole           a port that takes no connection: its accept queue is full       -> "blackhole N"
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
FLOOD_CAP = 1 << 30
FLOOD_CHUNK = 64 * 1024
# A small send buffer keeps what the kernel holds for a client that stopped reading small, so the
# bytes counted as sent are close to the bytes the client was offered.
FLOOD_SEND_BUFFER = 64 * 1024
SENT_SETTLE_S = 5.0

stop_event = threading.Event()
state_lock = threading.Lock()
state_changed = threading.Condition(state_lock)
routes = {}
counts = {}
posts = {}
sent = {}
active = {}
blackholes = []


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


def pattern_chunk(size):
    return bytes((i * 7 + 3) & 0xFF for i in range(256)) * (size // 256) + bytes(size % 256)


FLOOD_DATA = pattern_chunk(FLOOD_CHUNK)


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

    def _file(self, path):
        """The served file for a request path, or None when there is none inside the root."""
        relative = urllib.parse.unquote(path).lstrip("/")
        full = os.path.realpath(os.path.join(self.root, relative))
        if not full.startswith(os.path.realpath(self.root) + os.sep) or not os.path.isfile(full):
            return None
        return full

    def _count_sent(self, path, size):
        with state_lock:
            sent[path] = sent.get(path, 0) + size

    def _hostile(self, path, action):
        """Streams a hostile body; True when the action was one of them."""
        kind, _, argument = action.partition(":")
        if kind not in ("announce", "flood", "flood-chunked", "drip"):
            return False
        self.close_connection = True
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, FLOOD_SEND_BUFFER)
        with state_lock:
            active[path] = active.get(path, 0) + 1
        try:
            if kind == "drip":
                self._drip(path, int(argument) / 1000.0)
            else:
                self._flood(path, kind, min(int(argument), FLOOD_CAP))
        except (OSError, ValueError):
            pass
        finally:
            with state_changed:
                active[path] -= 1
                state_changed.notify_all()
        return True

    def _flood(self, path, kind, total):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if kind == "announce":
            self.send_header("Content-Length", str(total))
        elif kind == "flood-chunked":
            self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        left = total
        while left > 0 and not stop_event.is_set():
            data = FLOOD_DATA[: min(left, FLOOD_CHUNK)]
            if kind == "flood-chunked":
                self.connection.sendall(b"%x\r\n" % len(data) + data + b"\r\n")
            else:
                self.connection.sendall(data)
            self._count_sent(path, len(data))
            left -= len(data)

    def _drip(self, path, interval):
        full = self._file(path)
        length = os.path.getsize(full) if full else 4096
        self.send_response(200)
        self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.flush()
        deadline = time.monotonic() + STALL_LIMIT_S
        for _ in range(length):
            if stop_event.wait(interval) or time.monotonic() > deadline:
                return
            self.connection.sendall(b"x")
            self._count_sent(path, 1)

    def do_GET(self):
        path, action = self._begin()
        if self._common_action(action) or self._hostile(path, action):
            return
        if action.startswith("delay:"):
            if stop_event.wait(int(action[len("delay:"):]) / 1000.0):
                return
        full = self._file(path)
        if not full:
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


def make_blackhole():
    """A listener whose accept queue is full: the kernel drops every further connection attempt."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    fillers = []
    for _ in range(4):
        filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        filler.setblocking(False)
        try:
            filler.connect(listener.getsockname())
        except BlockingIOError:
            pass
        fillers.append(filler)
    # The first one completes and fills the queue; the others wait for ever.
    select.select([], [fillers[0]], [], 2.0)
    blackholes.append((listener, fillers))
    return listener.getsockname()[1]


def settled_sent(path):
    """Bytes sent for path once no transfer of it is running, or after SENT_SETTLE_S."""
    deadline = time.monotonic() + SENT_SETTLE_S
    with state_changed:
        while active.get(path, 0) > 0 and time.monotonic() < deadline:
            state_changed.wait(0.05)
        return sent.get(path, 0)


def answer(command):
    parts = command.split(" ", 2)
    if parts[0] == "sent" and len(parts) == 2:
        return "sent %d" % settled_sent(parts[1])
    if parts[0] == "blackhole" and len(parts) == 1:
        return "blackhole %d" % make_blackhole()
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
