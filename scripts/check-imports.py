#!/usr/bin/env python3
"""check-imports.py EXE ALLOWLIST: fail (exit 1) on any PE import of EXE that is not
on the allow-list ("DLL FUNCTION MINIMUM SOURCE" lines, # comments); imports by
ordinal always fail. Exit 2 on usage errors, objdump failure or no import table."""
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
MEMBER = re.compile(r"^\t([0-9A-Fa-f]+)\s+(\d+)\s+(\S+)")


def fail(msg):
    print(f"check-imports: {msg}", file=sys.stderr)
    sys.exit(2)


def main(argv):
    if len(argv) != 3:
        fail("usage: check-imports.py EXE ALLOWLIST")
    exe, listfile = argv[1], argv[2]
    try:
        with open(listfile, encoding="utf-8") as f:
            allowed = {(p[0].lower(), p[1]) for p in
                       (l.split("#", 1)[0].split() for l in f) if len(p) >= 2}
    except OSError as e:
        fail(f"cannot read allow-list: {e}")
    try:
        run = subprocess.run([OBJDUMP, "-p", exe], capture_output=True, text=True)
    except OSError as e:
        fail(f"cannot run {OBJDUMP}: {e}")
    if run.returncode != 0:
        fail(f"{OBJDUMP} failed ({run.returncode}): {run.stderr.strip()}")
    imports, dll = [], None
    for line in run.stdout.splitlines():
        if line.strip().startswith("DLL Name:"):
            dll = line.split(":", 1)[1].strip()
        elif not line.strip():
            dll = None
        elif dll and (m := MEMBER.match(line)):
            name = m.group(3)
            imports.append((dll, f"#{m.group(2)}" if name == "<none>" else name))
    if not imports:
        fail(f"no import table found in {exe}")
    bad = [(d, f) for d, f in imports
           if f.startswith("#") or (d.lower(), f) not in allowed]
    for d, f in bad:
        print(f"not allowed: {d} {'ordinal ' + f if f.startswith('#') else f}")
    if bad:
        return 1
    print(f"imports: {len(imports)} functions from {len({d.lower() for d, _ in imports})}"
          f" DLLs, all on the Windows 7 allow-list ({len(allowed)} entries)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
