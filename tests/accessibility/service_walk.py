#!/usr/bin/python3
"""A whole service driven as assistive technology drives it: each control is found in the
accessibility tree by role and name and pressed by a real pointer click at its own extents. On each
screen visited no tap target may lack a name, and under an open pop-up none may be reachable.
A short pass in English follows. Usage: service_walk.py SERVER_URL"""
import datetime, json, re, subprocess, sys, time, urllib.request  # noqa: E401

import pyatspi as R

TAP_ROLES = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
             R.ROLE_PAGE_TAB, R.ROLE_TEXT, R.ROLE_PASSWORD_TEXT, R.ROLE_ENTRY, R.ROLE_COMBO_BOX}
unnamed = {}
pointer = [None]  # where the last click was


class WalkFailed(Exception):
    pass


def app():
    desktop = R.Registry.getDesktop(0)
    return next((a for a in map(desktop.getChildAtIndex, range(desktop.childCount))
                 if a is not None and a.name == "diancai"), None)


def shown(root):
    """The shown nodes under `root`, in reading order, walked afresh."""
    out = []
    for child in map(root.getChildAtIndex, range(root.childCount)):
        states = child.getState() if child is not None else None
        if states and states.contains(R.STATE_SHOWING) and states.contains(R.STATE_VISIBLE):
            out += [child] + shown(child)
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


def find(*names, role=R.ROLE_PUSH_BUTTON, prefix=False, last=False):
    """The enabled control of each name in what takes input; returns the last name's."""
    for name in names:
        found = wait_for("%s %r" % (role, name), lambda: [
            n for n in scope()[1] if n.getRole() == role and (n.name.startswith(name) if prefix
                                                              else n.name == name)
            and n.getState().contains(R.STATE_SENSITIVE)])
    return found[-1] if last else found[0]


def xdotool(*args):
    subprocess.run(["xdotool"] + list(args), check=True)
    time.sleep(0.4)


