#!/usr/bin/env python3
"""Reads the resources and the header back from a built Trevano.exe and checks them.

Usage: check_exe.py EXE [--machine i386|amd64] [--objdump OBJDUMP]

The resources come straight from the file's .rsrc section, not from the script that made
them, so that what a Windows user gets is what is checked: dialogs 100 and 102, string 101,
icon group 128, bitmap 140 and the version block, all in Italian (1040). With --objdump the
imports are checked too: system DLLs only, since the program is linked statically.
"""
import argparse
import struct
import subprocess
import sys

RT_BITMAP, RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = (
    2, 3, 5, 6, 14, 16, 24)
ITALIAN = 1040
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "comctl32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll"}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def u16(data, off):
    return struct.unpack_from("<H", data, off)[0]


def u32(data, off):
    return struct.unpack_from("<I", data, off)[0]


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = u32(data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine = u16(data, pe + 4)
        nsections = u16(data, pe + 6)
        opt = pe + 24
        self.magic = u16(data, opt)
        self.subsystem = u16(data, opt + 68)
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.rsrc_rva = u32(data, dirs + 2 * 8)
        sections = opt + u16(data, pe + 20)
        self.sections = []
        for i in range(nsections):
            s = sections + 40 * i
            vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rawptr + rva - vaddr
        raise ValueError("RVA %#x outside every section" % rva)

    def resources(self):
        """{(type, name, language): bytes}, ordinals only (named entries are skipped)."""
        found = {}
        if not self.rsrc_rva:
            return found
        base = self.offset(self.rsrc_rva)

        def walk(off, path):
            named, ids = u16(self.data, off + 12), u16(self.data, off + 14)
            for i in range(named + ids):
                entry = off + 16 + 8 * i
                key, target = u32(self.data, entry), u32(self.data, entry + 4)
                if key & 0x80000000:
                    continue
                if target & 0x80000000:
                    walk(base + (target & 0x7FFFFFFF), path + (key,))
                else:
                    rva, size = u32(self.data, base + target), u32(self.data, base + target + 4)
                    start = self.offset(rva)
                    found[path + (key,)] = self.data[start:start + size]

        walk(base, ())
        return found


def utf16z(data, off):
    end = off
    while u16(data, end) != 0:
        end += 2
    return data[off:end].decode("utf-16-le"), end + 2


def dialog_caption(data):
    """Caption, size and item count of a DIALOGEX template."""
    check(u16(data, 0) == 1 and u16(data, 2) == 0xFFFF, "DIALOGEX signature")
    count = u16(data, 16)
    x, y, cx, cy = struct.unpack_from("<hhhh", data, 18)
    off = 26
    for _ in range(2):  # menu, class
        if u16(data, off) == 0xFFFF:
            off += 4
        else:
            _, off = utf16z(data, off)
    caption, off = utf16z(data, off)
    return caption, (x, y, cx, cy), count, u32(data, 12), u32(data, 8)  # style, extended


def version_strings(data):
    """The fixed part's fields and the string table of the version block, in order."""
    fixed = data[40:40 + 52]
    sig, _, fv_ms, fv_ls, pv_ms, pv_ls, mask, flags, os_, ftype, sub = struct.unpack_from(
        "<11I", fixed)
    text = data.decode("utf-16-le", errors="replace")
    return (sig, fv_ms, fv_ls, pv_ms, pv_ls, mask, flags, os_, ftype, sub), text


def check_resources(pe):
    res = pe.resources()
    for kind, name in ((RT_DIALOG, 100), (RT_DIALOG, 102), (RT_STRING, 101 // 16 + 1),
                       (RT_GROUP_ICON, 128), (RT_BITMAP, 140), (RT_VERSION, 1)):
        check((kind, name, ITALIAN) in res, "resource type %d name %d in language 1040"
              % (kind, name))
    langs = {lang for (kind, _, lang) in res if kind != RT_ICON}
    check(langs <= {ITALIAN}, "every resource in Italian, found languages %s" % sorted(langs))

    # id: caption, (x, y, cx, cy), items, style (popup, caption, system menu, modal frame, set
    # font; the main dialog visible too), extended style (the main dialog: app window)
    dialogs = {100: ("Informazioni su Trevano", (0, 0, 235, 62), 6, 0x80C800C0, 0),
               102: ("Trevano", (0, 0, 320, 141), 13, 0x90C800C0, 0x40000)}
    for name, expected in dialogs.items():
        data = res.get((RT_DIALOG, name, ITALIAN))
        if data:
            found = dialog_caption(data)
            check(found == expected, "dialog %d: %r, expected %r" % (name, found, expected))

    block = res.get((RT_STRING, 7, ITALIAN))
    if block:
        off = 0
        for _ in range(101 % 16):
            off += 2 + 2 * u16(block, off)
        n = u16(block, off)
        text = block[off + 2:off + 2 + 2 * n].decode("utf-16-le")
        check(text == "Infor&mazioni su Trevano...", "string 101: %r" % text)

    group = res.get((RT_GROUP_ICON, 128, ITALIAN))
    if group:
        check(u16(group, 4) == 1, "icon group 128 holds one image")
        width, height, colours = group[6], group[7], group[8]
        planes_bits = u16(group, 12)
        check((width, height, colours, planes_bits) == (32, 32, 16, 4),
              "icon 128 is %dx%d, %d colours, %d bits" % (width, height, colours, planes_bits))

    bitmap = res.get((RT_BITMAP, 140, ITALIAN))
    if bitmap:
        _, w, h, _, bits = struct.unpack_from("<IiiHH", bitmap, 0)
        used = u32(bitmap, 32)
        check((w, h, bits) == (43, 55, 8), "bitmap 140 is %dx%d, %d bits" % (w, h, bits))
        check(used in (0, 256), "bitmap 140 has a full palette, not %d colours" % used)

    version = res.get((RT_VERSION, 1, ITALIAN))
    if version:
        fixed, text = version_strings(version)
        check(fixed == (0xFEEF04BD, 0x10000, 0x1, 0x10000, 0x1, 0x3F, 0, 4, 1, 0),
              "version fixed part %s" % [hex(v) for v in fixed])
        expected = ["041004B0", "CompanyName", "FileDescription", "Trevano Applicazione MFC",
                    "FileVersion", "1, 0, 0, 1", "InternalName", "Trevano", "LegalCopyright",
                    "2002", "LegalTrademarks", "OriginalFilename", "Trevano.EXE", "ProductName",
                    "Trevano Applicazione", "ProductVersion", "1, 0, 0, 1", "VarFileInfo",
                    "Translation"]
        pos = 0
        for word in expected:
            found = text.find(word, pos)
            check(found >= 0, "version block: %r after position %d" % (word, pos))
            pos = found + len(word) if found >= 0 else pos
        tail = version[-4:]
        check(struct.unpack("<HH", tail) == (0x0410, 1200),
              "translation %s" % list(struct.unpack("<HH", tail)))
    manifest = [v for (kind, _, _), v in res.items() if kind == RT_MANIFEST]
    check(any(b"<activeCodePage" in m and b">UTF-8<" in m for m in manifest),
          "the manifest asks for the UTF-8 code page")


def check_imports(exe, objdump):
    out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                         text=True).stdout
    dlls = {line.split("DLL Name:")[1].strip().lower()
            for line in out.splitlines() if "DLL Name:" in line}
    check(dlls and dlls <= SYSTEM_DLLS, "imports beyond the system's: %s"
          % sorted(dlls - SYSTEM_DLLS))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--machine", choices=MACHINES)
    parser.add_argument("--objdump")
    args = parser.parse_args()
    with open(args.exe, "rb") as f:
        pe = PeFile(f.read())
    check(pe.subsystem == 2, "GUI subsystem, found %d" % pe.subsystem)
    if args.machine:
        check(pe.machine == MACHINES[args.machine], "machine %#x" % pe.machine)
        check(pe.magic == (0x10B if args.machine == "i386" else 0x20B),
              "optional header magic %#x" % pe.magic)
    check_resources(pe)
    if args.objdump:
        check_imports(args.exe, args.objdump)
    for what in failures:
        print("%s: FAILED: %s" % (args.exe, what))
    if not failures:
        print("%s: resources, header and imports as expected" % args.exe)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
