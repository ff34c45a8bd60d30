#!/usr/bin/env python3
"""Relays X clients to an X server and hands each auto-repeat's press to the client GAP
milliseconds after the release before it, as a busy machine or a slow link to the server can.

An X server sends a held key's repeat as a release and a press with the same time stamp, one
right after the other; on an idle machine a client reads both at once.

The relay takes the first display number from 100 on whose TCP port on the loopback interface
is free, and writes it to standard output when it listens: a client reaches it as
DISPLAY=127.0.0.1:NUMBER. (The local servers around listen on no TCP port, so no number is taken
from them.)

usage: repeat_gap_relay.py SERVER_SOCKET GAP_MS
"""
import socket
import struct
import sys
import threading
import time

KEY_PRESS, KEY_RELEASE, REPLY, GENERIC_EVENT = 2, 3, 1, 35


def read_exactly(stream, count):
    data = stream.read(count)
    if len(data) < count:
        raise EOFError
    return data


def end(connection):
    """Ends a connection for both of its threads, whoever still reads or writes it."""
    try:
        connection.shutdown(socket.SHUT_RDWR)
    except OSError:
        pass


def requests(client, server):
    """Client to server, unchanged."""
    try:
        while data := client.recv(65536):
            server.sendall(data)
    except OSError:
        pass
    end(server)


def replies(server, client, gap):
    """Server to client, message by message (the relay's clients are little-endian)."""
    stream = server.makefile("rb")
    try:
        setup = read_exactly(stream, 8)
        client.sendall(setup + read_exactly(stream, struct.unpack_from("<H", setup, 6)[0] * 4))
        last_release = None
        while True:
            message = read_exactly(stream, 32)
            kind = message[0] & 0x7F
            if kind in (REPLY, GENERIC_EVENT):
                message += read_exactly(stream, struct.unpack_from("<I", message, 4)[0] * 4)
            key = (message[1], message[4:8])  # key code and time stamp
            if kind == KEY_PRESS and key == last_release:
                time.sleep(gap)
            if kind in (KEY_PRESS, KEY_RELEASE):
                last_release = key if kind == KEY_RELEASE else None
            client.sendall(message)
    except (EOFError, OSError):
        pass
    end(client)


def main():
    server_path, gap = sys.argv[1], int(sys.argv[2]) / 1000
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    display = 100
    while True:
        try:
            listener.bind(("127.0.0.1", 6000 + display))
            break
        except OSError:
            display += 1
    listener.listen()
    print(display, flush=True)
    while True:
        client, _ = listener.accept()
        # Each message goes out as it is written, not held back to be sent with the next.
        client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        server.connect(server_path)
        threading.Thread(target=requests, args=(client, server), daemon=True).start()
        threading.Thread(target=replies, args=(server, client, gap), daemon=True).start()


if __name__ == "__main__":
    main()
