"""Who listens on a TCP port: prints "PID PHONE_FOLDER" for each process that
holds a listening socket on PORT (PHONE_FOLDER: the phone it was started for,
from its WINEPREFIX, or "-").

    python3 port_holder.py PORT
"""
import os
import sys

port = int(sys.argv[1])
inodes = set()
for table in ("tcp", "tcp6"):
    with open(f"/proc/net/{table}") as f:
        for row in f.readlines()[1:]:
            cols = row.split()
            if cols[3] == "0A" and int(cols[1].rsplit(":", 1)[1], 16) == port:
                inodes.add(f"socket:[{cols[9]}]")
for pid in filter(str.isdigit, os.listdir("/proc")):
    try:
        fds = [os.readlink(f"/proc/{pid}/fd/{fd}") for fd in os.listdir(f"/proc/{pid}/fd")]
        if not inodes.intersection(fds):
            continue
        with open(f"/proc/{pid}/environ", "rb") as f:
            env = dict(v.split(b"=", 1) for v in f.read().split(b"\0") if b"=" in v)
    except OSError:
        continue
    prefix = env.get(b"WINEPREFIX", b"").decode(errors="replace")
    print(pid, prefix[:-len("/prefix")] if prefix.endswith("/prefix") else "-")
