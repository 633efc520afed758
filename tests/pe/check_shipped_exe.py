#!/usr/bin/python3
"""Reads the shipped zorpurge.exe and fails unless every Windows 95/98/Me
machine can load and run it: i386 code with no later instruction, GUI
subsystem 4.0, imports from the three system DLLs only, the dialogue texts
in a string table of language 0x0411.

usage: check_shipped_exe.py EXE [OBJDUMP]
"""
import re
import subprocess
import sys

import pefile

ALLOWED_DLLS = {"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL"}
STRING_LANGUAGE = 0x0411
EXPECTED_TEXTS = {
    1: "Parvella Uninstall Utility",
    2: "Do you want to uninstall Parvella?",
    3: "It is necessary to restart to complete uninstalling.\nDo you want to restart?",
}
# Instructions that a 386 lacks (486, Pentium, P6 and later, MMX/SSE).
POST_386 = re.compile(
    r"^(cmov|fcmov|f[u]?comip?|bswap|cmpxchg|xadd|invd|wbinvd|invlpg|cpuid|rdtsc|rdmsr|wrmsr|"
    r"rdpmc|rsm|ud2|sysenter|sysexit|fxsave|fxrstor|[lms]fence|prefetch|movnt|nopw|nopl|"
    r"emms|endbr)")
SIMD_REGISTER = re.compile(r"%[xy]?mm[0-9]")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_header(pe):
    check(pe.FILE_HEADER.Machine == 0x14C, "machine is not i386: %#x" % pe.FILE_HEADER.Machine)
    opt = pe.OPTIONAL_HEADER
    check(opt.Subsystem == 2, "subsystem is not Windows GUI: %d" % opt.Subsystem)
    check((opt.MajorSubsystemVersion, opt.MinorSubsystemVersion) == (4, 0),
          "subsystem version is not 4.0: %d.%d" % (opt.MajorSubsystemVersion, opt.MinorSubsystemVersion))
    check(pe.FILE_HEADER.NumberOfSymbols == 0, "not stripped: it has a symbol table")
    check(pe.FILE_HEADER.TimeDateStamp == 0, "carries a time stamp, so two builds differ")
    names = {s.Name.rstrip(b"\0").decode() for s in pe.sections}
    check({".text", ".rdata", ".idata", ".rsrc"} <= names, "unusual sections: %s" % sorted(names))


def check_imports(pe):
    dlls = {entry.dll.decode().upper() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    check(dlls and dlls <= ALLOWED_DLLS, "imports from other DLLs: %s" % sorted(dlls - ALLOWED_DLLS))


def string_table(pe):
    """Returns {language: {id: text}} of the RT_STRING resources."""
    tables = {}
    for kind in getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None).entries:
        if kind.id != pefile.RESOURCE_TYPE["RT_STRING"]:
            continue
        for block in kind.directory.entries:
            for language in block.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                position = 0
                for index in range(16):
                    length = int.from_bytes(data[position:position + 2], "little")
                    text = data[position + 2:position + 2 + 2 * length].decode("utf-16-le")
                    position += 2 + 2 * length
                    if length:
                        tables.setdefault(language.id, {})[(block.id - 1) * 16 + index] = text
    return tables


def check_strings(pe):
    tables = string_table(pe)
    check(set(tables) == {STRING_LANGUAGE}, "string table languages: %s" % [hex(l) for l in tables])
    check(tables.get(STRING_LANGUAGE) == EXPECTED_TEXTS,
          "string table texts: %r" % tables.get(STRING_LANGUAGE))


def check_instructions(path, objdump):
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", "-j", ".text", path],
                             check=True, capture_output=True, text=True).stdout
    found = set()
    for line in listing.splitlines():
        fields = line.split("\t")
        if len(fields) < 2 or not fields[1].strip():
            continue
        instruction = fields[1].strip()
        if POST_386.match(instruction) or SIMD_REGISTER.search(instruction):
            found.add(instruction)
    check(not found, "instructions a 386 lacks: %s" % sorted(found))


def main():
    path = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) > 2 else "i686-w64-mingw32-objdump"
    pe = pefile.PE(path)
    check_header(pe)
    check_imports(pe)
    check_strings(pe)
    check_instructions(path, objdump)
    for failure in failures:
        print("FAIL %s: %s" % (path, failure))
    if not failures:
        print("PASS %s: i386, GUI 4.0, imports %s only, texts in language 0x0411, %d bytes"
              % (path, ", ".join(sorted(ALLOWED_DLLS)), len(pe.__data__)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
