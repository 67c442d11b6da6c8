#!/usr/bin/env python3
"""Talks to the desktop the way noVNC's page does: a WebSocket to
ws://HOST:PORT/websockify carrying RFB, answering the server's VNC password
challenge with PASSWORD. Prints the desktop's size, checks that a
framebuffer update brings the requested pixels, and moves the pointer to
X,Y, waiting until the X display ($DISPLAY, asked with xdotool) shows it
there.

    rfb_probe.py HOST PORT X Y PASSWORD
    rfb_probe.py HOST PORT --refused [PASSWORD]
    rfb_probe.py HOST PORT --refused-raw [PASSWORD]   (RFB over plain TCP)

With --refused it checks the other side instead: the server offers no way
in without a password, and refuses a wrong one (PASSWORD, or a made-up
answer to its challenge); it prints "refused" when it does.

Exits 1 with a reason on the first thing that does not answer as it should;
every read is bounded by a time-out.
"""
import base64
import os
import socket
import struct
import subprocess
import sys
import time

TIMEOUT = 10


class WebSocket:
    def __init__(self, host, port, path):
        self.sock = socket.create_connection((host, port), timeout=TIMEOUT)
        key = base64.b64encode(os.urandom(16)).decode()
        request = (f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                   f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                   f"Sec-WebSocket-Version: 13\r\nSec-WebSocket-Protocol: binary\r\n\r\n")
        self.sock.sendall(request.encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                fail("the server closed the connection during the WebSocket handshake")
            head += chunk
        head, self.pending = head.split(b"\r\n\r\n", 1)
        status = head.split(b"\r\n", 1)[0]
        if b" 101 " not in status + b" ":
            fail("no WebSocket upgrade: " + status.decode(errors="replace"))
        self.data = b""

    def _exact(self, n):
        while len(self.pending) < n:
            chunk = self.sock.recv(65536)
            if not chunk:
                fail("the server closed the connection")
            self.pending += chunk
        out, self.pending = self.pending[:n], self.pending[n:]
        return out

    def _frame(self):
        b0, b1 = self._exact(2)
        opcode, length = b0 & 0x0F, b1 & 0x7F
        if length == 126:
            length = struct.unpack(">H", self._exact(2))[0]
        elif length == 127:
            length = struct.unpack(">Q", self._exact(8))[0]
        mask = self._exact(4) if b1 & 0x80 else None
        payload = self._exact(length)
        if mask:
            payload = bytes(c ^ mask[i % 4] for i, c in enumerate(payload))
        if opcode == 8:
            fail("the server closed the WebSocket")
        return payload if opcode in (0, 1, 2) else b""

    def recv(self, n):
        while len(self.data) < n:
            self.data += self._frame()
        out, self.data = self.data[:n], self.data[n:]
        return out

    def send(self, payload):
        mask = os.urandom(4)
        n = len(payload)
        head = bytes([0x82]) + (bytes([0x80 | n]) if n < 126 else bytes([0x80 | 126]) + struct.pack(">H", n))
        self.sock.sendall(head + mask + bytes(c ^ mask[i % 4] for i, c in enumerate(payload)))


def fail(reason):
    print("rfb_probe: " + reason, file=sys.stderr)
    sys.exit(1)


def vnc_response(password, challenge):
    """The answer to a VNC challenge: DES of it keyed with the password,
    each key byte's bits reversed, as the protocol has it."""
    key = bytes(int(format(b, "08b")[::-1], 2) for b in password.encode()[:8].ljust(8, b"\0"))
    out = subprocess.run(["openssl", "enc", "-des-ecb", "-nopad", "-K", key.hex(), "-provider", "legacy",
                          "-provider", "default"], input=challenge, capture_output=True, timeout=TIMEOUT)
    if out.returncode != 0 or len(out.stdout) != 16:
        fail("openssl could not answer the challenge: " + out.stderr.decode(errors="replace").strip())
    return out.stdout


def handshake(ws, password):
    """Up to the security result; True when the server let the client in."""
    version = ws.recv(12)
    if not version.startswith(b"RFB 003."):
        fail("not an RFB server: %r" % version)
    ws.send(b"RFB 003.008\n")
    count = ws.recv(1)[0]
    if count == 0:
        fail("the server refused the connection")
    types = ws.recv(count)
    if 1 in types:  # 1: no authentication
        fail("the server lets a client in without a password (security types %s)" % list(types))
    if 2 not in types:  # 2: VNC password
        fail("the server offers no VNC password authentication (security types %s)" % list(types))
    ws.send(bytes([2]))
    challenge = ws.recv(16)
    ws.send(vnc_response(password, challenge) if password is not None else os.urandom(16))
    return struct.unpack(">I", ws.recv(4))[0] == 0


class Raw:
    """RFB straight over TCP, as x11vnc itself serves it."""

    def __init__(self, host, port):
        self.sock = socket.create_connection((host, port), timeout=TIMEOUT)

    def recv(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise OSError("connection closed")
            data += chunk
        return data

    def send(self, payload):
        self.sock.sendall(payload)


def refused(host, port, password, raw):
    try:
        ws = Raw(host, port) if raw else WebSocket(host, port, "/websockify")
        if handshake(ws, password):
            fail("the server let in a client with a wrong password")
    except (socket.timeout, OSError) as e:
        fail("no security result: %s" % e)
    print("refused")


def main():
    host, port = sys.argv[1], int(sys.argv[2])
    if sys.argv[3] in ("--refused", "--refused-raw"):
        return refused(host, port, sys.argv[4] if len(sys.argv) > 4 else None, sys.argv[3] == "--refused-raw")
    x, y, password = int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
    try:
        ws = WebSocket(host, port, "/websockify")
        if not handshake(ws, password):
            fail("the server refused the password")
        ws.send(bytes([1]))  # ClientInit: share the desktop
        width, height = struct.unpack(">HH", ws.recv(4))
        bpp = ws.recv(16)[0]
        ws.recv(struct.unpack(">I", ws.recv(4))[0])  # the desktop's name
        print("size %d %d" % (width, height))

        # FramebufferUpdateRequest (not incremental) for a 16 x 16 square,
        # which comes back raw: no encodings were offered.
        ws.send(struct.pack(">BBHHHH", 3, 0, 0, 0, 16, 16))
        kind = ws.recv(1)[0]
        while kind != 0:  # skip a colour map or bell the server may send first
            if kind == 2:
                kind = ws.recv(1)[0]
                continue
            fail("unexpected server message %d" % kind)
        ws.recv(1)
        covered = 0
        for _ in range(struct.unpack(">H", ws.recv(2))[0]):
            rx, ry, rw, rh, encoding = struct.unpack(">HHHHi", ws.recv(12))
            if encoding != 0:
                fail("rectangle in encoding %d, asked for raw" % encoding)
            ws.recv(rw * rh * bpp // 8)
            covered += rw * rh
        if covered < 16 * 16:
            fail("the update covered %d pixels of 256" % covered)
        print("pixels %d" % covered)

        # PointerEvent, no button; the connection stays open until the
        # pointer is seen there on the X display.
        ws.send(struct.pack(">BBHH", 5, 0, x, y))
        deadline = time.monotonic() + TIMEOUT
        where = ""
        while time.monotonic() < deadline:
            where = subprocess.run(["xdotool", "getmouselocation"], capture_output=True,
                                   text=True, timeout=TIMEOUT).stdout
            if where.startswith("x:%d y:%d " % (x, y)):
                print("pointer %d %d" % (x, y))
                return
            time.sleep(0.1)
        fail("the pointer did not arrive at %d,%d on the display: %s" % (x, y, where.strip()))
    except socket.timeout:
        fail("no answer within %d seconds" % TIMEOUT)
    except OSError as e:
        fail(str(e))


if __name__ == "__main__":
    main()
