"""Prints what a screen reader is given of an application's windows over AT-SPI: each shown
object's role and name, and the label it is labelled by, indented as the tree nests. Items of
lists, tables and trees are data, not controls, and are left out; digits read as 9, so the
clock's times do not matter."""
import re
import sys
import time

import pyatspi

DATA_ROLES = {"list item", "table cell", "tree item", "table row", "table column header"}


def find_application(name, tries=100):
    for _ in range(tries):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def labelled_by(accessible):
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return None


def walk(accessible, depth, lines):
    role = accessible.getRoleName()
    if role in DATA_ROLES or not accessible.getState().contains(pyatspi.STATE_SHOWING):
        return
    line = "  " * depth + f"[{role}] {accessible.name!r}"
    label = labelled_by(accessible)
    if label:
        line += f" labelled-by {label!r}"
    lines.append(re.sub(r"[0-9]", "9", line))
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, lines)


def main():
    """atspi_tree.py APPLICATION [TEXT]: with TEXT, waits (up to 10 s) until a line holds it."""
    app = find_application(sys.argv[1])
    if app is None:
        print(f"no application {sys.argv[1]!r} on the accessibility bus", file=sys.stderr)
        return 1
    awaited = sys.argv[2] if len(sys.argv) > 2 else None
    for _ in range(50):
        lines = []
        for i in range(app.childCount):
            walk(app.getChildAtIndex(i), 0, lines)
        if awaited is None or any(awaited in line for line in lines):
            break
        time.sleep(0.2)
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
