#!/usr/bin/env python3
"""check-pe.py EXE: fail (exit 1) unless the 32-bit PE image EXE is hardened as a download
should be: DllCharacteristics DYNAMIC_BASE, NX_COMPAT, NO_SEH and TERMINAL_SERVER_AWARE set,
base relocations present (so that the loader can move it), no section both writable and
executable, and the header checksum right; and unless its manifest names its architecture.
Exit 2 when EXE is no 32-bit PE image.
check-pe.py --manifest EXE: only that every processorArchitecture its manifest names is the
image's own (x86 or amd64), which Windows requires to start it; for any PE image."""
import re
import struct
import sys

FLAGS = {0x0040: "DYNAMIC_BASE", 0x0100: "NX_COMPAT", 0x0400: "NO_SEH", 0x8000: "TERMINAL_SERVER_AWARE"}
SCN_EXECUTE, SCN_WRITE = 0x20000000, 0x80000000
DIRECTORY_BASERELOC = 5


def pe_checksum(image, checksum_offset):
    """The header checksum as the loader computes it: 16-bit one's-complement sum of the file
    (the checksum field counted as zero), plus the file's length."""
    data = image[:checksum_offset] + b"\0\0\0\0" + image[checksum_offset + 4:]
    if len(data) % 2:
        data += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return ((total & 0xFFFF) + (total >> 16) + len(image)) & 0xFFFFFFFF


MACHINES = {0x014C: "x86", 0x8664: "amd64"}


def manifest_faults(image, pe):
    """What is wrong with the architectures the embedded manifest names (it is stored as text)."""
    machine = MACHINES.get(struct.unpack_from("<H", image, pe + 4)[0], "unknown")
    named = [a.decode() for a in re.findall(rb'processorArchitecture="([^"]*)"', image)]
    if not named:
        return ["no manifest naming a processorArchitecture"]
    return [f"the manifest names processorArchitecture {a}, the image is {machine}" for a in named if a != machine]


def main(argv):
    manifest_only = len(argv) == 3 and argv[1] == "--manifest"
    if len(argv) != 2 and not manifest_only:
        print("usage: check-pe.py [--manifest] EXE", file=sys.stderr)
        return 2
    image = open(argv[-1], "rb").read()
    if image[:2] != b"MZ":
        print("check-pe: no MZ header", file=sys.stderr)
        return 2
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        print("check-pe: no PE header", file=sys.stderr)
        return 2
    if manifest_only:
        faults = manifest_faults(image, pe)
        for fault in faults:
            print(f"check-pe: {fault}")
        if not faults:
            print(f"check-pe: the manifest names the image's own architecture, "
                  f"{MACHINES[struct.unpack_from('<H', image, pe + 4)[0]]}")
        return 1 if faults else 0
    sections, optional_size = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x10B:
        print("check-pe: not a 32-bit (PE32) image", file=sys.stderr)
        return 2
    checksum_offset = optional + 64
    stored_checksum = struct.unpack_from("<I", image, checksum_offset)[0]
    characteristics = struct.unpack_from("<H", image, optional + 70)[0]
    reloc_rva, reloc_size = struct.unpack_from("<II", image, optional + 96 + 8 * DIRECTORY_BASERELOC)

    faults = [f"{name} not set" for bit, name in FLAGS.items() if not characteristics & bit]
    if reloc_rva == 0 or reloc_size == 0:
        faults.append("no base relocations")
    table = optional + optional_size
    for i in range(sections):
        name, flags = image[table + 40 * i:table + 40 * i + 8].rstrip(b"\0"), struct.unpack_from(
            "<I", image, table + 40 * i + 36)[0]
        if flags & SCN_EXECUTE and flags & SCN_WRITE:
            faults.append(f"section {name.decode(errors='replace')} is writable and executable")
    computed = pe_checksum(image, checksum_offset)
    if stored_checksum != computed:
        faults.append(f"header checksum {stored_checksum:#010x}, the file sums to {computed:#010x}")
    faults += manifest_faults(image, pe)
    for fault in faults:
        print(f"check-pe: {fault}")
    if faults:
        return 1
    print(f"check-pe: DllCharacteristics {characteristics:#06x} ({', '.join(FLAGS.values())}), "
          f"{reloc_size} bytes of relocations, no writable code, checksum {computed:#010x} right, "
          f"manifest for x86")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
