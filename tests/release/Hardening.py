"""Usage: python3 Hardening.py PROGRAM.exe ARCH
Checks the protections of a built program in its PE headers, each from the table below, and that its stack protector
guards its functions: the linker's map beside the stripped program (PROGRAM.exe.map) gives __stack_chk_fail's
address, and the code must call it from canary checks."""
import re
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


def flag(name):
    return flags & pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_" + name] != 0


def canary_checks():
    text = open(program + ".map", encoding="utf-8", errors="replace").read()
    found = re.search(r"^\s+0x0*([0-9a-f]+)\s+_?__stack_chk_fail$", text, re.M)
    if not found:
        return 0
    code = subprocess.run([arch + "-w64-mingw32-objdump", "-d", program], capture_output=True, text=True,
                          check=True).stdout
    return len(re.findall(r"\bcall\s+(?:0x)?0*%s\b" % found.group(1), code))


imports = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
calls = canary_checks()
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
]
checks = [(name, passed) for name, arches, passed in checks if arch in arches]
print("%s: DllCharacteristics 0x%04x" % (program, flags))
for name, passed in checks:
    print("%s  %s" % ("ok  " if passed else "FAIL", name))
sys.exit(0 if checks and all(passed for _, passed in checks) else 1)
