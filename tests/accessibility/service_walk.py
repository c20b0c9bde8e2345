#!/usr/bin/python3
"""A whole service driven as assistive technology drives it: every control is found in the
accessibility tree by its role and name, and pressed with a real pointer click at its own extents.
On every screen visited, the tap targets without a name are counted: there must be none.

Usage: service_walk.py SERVER_URL  (the development server the terminal talks to)
"""
import json
import subprocess
import sys
import time
import urllib.request

import pyatspi

SERVER = sys.argv[1].rstrip("/")
SETTLE_S = 20

TAP_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_COMBO_BOX,
}
unnamed_by_screen = {}


class WalkFailed(Exception):
    pass


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "diancai":
            return child
    return None


def shown(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def nodes(root):
    """The shown nodes under `root` in reading (tree) order, with the depth-first walk done fresh."""
    found = []

    def walk(node):
        try:
            count = node.childCount
        except Exception:
            return
        for i in range(count):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            try:
                if not shown(child):
                    continue
            except Exception:
                continue
            found.append(child)
            walk(child)

    walk(root)
    return found


def top_scope():
    """The part of the window that takes input: the dialog opened last, or the whole window."""
    root = app()
    if root is None:
        return None, []
    everything = nodes(root)
    dialogs = [n for n in everything if n.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
               and n.getState().contains(pyatspi.STATE_SENSITIVE)]
    interactive = [d for d in dialogs if any(c.getRole() in TAP_ROLES for c in nodes(d))]
    if interactive:
        return interactive[-1], nodes(interactive[-1])
    return root, everything


def wait_for(describe, predicate, timeout=SETTLE_S):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            result = predicate()
        except Exception:
            result = None
        if result:
            return result
        time.sleep(0.2)
    raise WalkFailed("not found within %ds: %s" % (timeout, describe))


def find(role, name, prefix=False, last=False):
    """The control of `role` named `name` (or starting with it) in the scope that takes input."""
    def match():
        _, scope = top_scope()
        hits = [n for n in scope if n.getRole() == role
                and (n.name.startswith(name) if prefix else n.name == name)
                and n.getState().contains(pyatspi.STATE_SENSITIVE)]
        return (hits[-1] if last else hits[0]) if hits else None
    return wait_for("%s %r" % (role, name), match)


def button(name, **kwargs):
    return find(pyatspi.ROLE_PUSH_BUTTON, name, **kwargs)


def press(node):
    """A real pointer click at the middle of the control's own extents."""
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if ext.width <= 0 or ext.height <= 0:
        raise WalkFailed("no extents: %r" % node.name)
    x, y = ext.x + ext.width // 2, ext.y + ext.height // 2
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)
    time.sleep(0.35)


def tap(role_or_name, name=None, **kwargs):
    node = button(role_or_name, **kwargs) if name is None else find(role_or_name, name, **kwargs)
    press(node)
    return node


def count_unnamed(screen):
    """Counts the tap targets without a name in the part of the window that takes input."""
    time.sleep(0.6)  # the slide-in of a pop-up
    _, scope = top_scope()
    unnamed = [n for n in scope if n.getRole() in TAP_ROLES and not n.name.strip()]
    unnamed_by_screen[screen] = [n.getRoleName() for n in unnamed]


def tap_keys(keys):
    for key in keys:
        tap(key, last=False)


def server_get(path):
    with urllib.request.urlopen(SERVER + path, timeout=10) as reply:
        return json.load(reply)


def service():
    wait_for("the terminal on the accessibility bus", app, 60)
    find(pyatspi.ROLE_PUSH_BUTTON, "点菜")
    count_unnamed("home")
    tap("点菜")

    # Two dishes: the first will get a taste.
    plus = wait_for("dish cards", lambda: [n for n in top_scope()[1]
                                           if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name.endswith(" +")])
    count_unnamed("menu")
    dishes = [plus[0].name[:-2], plus[1].name[:-2]]
    tap(dishes[0] + " +")
    tap(dishes[1] + " +")
    tap("已点品项", prefix=True)

    tap(dishes[0] + " 数量 1.00")
    find(pyatspi.ROLE_DIALOG, "", prefix=True)
    count_unnamed("quantity editor")
    tap_keys(["清空", "2", "确定"])
    tap(dishes[0] + " 做法")
    taste_tiles = wait_for("taste tiles", lambda: [
        n for n in top_scope()[1] if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
        and n.queryState().contains(pyatspi.STATE_CHECKABLE)])
    count_unnamed("taste editor")
    taste = taste_tiles[0].name.split(" ")[0]
    press(taste_tiles[0])
    tap("确定", last=True)
    find(pyatspi.ROLE_PUSH_BUTTON, "%s 做法 %s" % (dishes[0], taste), prefix=True)
    count_unnamed("order list")

    tap("下单")
    # Not logged in: the login dialog first, on its keypad.
    tap(pyatspi.ROLE_TEXT, "用户名", prefix=True)
    count_unnamed("login")
    tap_keys(["0", "0", "1"])
    tap(pyatspi.ROLE_PASSWORD_TEXT, "密码", prefix=True)
    tap_keys(["1", "2", "3"])
    tap("登录", last=True)

    # The table chooser, after the login or at a second "下单".
    def chooser():
        scope, _ = top_scope()
        return scope if scope.getRole() == pyatspi.ROLE_DIALOG and scope.name == "台号" else None
    try:
        wait_for("the table chooser", chooser, 6)
    except WalkFailed:
        tap("下单")
        wait_for("the table chooser", chooser)
    count_unnamed("table chooser")
    tap("A01 ", prefix=True)
    tap(pyatspi.ROLE_TEXT, "人数", prefix=True)
    tap_keys(["清空", "4"])
    find(pyatspi.ROLE_TEXT, "人数 4")
    tap("确定", last=True)

    packs = wait_for("the order on the server", lambda: [
        c for c in server_get("/__control/commands?command=OrderPack")["commands"]
        if c["returnCode"] == "0"])
    xml = packs[-1]["xml"]
    for expected in ["<DeskNo>A01</DeskNo>", "<CustCount>4</CustCount>", taste]:
        if expected not in xml:
            raise WalkFailed("the order on the server lacks %s:\n%s" % (expected, xml))
    if xml.count("<Data") < 2:
        raise WalkFailed("the order on the server has fewer than two lines:\n" + xml)

    tap("返回")
    tap("回主界面")
    tap("服务入口")
    count_unnamed("staff")
    tap("餐台操作")
    tap("A01 ", prefix=True)
    count_unnamed("table board")
    tap("查账单")
    wait_for("the bill", lambda: top_scope()[0].getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT))
    count_unnamed("bill")


def main():
    try:
        service()
    except WalkFailed as failure:
        print("FAIL:", failure)
        _, scope = top_scope()
        print("Shown now:", [(n.getRoleName(), n.name) for n in scope][:80])
        return 1
    faults = {screen: roles for screen, roles in unnamed_by_screen.items() if roles}
    for screen, roles in unnamed_by_screen.items():
        print("%-16s unnamed tap targets: %d %s" % (screen, len(roles), roles if roles else ""))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
