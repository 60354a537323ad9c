#!/usr/bin/python3
"""Lists the controls of Clonara's windows as a screen reader sees them on
the accessibility bus, and fails on any a user acts on that has no name.

Usage: accessible_names.py WINDOW_TITLE_PART...  (each window must be open)
"""
import sys
import time

import pyatspi

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_PROGRESS_BAR,
}


def walk(node, path, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        role = node.getRole()
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING) and role != pyatspi.ROLE_MENU_ITEM:
            return
        name = node.name or ""
    except Exception:  # the control went away meanwhile
        return
    if role in INTERACTIVE:
        found.append((path, node.getRoleName(), name))
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST,
                pyatspi.ROLE_TREE):
        return  # cells are checked by the offscreen tests
    for i in range(min(node.childCount, 500)):
        walk(node.getChildAtIndex(i), f"{path}/{i}", found, depth + 1)


def main():
    wanted = sys.argv[1:]
    app = None
    for _ in range(300):  # a slow machine may take a while to show the program
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        app = next((a for a in apps if a is not None and "clonara" in (a.name or "").lower()),
                   None)
        if app is not None:
            break
        time.sleep(0.1)
    if app is None:
        print("the program is not on the accessibility bus")
        return 1
    failures = 0
    for part in wanted:
        windows = [app.getChildAtIndex(i) for i in range(app.childCount)]
        window = next((w for w in windows if w is not None and part in (w.name or "")), None)
        if window is None:
            print(f"no window named like {part!r}: {[w.name for w in windows if w]}")
            failures += 1
            continue
        found = []
        walk(window, window.name, found)
        unnamed = [f for f in found if not f[2].strip()]
        print(f"{window.name}: {len(found)} controls, {len(unnamed)} without a name")
        for path, role, name in found:
            print(f"  {role:14} {name}" if name.strip() else f"  {role:14} <NO NAME> at {path}")
        failures += len(unnamed)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
