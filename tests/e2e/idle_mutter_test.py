"""The idle watcher on headless Mutter, run by idle_mutter_test.sh inside a session bus of its own.

With a 2-second idle time the saver starts, a key typed through Mutter's remote desktop ends it,
2 s later it starts again; while the stand-in session manager says idle is inhibited it starts
nothing. The times measured are printed."""
import os
import signal
import subprocess
import sys
import threading
import time

from gi.repository import Gio, GLib

WATCHER = sys.argv[1]
DISPLAY = "wayland-idle-test"
TIMEOUT = 30
KEY_SPACE = 57  # evdev

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
inhibited = False

# The stand-in for GNOME's session manager: the one method the watcher asks. It answers from a
# thread and a connection of its own, whatever the test's own calls wait for (Mutter may ask it
# something while handling one of them).
SESSION_MANAGER = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.gnome.SessionManager">
  <method name="IsInhibited"><arg type="u" direction="in"/><arg type="b" direction="out"/></method>
</interface></node>""")


def session_manager_call(connection, sender, path, interface, method, parameters, invocation):
    flags = parameters.unpack()[0]
    invocation.return_value(GLib.Variant("(b)", (inhibited and bool(flags & 8),)))


def serve_session_manager(ready):
    context = GLib.MainContext()
    context.push_thread_default()
    connection = Gio.DBusConnection.new_for_address_sync(
        Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION),
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    connection.register_object("/org/gnome/SessionManager", SESSION_MANAGER.interfaces[0], session_manager_call)
    connection.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                         GLib.Variant("(su)", ("org.gnome.SessionManager", 0)), None, Gio.DBusCallFlags.NONE, -1)
    ready.set()
    GLib.MainLoop(context).run()


ready = threading.Event()
threading.Thread(target=serve_session_manager, args=(ready,), daemon=True).start()
ready.wait()


def wait_until(condition, what):
    give_up = time.monotonic() + TIMEOUT
    while not condition():
        if time.monotonic() > give_up:
            fail("timed out waiting for " + what)
        time.sleep(0.01)


def call(name, path, interface, method, parameters=None, reply="()"):
    return bus.call_sync(name, path, interface, method, parameters, GLib.VariantType(reply),
                         Gio.DBusCallFlags.NONE, -1, None).unpack()


def has_name(name):
    return call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                GLib.Variant("(s)", (name,)), "(b)")[0]


def output():
    with open(os.environ["HOME"] + "/watcher.out") as lines:
        return lines.read()


def children(pid):
    with open(f"/proc/{pid}/task/{pid}/children") as listed:
        return listed.read().split()


processes = []


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    if os.path.exists(os.environ["HOME"] + "/watcher.out"):
        print(output(), file=sys.stderr)
    stop_all()
    sys.exit(1)


def stop_all():
    for process in reversed(processes):
        if process.poll() is None:
            process.terminate()
            process.wait(TIMEOUT)


mutter = subprocess.Popen(["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", "1280x720",
                           "--wayland-display", DISPLAY], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
processes.append(mutter)
wait_until(lambda: has_name("org.gnome.Mutter.IdleMonitor") and has_name("org.gnome.Mutter.RemoteDesktop"),
           "Mutter on the bus")

# The keyboard: a remote-desktop session held by this connection for the whole test.
session = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
               "org.gnome.Mutter.RemoteDesktop", "CreateSession", None, "(o)")[0]
call("org.gnome.Mutter.RemoteDesktop", session, "org.gnome.Mutter.RemoteDesktop.Session", "Start")


def type_key():
    for pressed in (True, False):
        call("org.gnome.Mutter.RemoteDesktop", session, "org.gnome.Mutter.RemoteDesktop.Session",
             "NotifyKeyboardKeycode", GLib.Variant("(ub)", (KEY_SPACE, pressed)))


with open(os.environ["HOME"] + "/watcher.out", "w") as log:
    watcher = subprocess.Popen([WATCHER, "2"], stdout=log, stderr=subprocess.STDOUT,
                               env=dict(os.environ, WAYLAND_DISPLAY=DISPLAY))
processes.append(watcher)


def seen(what, count=1):
    return lambda: output().count(what) >= count or watcher.poll() is not None


start = time.monotonic()
wait_until(seen("started"), "the first start")
first = time.monotonic() - start
if not children(watcher.pid):
    fail("no saver runs")


def end_saver(count):
    """Nothing here tells when the saver's window has the keyboard: keys until it ends. The time
    of the last."""
    ended = seen("the saver ended", count)
    for attempt in range(20):
        typed = time.monotonic()
        type_key()
        while time.monotonic() < typed + 1 and not ended():
            time.sleep(0.01)
        if ended():
            return typed
    fail("no key ended the saver")


typed = end_saver(1)
wait_until(seen("started", 2), "the second start")
again = time.monotonic() - typed
if again < 2:
    fail(f"started again {again:.2f} s after the key, before the idle time")

inhibited = True
end_saver(2)
wait_until(seen("asked to stay awake"), "the inhibited idle time")
if children(watcher.pid) or output().count("started") != 2:
    fail("a saver started while idle was inhibited")
watcher.send_signal(signal.SIGTERM)
if watcher.wait(TIMEOUT) != 0 or "failed" in output():
    fail("the watcher did not end well")

inhibited = False
# Mutter leaving the bus ends the watcher with a word why (the saver it started writes its own
# word about the lost compositor there too).
with open(os.environ["HOME"] + "/watcher.out", "w") as log, open(os.environ["HOME"] + "/watcher.err", "w") as errors:
    watcher = subprocess.Popen([WATCHER, "2"], stdout=log, stderr=errors, env=dict(os.environ, WAYLAND_DISPLAY=DISPLAY))
processes.append(watcher)
wait_until(seen("started"), "the start before Mutter ends")
mutter.terminate()
with open(os.environ["HOME"] + "/watcher.err") as errors:
    said = errors.read() if watcher.wait(TIMEOUT) == 1 else ""
if said.count("zzQuenbrel-idle: ") != 1 or "zzQuenbrel-idle: Mutter's idle monitor has left the session bus" not in said:
    fail("the watcher did not end with Mutter: " + said)
print(f"first start after {first * 1000:.0f} ms, the next {again * 1000:.0f} ms after the key")
stop_all()
