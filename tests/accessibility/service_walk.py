#!/usr/bin/python3
"""A whole service driven as assistive technology drives it: each control is found in the
accessibility tree by role and name and pressed with a real pointer click at its own extents.
On every screen visited the tap targets without a name are counted: there must be none; under an
open pop-up nothing can be reached. A short pass in English follows the service.
Usage: service_walk.py SERVER_URL"""
import datetime
import json
import re
import subprocess
import sys
import time
import urllib.request

import pyatspi

R = pyatspi
TAP_ROLES = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
             R.ROLE_PAGE_TAB, R.ROLE_TEXT, R.ROLE_PASSWORD_TEXT, R.ROLE_ENTRY, R.ROLE_COMBO_BOX}
unnamed = {}


class WalkFailed(Exception):
    pass


def app():
    desktop = R.Registry.getDesktop(0)
    found = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((a for a in found if a is not None and a.name == "diancai"), None)


def shown(root):
    """The shown nodes under `root`, in reading order, walked afresh."""
    out = []
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        states = child.getState() if child is not None else None
        if states and states.contains(R.STATE_SHOWING) and states.contains(R.STATE_VISIBLE):
            out.append(child)
            out += shown(child)
    return out


def scope():
    """What takes input: the dialog that holds controls, opened last, or the whole window."""
    everything = shown(app())
    dialogs = [n for n in everything if n.getRole() in (R.ROLE_DIALOG, R.ROLE_ALERT)
               and any(c.getRole() in TAP_ROLES for c in shown(n))]
    return (dialogs[-1], shown(dialogs[-1])) if dialogs else (None, everything)


