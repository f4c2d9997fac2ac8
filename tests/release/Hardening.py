"""Usage: python3 Hardening.py PROGRAM.exe ARCH
Checks the protections of a built program in its PE headers, each from the table below, and that its stack protector
guards its functions: the linker's map beside the stripped program (PROGRAM.exe.map) gives __stack_chk_fail's
address, and the code must call it from canary checks. The same table checks that every image of its icon is in a
form Windows reads, and that the third-party notices built beside it (THIRD-PARTY-NOTICES.txt) have a section for
each archive and start-up object of the toolchain in the map, and none for one that is not there."""
import os
import re
import struct
import subprocess
import sys

import pefile

program, arch = sys.argv[1], sys.argv[2]
pe = pefile.PE(program)
flags = pe.OPTIONAL_HEADER.DllCharacteristics
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "imm32.dll", "msvcrt.dll"}
WRITE_AND_EXECUTE = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_WRITE"] | \
    pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_EXECUTE"]
# Canary checks call the fail routine: there are several dozen here; a handful would mean only the runtime has them.
MIN_CANARY_CHECKS = 10
# The icon's sizes: 100% to 200% scaling of the small and large icons, and the 256 px image of large views.
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
RT_ICON = 3
link_map = open(program + ".map", encoding="utf-8", errors="replace").read()


def flag(name):
    return flags & pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_" + name] != 0


def canary_checks():
    found = re.search(r"^\s+0x0*([0-9a-f]+)\s+_?__stack_chk_fail$", link_map, re.M)
    if not found:
        return 0
    code = subprocess.run([arch + "-w64-mingw32-objdump", "-d", program], capture_output=True, text=True,
                          check=True).stdout
    return len(re.findall(r"\bcall\s+(?:0x)?0*%s\b" % found.group(1), code))


def icon_images():
    """(size, form, readable) of each RT_ICON image: Windows reads a PNG only as 32-bit RGBA, and a bitmap as a
    BITMAPINFOHEADER of twice its height, its colour bits, then the AND mask with rows of whole 32-bit words."""
    icons = [e for e in pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == RT_ICON]
    for entry in [language for e in icons for i in e.directory.entries for language in i.directory.entries]:
        image = pe.get_data(entry.data.struct.OffsetToData, entry.data.struct.Size)
        if image.startswith(b"\x89PNG\r\n\x1a\n"):
            width, height, depth, colour = struct.unpack(">IIBB", image[16:26])
            yield width, "PNG, colour type %d, %d-bit, %d bytes" % (colour, depth, len(image)), \
                (height, depth, colour) == (width, 8, 6)
            continue
        header, width, height, planes, bits, compression = struct.unpack("<IiiHHI", image[:20])
        pixels = width * width * 4
        alpha = any(image[header + 3:header + pixels:4])
        readable = (header, height, planes, bits, compression, alpha) == (40, 2 * width, 1, 32, 0, True) and \
            len(image) == header + pixels + (width + 31) // 32 * 4 * width
        yield width, "%d-bit bitmap%s, %d bytes" % (bits, " with alpha" if alpha else "", len(image)), readable


def notices_sections():
    """The toolchain's archives and objects in the map, and those the notices' sections name."""
    linked = re.findall(r"^(/\S+?\.a)\(", link_map.split("\nDiscarded input sections")[0], re.M)
    linked = {os.path.basename(path) for path in linked + re.findall(r"^LOAD (/\S+\.o)$", link_map, re.M)}
    path = os.path.join(os.path.dirname(program), "THIRD-PARTY-NOTICES.txt")
    text = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    return linked, set(" ".join(re.findall(r"^Linked from: (.*)$", text, re.M)).split())


imports = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
calls = canary_checks()
images = sorted(icon_images())
linked, named = notices_sections()
# What is checked, on which architectures, and whether it holds.
checks = [
    ("ASLR: DYNAMIC_BASE", ("i686", "x86_64"), flag("DYNAMIC_BASE")),
    ("ASLR: base relocations present", ("i686", "x86_64"), pe.OPTIONAL_HEADER.DATA_DIRECTORY[5].Size > 0),
    ("DEP: NX_COMPAT", ("i686", "x86_64"), flag("NX_COMPAT")),
    ("TERMINAL_SERVER_AWARE", ("i686", "x86_64"), flag("TERMINAL_SERVER_AWARE")),
    ("NO_SEH (no SEH handlers: DWARF unwinding)", ("i686",), flag("NO_SEH")),
    ("HIGH_ENTROPY_VA", ("x86_64",), flag("HIGH_ENTROPY_VA")),
    ("no section both writable and executable", ("i686", "x86_64"),
     all(s.Characteristics & WRITE_AND_EXECUTE != WRITE_AND_EXECUTE for s in pe.sections)),
    ("imports system DLLs only: " + " ".join(imports), ("i686", "x86_64"), set(imports) <= SYSTEM_DLLS),
    ("stack protector: %d canary checks call __stack_chk_fail, at least %d wanted" % (calls, MIN_CANARY_CHECKS),
     ("i686", "x86_64"), calls >= MIN_CANARY_CHECKS),
    ("icon sizes: %s px" % " ".join(str(image[0]) for image in images), ("i686", "x86_64"),
     [image[0] for image in images] == ICON_SIZES),
] + [("icon %d px: %s" % (size, form), ("i686", "x86_64"), readable and (size == 256) == form.startswith("PNG"))
     for size, form, readable in images] + [
    ("third-party notices: a section for each of the %d toolchain files linked%s%s" % (
        len(linked), "; none for " + " ".join(sorted(linked - named)) if linked - named else "",
        "; sections for what is not linked: " + " ".join(sorted(named - linked)) if named - linked else ""),
     ("i686", "x86_64"), bool(linked) and linked == named),
]
checks = [(name, passed) for name, arches, passed in checks if arch in arches]
print("%s: DllCharacteristics 0x%04x" % (program, flags))
for name, passed in checks:
    print("%s  %s" % ("ok  " if passed else "FAIL", name))
sys.exit(0 if checks and all(passed for _, passed in checks) else 1)
