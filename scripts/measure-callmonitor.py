#!/usr/bin/env python3
"""Runs `Tarvis32 --anrufmonitor` against a fake router on 127.0.0.1 and measures:
peak memory over many scripted calls, and the seconds until it reconnects after the router
was away for a while. The program runs from a copy in a temporary folder, so its log (next to
the program) and its settings ($XDG_CONFIG_HOME) stay there.
    scripts/measure-callmonitor.py [calls] [outage seconds...]   (default 100000, 5 20)
"""
import os, shutil, signal, socket, subprocess, sys, tempfile, threading, time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
calls = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
outages = [float(a) for a in sys.argv[2:]] or [5.0, 20.0]

work = tempfile.mkdtemp()
program = os.path.join(work, "Tarvis32")
shutil.copy(os.path.join(root, "build/app/Tarvis32"), program)
env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
           LANG="de_DE.UTF-8", TZ="Europe/Berlin")


def listen(port=0):
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", port))
    server.listen(1)
    return server


server = listen()
port = server.getsockname()[1]
run = subprocess.Popen([program, "--anrufmonitor",
                        f"127.0.0.1:{port}"], env=env, stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE, text=True)
lines = []
reader = threading.Thread(target=lambda: lines.extend(run.stdout), daemon=True)
reader.start()
connection, _ = server.accept()

# Local numbers are City: every call is priced, printed and saved.
stamp = "09.12.26 10:00:00"
chunk = []
for n in range(calls):
    call_id = n % 10
    chunk.append(f"{stamp};CALL;{call_id};0;123;{4000000 + n};SIP0;\n"
                 f"{stamp};CONNECT;{call_id};0;{4000000 + n};\n"
                 f"{stamp};DISCONNECT;{call_id};{n % 600};\n")
    if len(chunk) == 1000:
        connection.sendall("".join(chunk).encode())
        chunk = []
connection.sendall("".join(chunk).encode())
deadline = time.time() + 600
while len(lines) < calls and time.time() < deadline:
    time.sleep(0.1)
print(f"calls printed: {len(lines)} of {calls}")

for outage in outages:
    connection.close()
    server.close()
    time.sleep(outage)
    server = listen(port)
    back = time.monotonic()
    connection, _ = server.accept()
    print(f"router away {outage:.0f} s: reconnected {time.monotonic() - back:.2f} s after it "
          "came back")

run.send_signal(signal.SIGTERM)
_, status, usage = os.wait4(run.pid, 0)
print(f"exit status after SIGTERM: {os.waitstatus_to_exitcode(status)}")
print(f"peak resident memory of --anrufmonitor: {usage.ru_maxrss / 1024:.1f} MiB")
log = [f for f in os.listdir(work) if f.endswith(".Rep")]
if log:
    with open(os.path.join(work, log[0]), "rb") as f:
        records = sum(1 for l in f if l[:1].isdigit())
    print(f"records saved: {records}")
shutil.rmtree(work)