def tap(*names, **how):
    """A real pointer click at the middle of each control's own extents."""
    for name in names:
        ext = find(name, **how).queryComponent().getExtents(R.DESKTOP_COORDS)
        if ext.width <= 0 or ext.height <= 0:
            raise WalkFailed("no extents: %r" % name)
        point = [str(ext.x + ext.width // 2), str(ext.y + ext.height // 2)]
        # "--sync" waits for the pointer to move, which it never does when it is there already.
        xdotool("mousemove", *([] if point == pointer[0] else ["--sync"]), *point, "click", "1")
        pointer[0] = point


def dialog(title):
    return wait_for("dialog %r" % title, lambda: getattr(scope()[0], "name", None) == title)


def focused(name):
    wait_for("%r focused" % name, lambda: [n for n in scope()[1] if n.name == name
                                           and n.getState().contains(R.STATE_FOCUSED)])


def count_unnamed(screen):
    time.sleep(0.6)  # a pop-up's slide, a screen's push
    top, nodes = scope()
    unnamed[screen] = [n.getRoleName() for n in nodes
                       if n.getRole() in TAP_ROLES and not n.name.strip()]
    if top is not None:
        reachable = [n.name for n in shown(app()) if n.getRole() in TAP_ROLES]
        for name in [n.name for n in nodes if n.getRole() in TAP_ROLES and n.name in reachable]:
            reachable.remove(name)
        if reachable:
            raise WalkFailed("under the pop-up %r, reachable: %s" % (top.name, reachable))


def order_on_server(server):
    url = server + "/__control/commands?command=OrderPack"
    with urllib.request.urlopen(url, timeout=10) as reply:
        return [c["xml"] for c in json.load(reply)["commands"] if c["returnCode"] == "0"]


def service(server):
    wait_for("the terminal on the accessibility bus", app, 60)
    find("点菜")
    count_unnamed("home")
    # Keyboard: Tab reaches the login button first, Enter opens its dialog, Esc closes it.
    # A click on the background first: keys go to the active window.
    xdotool("mousemove", "--sync", "512", "300", "click", "1")
    xdotool("key", "Tab")
    focused("未登录")
    xdotool("key", "Return")
    dialog("用户登录")
    xdotool("key", "Escape")
    wait_for("the login closed by Esc", lambda: scope()[0] is None)
    tap("点菜")
    cards = wait_for("cards", lambda: [n.name[:-2] for n in scope()[1] if n.name.endswith(" +")])
    dish, other = cards[:2]
    count_unnamed("menu")
    tap(dish + " +")
    # Keyboard: from a card's picture Tab reaches its "−", then its "+", which Enter presses;
    # Shift+Tab goes back.
    find(other).queryComponent().grabFocus()
    for name in (other + " −", other + " +"):
        xdotool("key", "Tab")
        focused(name)
    xdotool("key", "Return", "shift+Tab")
    focused(other + " −")
    tap("已点品项", prefix=True)

    tap(dish + " 数量 1.00")
    count_unnamed("quantity editor")
    xdotool("key", "Delete", "2")  # typed keys reach the keypad
    tap("确定", dish + " 做法")
    dialog(dish)
    count_unnamed("taste editor")
    tap("微辣")
    tap("确定", last=True)
    find(dish + " 做法 微辣", prefix=True)
    find(dish + " 数量 2.00")
    count_unnamed("order list")

    tap("下单")  # not logged in yet: the login comes first, on its keypad
    dialog("用户登录")
    count_unnamed("login")
    tap("用户名", role=R.ROLE_TEXT)
    tap("0", "0", "1", "密码", "1", "2", "3")  # the password field is never read with its value
    nodes = scope()[1]
    if "123" in [n.name for n in nodes] + [n.queryText().getText(0, -1) for n in nodes
                                           if n.getRole() == R.ROLE_TEXT]:
        raise WalkFailed("the password is readable")
    tap("登录")
    wait_for("the login closed", lambda: scope()[0] is None)
    tap("下单")
    dialog("台号")
    count_unnamed("table chooser")
    tap("A01 ", prefix=True)
    tap("人数", role=R.ROLE_TEXT, prefix=True)
    tap("清空", "4")
    find("人数 4", role=R.ROLE_TEXT)
    tap("确定", last=True)
    xml = wait_for("the order on the server", lambda: order_on_server(server))[-1]
    # The dish with its quantity and taste (微辣 is taste 002 of the demo catalogue), the other dish.
    for part in ["<DeskNo>A01</DeskNo>", "<CustCount>4</CustCount>",
                 '<Data [^>]*foodName="%s"' % other,
                 '<Data [^>]*foodName="%s"[^>]* SaleQty="2.000000"[^>]* TasteDef="002"' % dish]:
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
    xdotool("key", "Escape")
    wait_for("the bill closed by Esc", lambda: scope()[0] is None)


def english():
    """The language switched on the settings page: the names are the English texts."""
    tap("系统设置")
    find("请输入密码")
    # The access code is the date's digits, each taken from nine, read backwards.
    digits = datetime.date.today().strftime("%Y%m%d")
    xdotool("type", "".join(str(9 - int(d)) for d in reversed(digits)))
    tap("确定")
    tap("英文（English）", role=R.ROLE_RADIO_BUTTON)
    tap("保存", "Home")
    find("Gallery", "Videos", "Staff")
    find("Background music", role=R.ROLE_CHECK_BOX)
    tap("Order")
    find("Home", "Search", "Quick order", "Ordered items", prefix=True)
    count_unnamed("menu, English")


def main():
    try:
        service(sys.argv[1].rstrip("/"))
        english()
    except WalkFailed as failure:
        print("FAIL:", failure)
        if app() is not None:  # the terminal on the bus: what it showed
            print("Shown (role, name, focused):", [(n.getRoleName(), n.name,
                                                     n.getState().contains(R.STATE_FOCUSED))
                                                    for n in scope()[1]][:120])
        return 1
    for screen, roles in unnamed.items():
        print("%-16s unnamed tap targets: %d %s" % (screen, len(roles), " ".join(roles)))
    return 1 if any(unnamed.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
