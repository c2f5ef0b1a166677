"""Checks that each layer of src/ includes only itself and the layers it is
declared to depend on (orvane_layer(NAME DEPENDS ...) in src/CMakeLists.txt,
followed through), so that an include that climbs the layers fails the tests
even where the shared include folder would let it compile. The forms/
folders and gui/ make the user interface, which may include every layer;
tools/send is orvane-send, on app and what app stands on.

Usage: layers.py SOURCE_FOLDER
Prints each include that breaks the rule, then "N passed, N failed".
"""
import pathlib
import re
import sys

DECLARATION = re.compile(r"orvane_layer\((\w+)\s+DEPENDS\s+([^)]*)\)")
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/', re.MULTILINE)


def declared_layers(cmake_text):
    layers = {}
    for name, depends in DECLARATION.findall(cmake_text):
        layers[name] = {d.removeprefix("orvane_") for d in depends.split()
                        if d.startswith("orvane_")}
    return layers


def reachable(layers, name):
    seen, pending = {name}, [name]
    while pending:
        for below in layers.get(pending.pop(), ()):
            if below not in seen:
                seen.add(below)
                pending.append(below)
    return seen


def main():
    src = pathlib.Path(sys.argv[1]) / "src"
    layers = declared_layers((src / "CMakeLists.txt").read_text())
    allowed = {name: reachable(layers, name) for name in layers}
    allowed["tools"] = reachable(layers, "app") | {"tools"}
    passed = failed = 0
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        parts = path.relative_to(src).parts
        if len(parts) < 2 or "forms" in parts or parts[0] == "gui":
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if included in allowed.get(parts[0], ()):
                passed += 1
            else:
                failed += 1
                print("%s includes %s/, which the layer %s does not depend on"
                      % (path.relative_to(src), included, parts[0]))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
