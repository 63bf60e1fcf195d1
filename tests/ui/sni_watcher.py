"""A minimal StatusNotifierWatcher for tests, and a reader of the items registered with it.

  sni_watcher.py serve [--no-host]   owns org.kde.StatusNotifierWatcher on the session bus and
                                     prints "item SERVICE PATH" for each item registered; with
                                     --no-host no host is registered until SIGUSR1 comes
  sni_watcher.py dump                prints each registered item: its properties and its menu
                                     (com.canonical.dbusmenu GetLayout), one line a field
"""
import hashlib
import signal
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
INTERFACE_XML = f"""
<node><interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
  <signal name="StatusNotifierHostUnregistered"/>
</interface></node>"""


def serve(host):
    loop = GLib.MainLoop()
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    items = []
    state = {"host": host}

    def emit(name, parameters=None):
        bus.emit_signal(None, WATCHER_PATH, WATCHER, name, parameters)

    def on_call(_bus, sender, _path, _interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            # An item names its service, its path (the caller's service then), or both.
            name = parameters.unpack()[0]
            service, path = sender, "/StatusNotifierItem"
            if name.startswith("/"):
                path = name
            elif "/" in name:
                service, path = name.split("/", 1)[0], "/" + name.split("/", 1)[1]
            else:
                service = name
            items.append(service + path)
            print("item", service, path, flush=True)
            invocation.return_value(None)
            emit("StatusNotifierItemRegistered", GLib.Variant("(s)", (service + path,)))
        else:
            invocation.return_value(None)

    def on_get(_bus, _sender, _path, _interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", items)
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", state["host"])
        return GLib.Variant("i", 0)

    def register_host():
        state["host"] = True
        emit("StatusNotifierHostRegistered")
        print("host", flush=True)
        return GLib.SOURCE_CONTINUE

    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE_XML)
    bus.register_object(WATCHER_PATH, node.interfaces[0], on_call, on_get, None)

    def on_name(_bus, _name):
        print("watcher", flush=True)

    Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.NONE, on_name,
                                   lambda *_: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, register_host)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit())
    loop.run()


def call(bus, service, path, interface, method, parameters, reply):
    return bus.call_sync(service, path, interface, method, parameters, GLib.VariantType(reply),
                         Gio.DBusCallFlags.NONE, 5000, None).unpack()


def pixmaps_text(pixmaps):
    # The sizes, and a digest of the pictures that tells the icon's states apart.
    sizes = " ".join(f"{w}x{h}" for w, h, _ in pixmaps)
    digest = hashlib.sha256(b"".join(bytes(data) for _, _, data in pixmaps)).hexdigest()[:12]
    return f"{sizes} #{digest}" if pixmaps else "none"


def menu_lines(layout, depth, out):
    _id, properties, children = layout
    if depth > 0:
        kind = properties.get("type", "standard")
        if kind == "separator":
            text = "----"
        else:
            text = properties.get("label", "").replace("_", "")
            if properties.get("toggle-type"):
                text += " [%s]" % ("x" if properties.get("toggle-state") == 1 else " ")
            if not properties.get("enabled", True):
                text += " (greyed)"
            if not properties.get("visible", True):
                text += " (hidden)"
        out.append("  " * depth + text)
    for child in children:
        menu_lines(child, depth + 1, out)


def dump():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    items = call(bus, WATCHER, WATCHER_PATH, "org.freedesktop.DBus.Properties", "Get",
                 GLib.Variant("(ss)", (WATCHER, "RegisteredStatusNotifierItems")), "(v)")[0]
    for item in items:
        service, path = item.split("/", 1)[0], "/" + item.split("/", 1)[1]
        properties = call(bus, service, path, "org.freedesktop.DBus.Properties", "GetAll",
                          GLib.Variant("(s)", (ITEM,)), "(a{sv})")[0]
        for name in ("Category", "Status", "Title", "IconName"):
            print(f"{name}: {properties.get(name, '')}")
        print("IconPixmap:", pixmaps_text(properties.get("IconPixmap", [])))
        icon, tip_pixmaps, title, text = properties.get("ToolTip", ("", [], "", ""))
        print("ToolTip title:", title.replace("\n", " | "))
        print("ToolTip text:", text.replace("\n", " | "))
        layout = call(bus, service, properties["Menu"], MENU, "GetLayout",
                      GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]
        lines = []
        menu_lines(layout, 0, lines)
        print("Menu:")
        print("\n".join(lines))


if __name__ == "__main__":
    if sys.argv[1:2] == ["serve"]:
        serve("--no-host" not in sys.argv)
    elif sys.argv[1:2] == ["dump"]:
        dump()
    else:
        sys.exit(__doc__)
