"""What a screen reader finds over AT-SPI: on every page of the running
program, each control shown has a name, and no two controls of a page share
name and description. Exits 1 with the faults, 0 when there are none."""
import sys
import time

import pyatspi

# Containers only group controls; a screen reader names them by their contents.
KONTEJNERY = {"filler", "panel", "frame", "layered pane", "application", "window"}


def cekej(podminka, sekund=30):
    konec = time.monotonic() + sekund
    while time.monotonic() < konec:
        try:
            vysledek = podminka()
            if vysledek:
                return vysledek
        except Exception:  # the program is still starting
            pass
        time.sleep(0.2)
    raise SystemExit("nothing answered within %d s" % sekund)


def najdi(uzel, role):
    if uzel.getRoleName() == role:
        return uzel
    for i in range(uzel.childCount):
        nalezeny = najdi(uzel.getChildAtIndex(i), role)
        if nalezeny is not None:
            return nalezeny
    return None


def ukazane(uzel, vystup):
    if not uzel.getState().contains(pyatspi.STATE_SHOWING):
        return
    vystup.append(uzel)
    # A list's lines and a combo box's entries are named by their texts.
    if uzel.getRoleName() in ("list", "combo box", "page tab list"):
        return
    for i in range(uzel.childCount):
        ukazane(uzel.getChildAtIndex(i), vystup)


def ustalene(stranka):
    """What the page shows once two looks a moment apart agree: the controls
    become showing as the program draws the page."""
    predtim = None
    for _ in range(50):
        stranka.clear_cache()  # states the program changed since the last look
        ovladace = []
        ukazane(stranka, ovladace)
        if predtim is not None and len(ovladace) == len(predtim) and len(ovladace) > 1:
            return ovladace
        predtim = ovladace
        time.sleep(0.3)
    return predtim


def zacatek_skoncil(stranky):
    """The start shows the about page, then the creation page with the
    catalogue's effects: pages switched before would be switched back."""
    stranky.clear_cache()
    prvni = stranky.getChildAtIndex(0)
    efekty = najdi(prvni, "list")
    return prvni.getState().contains(pyatspi.STATE_SHOWING) and efekty is not None and efekty.childCount > 0


def program():
    plocha = pyatspi.Registry.getDesktop(0)
    for aplikace in plocha:
        if aplikace is not None and aplikace.name == "mixor" and najdi(aplikace, "page tab list") is not None:
            return aplikace
    return None


def main():
    aplikace = cekej(program)
    zalozky = najdi(aplikace, "page tab list")
    stranky = najdi(aplikace, "layered pane")
    cekej(lambda: zacatek_skoncil(stranky))
    chyby = []
    nazvy = [zalozky.getChildAtIndex(i).name for i in range(zalozky.childCount)
             if zalozky.getChildAtIndex(i).getRoleName() == "page tab"]
    for i, nazev in enumerate(nazvy):
        zalozky.getChildAtIndex(i).queryAction().doAction(0)
        stranka = cekej(lambda: next((s for s in (stranky.getChildAtIndex(j) for j in range(stranky.childCount))
                                      if s.name == nazev and s.getState().contains(pyatspi.STATE_SHOWING)), None))
        ovladace = ustalene(stranka)
        videne = {}
        for ovladac in ovladace:
            role = ovladac.getRoleName()
            if role in KONTEJNERY:
                continue
            jmeno, popis = ovladac.name.strip(), ovladac.description
            if not jmeno:
                chyby.append("%s: a %s without a name" % (nazev, role))
            elif (jmeno, popis) in videne:
                chyby.append("%s: '%s' (%s) twice" % (nazev, jmeno, popis))
            videne[(jmeno, popis)] = role
        print("%s: %d controls shown" % (nazev, len(videne)))
        if not videne:
            chyby.append("%s: no control shown" % nazev)
    if len(nazvy) != 5:
        chyby.append("%d pages instead of 5" % len(nazvy))
    for chyba in chyby:
        print(chyba)
    return 1 if chyby else 0


sys.exit(main())
