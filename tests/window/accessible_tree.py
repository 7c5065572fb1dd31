#!/usr/bin/python3
"""Reads Quib's lattice view as a screen reader does, through AT-SPI.

  accessible_tree.py tree PID
      Waits for the process's view (a canvas whose name is a summary line or
      "No data available") and prints its name, then one line per child:
      its name, a tab, and its box on the screen as x,y,width,height (or
      "nowhere").
  accessible_tree.py told PID WINDOW INDEX KEY
      Presses Tab in WINDOW until the view tells the focus of its child
      INDEX, then KEY, and prints what the view told then, in order: "view
      NAME" when the view's name changed, "node NAME" when the focused
      node's name changed.
  accessible_tree.py menus PID WINDOW
      Right-clicks the centre of each child of the view, as a person's
      mouse does, and prints per child its name, a tab, and the last item
      of the context menu that opens there.
  accessible_tree.py menu PID TITLE
      Prints each item of the menu bar's menu TITLE: its name, a tab, and
      the keys a screen reader tells for it.
  accessible_tree.py choose PID TITLE NAME
      Chooses the item NAME of the menu bar's menu TITLE, as a screen
      reader's user does.
  accessible_tree.py box PID
      Waits for a message box of the process and prints its caption, then
      its text.
  accessible_tree.py press PID NAME
      Presses the push button NAME that the process shows, as a screen
      reader's user does.
  accessible_tree.py shown PID LAST SECONDS
      Prints the view's box on the screen as "box x,y,width,height", then,
      each time the record number in its name changes, the time (the
      monotonic clock's seconds) and the number, until it is LAST or more or
      SECONDS have passed (status 1).

Every wait is polled with a deadline, so a busy machine only makes it slower.
"""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEADLINE = 60


def pump_until(done, seconds):
    """Runs the main loop, through which events arrive, until done() or the
    seconds are over; whether done(). A tick wakes the loop to ask again for
    what no event tells, such as a name read anew."""
    context = GLib.MainContext.default()
    tick = GLib.timeout_add(10, lambda: True)
    try:
        end = time.monotonic() + seconds
        while not done() and time.monotonic() < end:
            context.iteration(True)
    finally:
        GLib.source_remove(tick)
    return done()


def wait_for(pid, matches, what):
    """The first accessible of the application with that process id that
    matches, once there is one."""
    found = None

    def look():
        nonlocal found
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == pid:
                    found = found or pyatspi.findDescendant(app, matches)
        except GLib.Error:
            pass  # the application is still registering
        return found is not None

    if not pump_until(look, DEADLINE):
        sys.exit(f"no {what} of process {pid} within {DEADLINE} s")
    return found


def wait_for_view(pid):
    return wait_for(pid, lambda a: a.getRole() == pyatspi.ROLE_CANVAS and a.name, "lattice view")


def tree(pid):
    view = wait_for_view(pid)
    print(view.name)
    for child in view:
        try:
            box = child.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(f"{child.name}\t{box.x},{box.y},{box.width},{box.height}")
        except NotImplementedError:
            print(f"{child.name}\tnowhere")


def told(pid, window, index, key):
    view = wait_for_view(pid)
    events = []
    focused = []

    def record(event):
        try:
            source = event.source
            if source.get_process_id() != pid:
                return
            if event.type.startswith("object:state-changed:focused"):
                if event.detail1 == 1 and source.getRole() == pyatspi.ROLE_IMAGE:
                    focused[:] = [source]
            elif source.getRole() == pyatspi.ROLE_CANVAS:
                events.append(f"view {source.name}")
            elif focused and source == focused[0]:
                events.append(f"node {source.name}")
        except GLib.Error:
            pass

    def press(*keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)

    pyatspi.Registry.registerEventListener(
        record, "object:state-changed:focused", "object:property-change:accessible-name"
    )
    # The application learns of a new listener on its own time: until it
    # has, it tells nothing. Tab until it tells the focus on that node.
    def on_node():
        return focused and focused[0].getIndexInParent() == index

    end = time.monotonic() + DEADLINE
    while not on_node() and time.monotonic() < end:
        focused.clear()
        press("Tab")
        pump_until(lambda: focused, 2)
    if not on_node():
        sys.exit(f"the focus on node {index} was not told")
    events.clear()
    press(key)
    # The view tells its own name before its nodes'.
    pump_until(lambda: any(e.startswith("node ") for e in events), DEADLINE)
    for event in events:
        print(event)
    del view


