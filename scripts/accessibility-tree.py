#!/usr/bin/python3
"""Prints what a screen reader finds of Tarvis32 on the AT-SPI bus: one line per object with
its role, its name and, for gauges and scroll bars, value and maximum; indented as the tree."""
import sys
import time

import pyatspi


def finde_programm(name, sekunden=20):
    ende = time.time() + sekunden
    while time.time() < ende:
        desktop = pyatspi.Registry.getDesktop(0)
        for programm in desktop:
            if programm is not None and programm.name == name:
                return programm
        time.sleep(0.5)
    return None


def zeige(objekt, tiefe, aus):
    try:
        rolle = objekt.getRoleName()
        name = objekt.name
    except Exception:  # an object gone while the tree is read
        return
    zeile = "  " * tiefe + f"[{rolle}] {name!r}"
    try:
        wert = objekt.queryValue()
        zeile += f" Wert {wert.currentValue:g} von {wert.minimumValue:g} bis {wert.maximumValue:g}"
    except NotImplementedError:
        pass
    beschreibung = objekt.description
    if beschreibung:
        zeile += f" ({beschreibung})"
    print(zeile, file=aus)
    for kind in objekt:
        if kind is not None:
            zeige(kind, tiefe + 1, aus)


def main():
    programm = finde_programm(sys.argv[1] if len(sys.argv) > 1 else "Tarvis32")
    if programm is None:
        print("Tarvis32 ist auf dem AT-SPI-Bus nicht zu finden.", file=sys.stderr)
        return 1
    for fenster in programm:
        zeige(fenster, 0, sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main())
