#!/usr/bin/env python3
"""The household cases of the router's call monitor, each run against two builds side by side
(`--anrufmonitor` against a fake router on 127.0.0.1, every program from a copy in a temporary
folder with its own $XDG_CONFIG_HOME, so its log and settings stay there):
    scripts/measure-callmonitor-cases.py OLD/Tarvis32 NEW/Tarvis32 [case ...]
Cases: doppelt abbruch gesperrt nummern viele dauer lang sigpipe sighup syn fenster uebergabe.
The last two run the main window too (on the offscreen platform, the monitor switched on with
"speichern") beside `--anrufmonitor`. Prints one line per case and build with what was seen.
"""
import fcntl, glob, os, shutil, signal, socket, subprocess, sys, tempfile, threading, time

STAMP = "09.12.26 10:00:00"


class Router:
    def __init__(self):
        self.server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.server.bind(("127.0.0.1", 0))
        self.server.listen(8)
        self.server.settimeout(15)
        self.port = self.server.getsockname()[1]
        self.clients = []

    def accept(self):
        c, _ = self.server.accept()
        self.clients.append(c)
        return c

    def send(self, text):
        for c in self.clients:
            try:
                c.sendall(text.encode())
            except OSError:
                pass


def call(i, number, seconds=None, connect=True, end=True):
    text = f"{STAMP};CALL;{i};0;123;{number};SIP0;\n"
    if connect:
        text += f"{STAMP};CONNECT;{i};0;{number};\n"
    if end:
        text += f"{STAMP};DISCONNECT;{i};{seconds if seconds is not None else 0};\n"
    return text


class Program:
    def __init__(self, binary, work, port, settings="", stdout=subprocess.PIPE, window=False):
        self.work = work
        os.makedirs(os.path.join(work, "config/Tarvis32"), exist_ok=True)
        exe = os.path.join(work, "Tarvis32")
        if not os.path.exists(exe):
            shutil.copy(binary, exe)
        conf = os.path.join(work, "config/Tarvis32/Tarvis32.conf")
        if settings and not os.path.exists(conf):
            open(conf, "w").write(settings)
        env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   LANG="de_DE.UTF-8", TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen")
        args = [exe] if window else [exe, "--anrufmonitor", f"127.0.0.1:{port}"]
        self.proc = subprocess.Popen(args, env=env,
                                     stdout=stdout, stderr=subprocess.PIPE, text=True)
        self.out, self.err = [], []
        if stdout == subprocess.PIPE:
            threading.Thread(target=lambda: self.out.extend(self.proc.stdout), daemon=True).start()
        threading.Thread(target=lambda: self.err.extend(self.proc.stderr), daemon=True).start()

    def stop(self, sig=signal.SIGTERM, wait=10):
        if self.proc.poll() is None:
            self.proc.send_signal(sig)
        try:
            return self.proc.wait(wait)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            return "hangs"


def logs(work):
    return sorted(glob.glob(os.path.join(work, "Tarvis *.Rep")))


def records(work):
    n = 0
    for log in logs(work):
        n += sum(1 for line in open(log, encoding="cp1252") if line[:2].isdigit())
    return n


