#!/usr/bin/env python3
"""Drives a running Firefox (started with --marionette -remote-allow-system-access), then asks it
to quit:

    firefox-export.py export EXPORT.html
        exports its bookmarks as HTML the way its "Export bookmarks to HTML" does
        (BookmarkHTMLUtils.exportToFile);
    firefox-export.py add PROFILE-FOLDER COPY-FOLDER
        adds one bookmark to the menu (PlacesUtils.bookmarks.insert) and, while Firefox still
        runs and holds the database open in WAL mode, copies the profile's places.sqlite and
        places.sqlite-wal, the new bookmark being in the WAL only.
"""
import json
import shutil
import socket
import sys
import time

mode = sys.argv[1]


def connect():
    for _ in range(120):
        try:
            return socket.create_connection(("127.0.0.1", 2828))
        except OSError:
            time.sleep(0.5)
    sys.exit("no Marionette on port 2828")


sock = connect()
buffer = b""


def receive():
    global buffer
    while b":" not in buffer:
        buffer += sock.recv(65536)
    length, _, rest = buffer.partition(b":")
    length = int(length)
    while len(rest) < length:
        rest += sock.recv(65536)
    buffer = rest[length:]
    return json.loads(rest[:length])


counter = 0


def command(name, params):
    global counter
    counter += 1
    data = json.dumps([0, counter, name, params]).encode()
    sock.sendall(str(len(data)).encode() + b":" + data)
    reply = receive()
    if reply[2]:
        sys.exit(f"{name}: {reply[2]}")
    return reply[3]


receive()  # the server's greeting
command("WebDriver:NewSession", {"capabilities": {}})
command("Marionette:SetContext", {"value": "chrome"})
EXPORT = """
const [path, resolve] = arguments;
const { BookmarkHTMLUtils } = ChromeUtils.importESModule(
    "resource://gre/modules/BookmarkHTMLUtils.sys.mjs");
BookmarkHTMLUtils.exportToFile(path).then(() => resolve(true), e => resolve(String(e)));
"""
ADD = """
const [resolve] = arguments;
const { PlacesUtils } = ChromeUtils.importESModule("resource://gre/modules/PlacesUtils.sys.mjs");
PlacesUtils.bookmarks.insert({parentGuid: PlacesUtils.bookmarks.menuGuid,
                              url: "https://www.ft.dk/", title: "Folketinget – ft.dk"})
    .then(() => resolve(true), e => resolve(String(e)));
"""
# A new profile gets its bookmarks from the policy and distribution.ini a moment after the start,
# and writes its first state then: both are done after this wait.
time.sleep(15)
if mode == "export":
    script, args = EXPORT, [sys.argv[2]]
else:
    script, args = ADD, []
result = command(
    "WebDriver:ExecuteAsyncScript", {"script": script, "args": args, "scriptTimeout": 60000}
)
if result.get("value") is not True:
    sys.exit(f"{mode}: {result}")
if mode == "add":
    profile, copy = sys.argv[2:4]
    time.sleep(2)  # the insert is committed to the WAL by then
    for name in ("places.sqlite", "places.sqlite-wal"):
        shutil.copyfile(f"{profile}/{name}", f"{copy}/{name}")
try:
    command("Marionette:Quit", {"flags": ["eAttemptQuit"]})
except (OSError, ValueError, SystemExit):
    pass
