#!/usr/bin/python3
"""Listens on the AT-SPI bus as a screen reader does (for every object and window event) and
counts the events Tarvis32 sends. On SIGUSR1 it prints the count since the last one, with the
kinds of event and the objects they came from, and starts counting anew; SIGTERM ends it."""
import collections
import signal
import sys

import pyatspi
from gi.repository import GLib

ereignisse = collections.Counter()


def gehoert(ereignis):
    try:
        return ereignis.host_application.name == "Tarvis32"
    except Exception:  # an object gone before it was asked
        return False


def merke(ereignis):
    if gehoert(ereignis):
        try:
            quelle = ereignis.source.name
        except Exception:
            quelle = "?"
        ereignisse[f"{ereignis.type} {quelle!r}"] += 1


def ausgeben():
    gesamt = sum(ereignisse.values())
    teile = ", ".join(f"{art} x{n}" for art, n in ereignisse.most_common())
    print(f"{gesamt}" + (f" ({teile})" if teile else ""), flush=True)
    ereignisse.clear()
    return GLib.SOURCE_CONTINUE


def ende():
    pyatspi.Registry.stop()
    return GLib.SOURCE_REMOVE


pyatspi.Registry.registerEventListener(merke, "object", "window")
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, ausgeben)
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, ende)
print("bereit", flush=True)
pyatspi.Registry.start()
sys.exit(0)
