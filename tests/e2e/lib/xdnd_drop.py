#!/usr/bin/python3
"""Drops files on the X window under a point, as a file manager does (the XDND protocol,
version 5, offering text/uri-list), and reports how the target answered.

    xdnd_drop.py X Y PATH...

Exit 0 when the target accepted the drop and said it finished, 1 otherwise. Wine's X11 driver
takes such a drop for the window under the point that accepts files (WS_EX_ACCEPTFILES), or one
of its parents, and posts it WM_DROPFILES with the names in UTF-16.
"""
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, protocol


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    x, y = int(sys.argv[1]), int(sys.argv[2])
    uris = "".join("file://" + urllib.parse.quote(p) + "\r\n" for p in sys.argv[3:])
    d = display.Display()
    root = d.screen().root
    atom = lambda name: d.intern_atom(name)
    aware, enter, position, status = atom("XdndAware"), atom("XdndEnter"), atom("XdndPosition"), atom("XdndStatus")
    drop, finished, selection = atom("XdndDrop"), atom("XdndFinished"), atom("XdndSelection")
    copy, uri_list = atom("XdndActionCopy"), atom("text/uri-list")

    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(selection, X.CurrentTime)

    # The top-level window under the point that speaks XDND: the pointer's path from the root.
    target = None
    window = root
    while True:
        reply = window.translate_coords(root, x, y)
        child = reply.child
        if child == 0 or child is None:
            break
        prop = child.get_full_property(aware, Xatom.ATOM)
        if prop is not None:
            target = child
            break
        window = child
    if target is None:
        print("no XDND window at %d,%d" % (x, y))
        return 1
    version = min(5, target.get_full_property(aware, Xatom.ATOM).value[0])

    def send(kind, data):
        event = protocol.event.ClientMessage(window=target, client_type=kind,
                                             data=(32, data + [0] * (5 - len(data))))
        target.send_event(event)
        d.flush()

    def serve(until, seconds=10):
        """Answers requests for the data until an event satisfies until(event)."""
        deadline = time.time() + seconds
        while time.time() < deadline:
            while d.pending_events():
                event = d.next_event()
                if event.type == X.SelectionRequest:
                    requestor = event.requestor
                    prop = event.property or event.target
                    if event.target == uri_list:
                        requestor.change_property(prop, uri_list, 8, uris.encode("utf-8"))
                    else:
                        prop = X.NONE
                    notify = protocol.event.SelectionNotify(time=event.time, requestor=requestor,
                                                            selection=event.selection,
                                                            target=event.target, property=prop)
                    requestor.send_event(notify)
                    d.flush()
                elif until(event):
                    return event
            time.sleep(0.01)
        return None

    send(enter, [source.id, version << 24, uri_list, 0, 0])
    send(position, [source.id, 0, (x << 16) | y, X.CurrentTime, copy])
    answer = serve(lambda e: e.type == X.ClientMessage and e.client_type == status)
    if answer is None or not (answer.data[1][1] & 1):
        print("the target did not accept the drop")
        return 1
    send(drop, [source.id, 0, X.CurrentTime])
    done = serve(lambda e: e.type == X.ClientMessage and e.client_type == finished)
    if done is None:
        print("the target did not finish the drop")
        return 1
    print("dropped on 0x%x" % target.id)
    return 0


if __name__ == "__main__":
    sys.exit(main())