def menus(pid, window):
    view = wait_for_view(pid)
    nodes = []
    for child in view:
        box = child.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        nodes.append((child.name.split(":")[0], box.x + box.width // 2, box.y + box.height // 2))
    focused = []

    def record(event):
        try:
            if event.source.get_process_id() == pid and event.detail1 == 1:
                focused.append((event.source.getRole(), event.source.name))
        except GLib.Error:
            pass

    def menu_item():
        return next((name for role, name in focused if role == pyatspi.ROLE_MENU_ITEM), None)

    pyatspi.Registry.registerEventListener(record, "object:state-changed:focused")
    for name, x, y in nodes:
        focused.clear()
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "3"], check=True)
        # A menu opened by the mouse has no item chosen: Up chooses its last,
        # and a screen reader is told of it.
        end = time.monotonic() + DEADLINE
        while menu_item() is None and time.monotonic() < end:
            subprocess.run(["xdotool", "key", "Up"], check=True)
            pump_until(menu_item, 5)
        if menu_item() is None:
            sys.exit(f"no context menu told its item on {name} at {x},{y}")
        print(f"{name}\t{menu_item()}", flush=True)
        # Closed, the focus goes back to the window.
        focused.clear()
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        pump_until(lambda: any(role != pyatspi.ROLE_MENU_ITEM for role, _ in focused), 5)
    del view


def menu_items(pid, title):
    """The items of the menu bar's menu TITLE, separators left out."""
    wait_for_view(pid)
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        bar = pyatspi.findDescendant(app, lambda a: a.getRole() == pyatspi.ROLE_MENU_BAR)
        for entry in bar:
            if entry.name == title:
                return [item for item in entry[0] if item.getRole() != pyatspi.ROLE_SEPARATOR]
    sys.exit(f"no menu {title}")


def menu(pid, title):
    for item in menu_items(pid, title):
        try:
            keys = item.queryAction().getKeyBinding(0)
        except NotImplementedError:
            keys = ""
        print(f"{item.name}\t{keys}")


def choose(pid, title, name):
    for item in menu_items(pid, title):
        if item.name == name:
            try:
                item.queryAction().doAction(0)
            except GLib.Error:
                pass  # the program ended before it answered, as Exit does
            return
    sys.exit(f"no item {name} in the menu {title}")


def box(pid):
    found = wait_for(pid, lambda a: a.getRole() == pyatspi.ROLE_ALERT, "message box")
    print(found.name)
    for label in pyatspi.findAllDescendants(found, lambda a: a.getRole() == pyatspi.ROLE_LABEL):
        if label.name:
            print(label.name)


def press(pid, name):
    found = wait_for(
        pid, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == name and
        a.getState().contains(pyatspi.STATE_SHOWING), f"button '{name}' shown")
    found.queryAction().doAction(0)


def shown(pid, last, seconds):
    view = wait_for_view(pid)
    box = view.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(f"box {box.x},{box.y},{box.width},{box.height}", flush=True)
    number = None

    def reached():
        nonlocal number
        # The name asked anew each time, not as a cache last heard it.
        view.clear_cache()
        found = re.match(r"Record nr (\d+)", view.name)
        if found and int(found.group(1)) != number:
            number = int(found.group(1))
            print(f"{time.monotonic():.3f} {number}", flush=True)
        return number is not None and number >= last

    if not pump_until(reached, seconds):
        sys.exit(f"the view did not show record {last} within {seconds} s")


def main():
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "tree" and len(sys.argv) == 3:
        tree(int(sys.argv[2]))
    elif command == "told" and len(sys.argv) == 6:
        told(int(sys.argv[2]), sys.argv[3], int(sys.argv[4]), sys.argv[5])
    elif command == "menus" and len(sys.argv) == 4:
        menus(int(sys.argv[2]), sys.argv[3])
    elif command == "menu" and len(sys.argv) == 4:
        menu(int(sys.argv[2]), sys.argv[3])
    elif command == "choose" and len(sys.argv) == 5:
        choose(int(sys.argv[2]), sys.argv[3], sys.argv[4])
    elif command == "box" and len(sys.argv) == 3:
        box(int(sys.argv[2]))
    elif command == "press" and len(sys.argv) == 4:
        press(int(sys.argv[2]), sys.argv[3])
    elif command == "shown" and len(sys.argv) == 5:
        shown(int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
