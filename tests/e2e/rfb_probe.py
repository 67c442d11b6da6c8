#!/usr/bin/env python3
"""Talks to the desktop the way noVNC's page does: a WebSocket to
ws://HOST:PORT/websockify carrying RFB. Prints the desktop's size, checks
that a framebuffer update brings the requested pixels, and moves the pointer
to X,Y, waiting until the X display ($DISPLAY, asked with xdotool) shows it
there.

    rfb_probe.py HOST PORT X Y

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


def main():
    host, port, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    try:
        ws = WebSocket(host, port, "/websockify")
        version = ws.recv(12)
        if not version.startswith(b"RFB 003."):
            fail("not an RFB server: %r" % version)
        ws.send(b"RFB 003.008\n")
        count = ws.recv(1)[0]
        if count == 0:
            fail("the server refused the connection")
        types = ws.recv(count)
        if 1 not in types:  # 1: no authentication
            fail("the server asks for a password (security types %s)" % list(types))
        ws.send(bytes([1]))
        if struct.unpack(">I", ws.recv(4))[0] != 0:
            fail("security handshake failed")
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