def wait_for(cond, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if cond():
            return True
        time.sleep(0.05)
    return cond()


SETTINGS = "[Anrufmonitor]\nEigeneVorwahl=0711\n"


def window_settings(port):
    return (f"[Anrufmonitor]\nAktiv=true\nAdresse=127.0.0.1\nPort={port}\n"
            "NachDemGespraech=speichern\nEigeneVorwahl=0711\n")


def accept_all(r, seconds):
    r.server.settimeout(seconds)
    try:
        while True:
            r.accept()
    except socket.timeout:
        pass


def case_doppelt(binary, work):
    r = Router()
    a = Program(binary, work, r.port, SETTINGS)
    r.accept()
    b = Program(binary, work, r.port)
    r.server.settimeout(2)
    try:
        r.accept()  # the second program connects too, unless it waits for the first
    except socket.timeout:
        pass
    time.sleep(0.5)
    for i in range(10):
        r.send(call(i % 5, "0711 12345", 1))
    time.sleep(1.5)
    a.stop()
    b.stop()
    waiting = "".join(b.err + a.err).count("folgt bereits")
    return f"10 calls -> {records(work)} records; 'folgt bereits' said {waiting}x"


def case_abbruch(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    c = r.accept()
    r.send(call(7, "0711 1", end=False))
    time.sleep(0.3)
    c.close()
    r.clients.clear()
    r.accept()
    time.sleep(0.3)
    r.send(f"{STAMP};DISCONNECT;7;1;\n")
    wait_for(lambda: p.out, 3)
    p.stop()
    return f"DISCONNECT on the new connection -> {len(p.out)} line(s), {records(work)} record(s)"


def case_gesperrt(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    log = os.path.join(work, time.strftime("Tarvis %m-%Y.Rep"))
    r.send(call(0, "0711 1", 1))
    wait_for(lambda: records(work) == 1, 5)
    f = open(log, "a")
    fcntl.flock(f, fcntl.LOCK_EX)
    t0 = time.time()
    r.send(call(1, "0711 2", 1))
    printed = wait_for(lambda: len(p.out) >= 2, 3)
    t_print = time.time() - t0 if printed else None
    t1 = time.time()
    p.proc.send_signal(signal.SIGTERM)
    ended = wait_for(lambda: p.proc.poll() is not None, 3)
    t_term = time.time() - t1
    fcntl.flock(f, fcntl.LOCK_UN)
    f.close()
    status = p.stop()
    saved = records(work)
    tail = [line.strip()[:60] for line in p.out[1:]]
    return (f"line printed while locked: {'%.2f s' % t_print if printed else 'no (3 s)'}; "
            f"SIGTERM while locked: {'ended after %.2f s' % t_term if ended else 'still running after 3 s'}"
            f" (status {status}); records {saved}; lines after: {tail}")


def case_nummern(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    numbers = ["+49 30 1234", "0049 30 1234", "+1 212 5550100", "*31#0301234", "#31#0301234",
               "0171 1234567", "+49 711 1234"]
    for i, n in enumerate(numbers):
        r.send(call(i, n, 60))
    wait_for(lambda: len(p.out) >= len(numbers), 5)
    p.stop()
    zones = [line.split("Zone: ")[1].split()[0] if "Zone: " in line else "?" for line in p.out]
    return "; ".join(f"{n} -> {z}" for n, z in zip(numbers, zones))


def case_viele(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    r.send("".join(call(i, f"0711 {i}", end=False) for i in range(40)))
    time.sleep(1)
    status = p.stop()
    said = sum(1 for line in p.out if "Ende nicht gemeldet" in line)
    handed = sum(1 for line in p.out if "übergeben" in line)
    return (f"40 calls open: {said + handed} reported (8 pushed out + 32 open at SIGTERM), "
            f"{handed} of them handed over, status {status}")


def case_dauer(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    r.send(call(0, "0711 1", 999999999))
    wait_for(lambda: p.out, 5)
    p.stop()
    line = p.out[0].strip() if p.out else "(no line)"
    return line[line.find("Dauer"):][:140]


def case_lang(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    r.send(call(0, "0711" + "1" * 70, 5))
    r.send(f"09.12.2026 10:00:00;CALL;1;0;123;0711 2;SIP0;\n09.12.2026 10:00:00;CONNECT;1;0;0711 2;\n"
           f"{STAMP};DISCONNECT;1;5;\n")
    wait_for(lambda: len(p.out) >= 2, 3)
    p.stop()
    return f"long number, 4-digit year -> {len(p.out)} of 2 calls printed, {records(work)} saved"


def case_sigpipe(binary, work):
    r = Router()
    rd, wr = os.pipe()
    p = Program(binary, work, r.port, SETTINGS, stdout=wr)
    os.close(wr)
    os.close(rd)
    r.accept()
    for i in range(3):
        r.send(call(i, "0711 1", 1))
        time.sleep(0.3)
    time.sleep(0.5)
    alive = p.proc.poll() is None
    status = p.stop()
    said = sum(1 for line in p.err if "Ausgabe" in line)
    return (f"reader gone: {'alive' if alive else 'killed (%s)' % p.proc.returncode}, "
            f"{records(work)} of 3 saved, said on stderr {said}x, status {status}")


def case_sighup(binary, work):
    r = Router()
    p = Program(binary, work, r.port, SETTINGS)
    r.accept()
    r.send(call(0, "0711 1", end=False))
    time.sleep(0.5)
    status = p.stop(signal.SIGHUP)
    said = sum(1 for line in p.out if "0711 1" in line)
    return f"SIGHUP with a call running: status {status}, call reported {said}x"


def case_syn(binary, work):
    # An address that drops every SYN: a listener whose accept queue is full.
    full = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    full.bind(("127.0.0.1", 0))
    full.listen(0)
    port = full.getsockname()[1]
    fillers = []
    for _ in range(3):
        f = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        f.setblocking(False)
        f.connect_ex(("127.0.0.1", port))
        fillers.append(f)
    time.sleep(0.2)
    start = time.time()
    p = Program(binary, work, port, SETTINGS)
    given_up = []
    while time.time() - start < 25:
        n = sum(1 for line in p.err if "keine Verbindung" in line)
        if n > len(given_up):
            given_up.append(round(time.time() - start, 1))
        time.sleep(0.05)
    p.stop()
    for f in fillers + [full]:
        f.close()
    return f"SYNs dropped: attempts given up at {given_up} s of 25 s"


def case_fenster(binary, work):
    # The window first, then the service: one call at a time, each answered and ended.
    r = Router()
    w = Program(binary, work, r.port, window_settings(r.port), window=True)
    r.accept()
    s = Program(binary, work, r.port)
    accept_all(r, 2)
    for i in range(10):
        r.send(call(i % 5, "0711 12345", 1))
        time.sleep(0.2)
    time.sleep(1.5)
    s.stop()
    w.stop()
    waiting = "".join(s.err).count("folgt bereits")
    return f"window + service, 10 calls -> {records(work)} records; service waits: {waiting > 0}"


def case_uebergabe(binary, work):
    # The service follows, the window waits; the service ends during a call, whose DISCONNECT
    # then comes to the window.
    r = Router()
    s = Program(binary, work, r.port, window_settings(r.port))
    r.accept()
    w = Program(binary, work, r.port, window=True)
    accept_all(r, 2)
    r.send(call(3, "0711 3", connect=True, end=False))
    time.sleep(0.5)
    status = s.stop()
    accept_all(r, 2)
    r.send(f"{STAMP};DISCONNECT;3;3;\n")
    time.sleep(1.5)
    w.stop()
    said = [line.strip().split("DM  ")[-1] for line in s.out if "0711 3" in line]
    return (f"service ended mid-call (status {status}): said {said}; "
            f"after the DISCONNECT {records(work)} record(s)")


CASES = {name[5:]: f for name, f in globals().items() if name.startswith("case_")}


def main():
    old, new = sys.argv[1], sys.argv[2]
    names = sys.argv[3:] or list(CASES)
    for name in names:
        for label, binary in (("old", old), ("new", new)):
            work = tempfile.mkdtemp()
            try:
                result = CASES[name](os.path.abspath(binary), work)
            except Exception as e:  # a case that fails says so and the others go on
                result = f"failed: {e!r}"
            print(f"{name:9} {label}: {result}", flush=True)
            shutil.rmtree(work, ignore_errors=True)


main()
