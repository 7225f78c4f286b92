"""Finds Tapedeck's controls by accessible name through AT-SPI and works them.

  atspi.py press NAME          press the showing control called NAME
  atspi.py choose NAME ITEM    open the pop-up called NAME and pick ITEM
  atspi.py click NAME          click the middle of the showing control called NAME
  atspi.py row NAME            print the texts of the table row holding the cell NAME, tab-separated
  atspi.py popup WINDOW ITEM   right-click the X window WINDOW (a tray icon) and click ITEM in the
                               menu it pops up
  atspi.py popup WINDOW ITEM --look
                               the same, but only wait for ITEM to show, then close the menu
  atspi.py set NAME TEXT       replace the text of the field called NAME
  atspi.py wait NAME           wait until a control called NAME shows
  atspi.py where NAME          print the desktop rectangle (x y w h) of the control called NAME
  atspi.py gone NAME           wait until no control called NAME shows
  atspi.py ready               wait until Tapedeck shows a window on the accessibility bus
  atspi.py names               print every showing control's role and names

With TAPEDECK_ATSPI_WINDOW set, controls are looked for in Tapedeck's window of that title alone.
A control's names are its accessible name, its description and the labels that name it (a
pop-up's accessible name on Linux is its current text). Lookups retry until TAPEDECK_ATSPI_WAIT
seconds (default 15) have passed, since the application and the registry start on their own time.
"""
import os
import subprocess
import sys
import time

import pyatspi

WAIT = float(os.environ.get("TAPEDECK_ATSPI_WAIT", "15"))


def names(acc):
    found = [acc.name, acc.description]
    try:
        for relation in acc.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                found += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    except Exception:
        pass
    return [n for n in found if n]


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "tapedeck":
            return app
    return None


def window_root():
    """The application, or its window named by TAPEDECK_ATSPI_WINDOW."""
    app = application()
    title = os.environ.get("TAPEDECK_ATSPI_WINDOW")
    if app is None or not title:
        return app
    return next((w for w in app if w is not None and w.name == title and showing(w)), None)


def controls(acc):
    """Every showing descendant, the windows of the application first."""
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None or not showing(child):
            continue
        yield child
        yield from controls(child)


def find(name, within=None, labels=True):
    """The showing control called `name`, waiting for it; exits when none turns up. Without
    `labels`, a label that names a control is passed over for the control."""
    deadline = time.monotonic() + WAIT
    while True:
        try:
            root = within or window_root()
            if root is not None:
                for acc in controls(root):
                    if name in names(acc) and (labels or acc.getRole() != pyatspi.ROLE_LABEL):
                        return acc
        except Exception:
            pass  # the tree changed under us: look again
        if time.monotonic() > deadline:
            sys.exit(f"atspi: no control named {name!r} showing")
        time.sleep(0.2)


def click(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)


def press(acc):
    action = acc.queryAction()
    for i in range(action.nActions):
        # Check boxes, radio buttons and checkable buttons offer "Toggle" instead.
        if action.getName(i) in ("Press", "press", "click", "ShowMenu", "Toggle", "toggle"):
            action.doAction(i)
            return
    sys.exit(f"atspi: {acc.name!r} cannot be pressed")


def choose(popup, item):
    press(popup)  # opens the list
    entry = find(item, popup, labels=False)
    time.sleep(0.3)  # the list may still be sliding open
    click(entry)


def row_texts(cell):
    """The texts of every cell in the table row of `cell`."""
    table = cell.parent
    while table is not None and table.getRole() != pyatspi.ROLE_TABLE:
        table = table.parent
    grid = table.queryTable()
    row = grid.getRowAtIndex(cell.getIndexInParent())
    return [grid.getAccessibleAt(row, c).name for c in range(grid.nColumns)]


def popup(window, item, look):
    """Pop-up menus are no children of the application: catch the one that shows."""
    from gi.repository import GLib
    menus = []

    def shown(event):
        if event.detail1 and event.source.getRole() in (pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU):
            menus.append(event.source)

    def open_menu():
        subprocess.run(["xdotool", "mousemove", "--window", window, "11", "11", "click", "3"],
                       check=True)

    def look_for(deadline):
        for menu in menus:
            for i in range(menu.childCount):
                entry = menu.getChildAtIndex(i)
                if entry is not None and entry.name == item:
                    pyatspi.Registry.stop()
                    if look:
                        subprocess.run(["xdotool", "key", "Escape"], check=True)
                    else:
                        click(entry)
                    return False
        if time.monotonic() > deadline:
            pyatspi.Registry.stop()
            sys.exit(f"atspi: no menu entry {item!r} popped up")
        return True

    pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
    GLib.timeout_add(300, lambda: open_menu() and False)
    GLib.timeout_add(200, look_for, time.monotonic() + WAIT)
    pyatspi.Registry.start()


def wait_gone(name):
    deadline = time.monotonic() + WAIT
    while time.monotonic() < deadline:
        app = application()
        if app is not None and not any(name in names(a) for a in controls(app)):
            return
        time.sleep(0.2)
    sys.exit(f"atspi: {name!r} still showing")


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "press":
        press(find(args[0], labels=False))
    elif command == "choose":
        choose(find(args[0], labels=False), args[1])
    elif command == "click":
        click(find(args[0], labels=False))
    elif command == "row":
        print("\t".join(row_texts(find(args[0], labels=False))))
    elif command == "popup":
        popup(args[0], args[1], look="--look" in args[2:])
    elif command == "set":
        find(args[0], labels=False).queryEditableText().setTextContents(args[1])
    elif command == "wait":
        find(args[0])
    elif command == "where":
        print(*find(args[0]).queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
    elif command == "gone":
        wait_gone(args[0])
    elif command == "ready":
        find_application()
    elif command == "names":
        for acc in controls(find_application()):
            print(acc.getRoleName(), names(acc))
    else:
        sys.exit(__doc__)
    # Actions are asynchronous: give the application a moment to run the press.
    time.sleep(0.3)


def find_application():
    """The application once one of its windows shows."""
    deadline = time.monotonic() + WAIT
    while True:
        try:
            app = application()
            if app is not None and any(showing(w) for w in app):
                return app
        except Exception:
            pass
        if time.monotonic() > deadline:
            sys.exit("atspi: Tapedeck shows no window on the accessibility bus")
        time.sleep(0.2)


if __name__ == "__main__":
    main(sys.argv)