def wait_for(what, predicate, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            result = predicate()
        except Exception:  # a node gone while it was read: the tree is changing
            result = None
        if result:
            return result
        time.sleep(0.2)
    raise WalkFailed("not found within %d s: %s" % (timeout, what))


def find(name, role=R.ROLE_PUSH_BUTTON, prefix=False, last=False):
    def hits():
        return [n for n in scope()[1] if n.getRole() == role
                and n.getState().contains(R.STATE_SENSITIVE)
                and (n.name.startswith(name) if prefix else n.name == name)]
    found = wait_for("%s %r" % (role, name), hits)
    return found[-1] if last else found[0]


def press(node):
    """A real pointer click at the middle of the control's own extents."""
    ext = node.queryComponent().getExtents(R.DESKTOP_COORDS)
    if ext.width <= 0 or ext.height <= 0:
        raise WalkFailed("no extents: %r" % node.name)
    point = [str(ext.x + ext.width // 2), str(ext.y + ext.height // 2)]
    # "--sync" waits for the pointer to move, which it never does when it is there already.
    sync = [] if point == press.last else ["--sync"]
    subprocess.run(["xdotool", "mousemove"] + sync + point + ["click", "1"], check=True)
    press.last = point
    time.sleep(0.4)


press.last = None


def key(*keys):
    subprocess.run(["xdotool", "key"] + list(keys), check=True)
    time.sleep(0.4)


def tap(*names, **how):
    for name in names:
        press(find(name, **how))


def dialog(title, timeout=20):
    return wait_for("dialog %r" % title,
                    lambda: scope()[0] is not None and scope()[0].name == title, timeout)


def focused(name):
    wait_for("%r focused" % name, lambda: [n for n in scope()[1] if n.name == name
                                           and n.getState().contains(R.STATE_FOCUSED)])


def count_unnamed(screen):
    time.sleep(0.6)  # a pop-up's slide, a screen's push
    top, nodes = scope()
    unnamed[screen] = [n.getRoleName() for n in nodes
                       if n.getRole() in TAP_ROLES and not n.name.strip()]
    if top is not None:
        taps = [n.name for n in shown(app()) if n.getRole() in TAP_ROLES]
        for name in [n.name for n in nodes if n.getRole() in TAP_ROLES and n.name in taps]:
            taps.remove(name)
        if taps:
            raise WalkFailed("under the pop-up %r, reachable: %s" % (top.name, taps))


def service(server):
    wait_for("the terminal on the accessibility bus", app, 60)
    find("点菜")
    count_unnamed("home")
    # Keyboard: Tab reaches the login button first, Enter opens its dialog, Esc closes it.
    # A click on the background first: keys go to the active window.
    subprocess.run(["xdotool", "mousemove", "--sync", "512", "300", "click", "1"], check=True)
    key("Tab")
    focused("未登录")
    key("Return")
    dialog("用户登录")
    key("Escape")
    wait_for("the login closed by Esc", lambda: scope()[0] is None)
    tap("点菜")
    plus = wait_for("dish cards",
                    lambda: [n.name[:-2] for n in scope()[1] if n.name.endswith(" +")])
    count_unnamed("menu")
    dish, other = plus[0], plus[1]
    tap(dish + " +")
    # Keyboard: from a card's picture Tab reaches its "−", then its "+", which Enter presses.
    find(other).queryComponent().grabFocus()
    for name in (other + " −", other + " +"):
        key("Tab")
        focused(name)
    key("Return")
    find(other + " +").queryComponent().grabFocus()
    key("shift+Tab")
    focused(other + " −")
    tap("已点品项", prefix=True)

    tap(dish + " 数量 1.00")
    count_unnamed("quantity editor")
    key("Delete", "2")  # typed keys reach the keypad
    tap("确定")
    tap(dish + " 做法")
    dialog(dish)
    count_unnamed("taste editor")
    taste = "微辣"
    tap(taste)
    tap("确定", last=True)
    find("%s 做法 %s" % (dish, taste), prefix=True)
    find(dish + " 数量 2.00")
    count_unnamed("order list")

    tap("下单")  # not logged in yet: the login comes first, on its keypad
    dialog("用户登录")
    count_unnamed("login")
    tap("用户名", role=R.ROLE_TEXT)
    tap("0", "0", "1")
    tap("密码")  # never read with its value
    tap("1", "2", "3")
    if "123" in [n.name for n in scope()[1]] + [n.queryText().getText(0, -1) for n in scope()[1]
                                                 if n.getRole() == R.ROLE_TEXT]:
        raise WalkFailed("the password is readable")
    tap("登录")
    try:
        dialog("台号", 4)
    except WalkFailed:  # the login ends the first "下单"
        tap("下单")
        dialog("台号")
    count_unnamed("table chooser")
    tap("A01 ", prefix=True)
    tap("人数", role=R.ROLE_TEXT, prefix=True)
    tap("清空", "4")
    find("人数 4", role=R.ROLE_TEXT)
    tap("确定", last=True)

    def sent():
        url = server + "/__control/commands?command=OrderPack"
        with urllib.request.urlopen(url, timeout=10) as reply:
            return [c["xml"] for c in json.load(reply)["commands"] if c["returnCode"] == "0"]
    xml = wait_for("the order on the server", sent)[-1]
    # The dish with its quantity and taste (微辣 is taste 002 of the demo catalogue), the other dish.
    for part in ["<DeskNo>A01</DeskNo>", "<CustCount>4</CustCount>",
                 '<Data [^>]*foodName="%s"' % other,
                 '<Data [^>]*foodName="%s"[^>]* SaleQty="2.000000"' % dish
                 + '[^>]* TasteDef="002"']:
        if not re.search(part, xml):
            raise WalkFailed("the order on the server lacks %s:\n%s" % (part, xml))

    tap("返回", "回主界面", "服务入口")
    count_unnamed("staff")
    tap("餐台操作")
    tap("A01 ", prefix=True)
    count_unnamed("table board")
    find("刷新")  # spaced on the button, read without the blank
    tap("查账单")
    wait_for("the bill", lambda: scope()[0] is not None)
    count_unnamed("bill")
    key("Escape")
    wait_for("the bill closed by Esc", lambda: scope()[0] is None)


def english():
    """The language switched on the settings page: the names are the English texts."""
    tap("系统设置")
    find("请输入密码")
    # The access code is the date's digits, each taken from nine, read backwards.
    code = "".join(str(9 - int(d)) for d in reversed(datetime.date.today().strftime("%Y%m%d")))
    subprocess.run(["xdotool", "type", code], check=True)  # typed keys reach the keypad
    tap("确定")
    tap("英文（English）", role=R.ROLE_RADIO_BUTTON)
    tap("保存")
    tap("Home")
    for name in ("Gallery", "Videos", "Staff"):
        find(name)
    find("Background music", role=R.ROLE_CHECK_BOX)
    tap("Order")
    for name in ("Home", "Search", "Quick order"):
        find(name)
    find("Ordered items", prefix=True)
    count_unnamed("menu, English")


def main():
    try:
        service(sys.argv[1].rstrip("/"))
        english()
    except WalkFailed as failure:
        print("FAIL:", failure)
        print("Shown (role, name, focused):", [(n.getRoleName(), n.name,
                                                 n.getState().contains(R.STATE_FOCUSED))
                                                for n in scope()[1]][:120])
        return 1
    for screen, roles in unnamed.items():
        print("%-16s unnamed tap targets: %d %s" % (screen, len(roles), " ".join(roles)))
    return 1 if any(unnamed.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
