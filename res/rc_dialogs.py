#!/usr/bin/env python3
"""Turns the DIALOGEX templates, the STRINGTABLE and the ICON and BITMAP files
of a .rc file into a C++ ResourceTable.

The Windows build compiles the .rc itself; every other build links the table
that this script writes, so both see the same resources from one source.

    python3 rc_dialogs.py INPUT.rc OUTPUT.cpp --table NAME

Styles come out as windres stores them: a statement's default bits, or its
base bits with those written in the .rc; DS_SETFONT when a FONT is given.
Texts come out as UTF-8, read from the .rc in the code page of its
"#pragma code_page" (Windows-1252 when there is none).
"""

import argparse
import os
import re
import sys

# The Win32 values of the names a dialog template may use.
WIN32_NAMES = {
    "WS_OVERLAPPED": 0x00000000, "WS_POPUP": 0x80000000, "WS_CHILD": 0x40000000,
    "WS_MINIMIZE": 0x20000000, "WS_VISIBLE": 0x10000000, "WS_DISABLED": 0x08000000,
    "WS_CLIPSIBLINGS": 0x04000000, "WS_CLIPCHILDREN": 0x02000000,
    "WS_MAXIMIZE": 0x01000000, "WS_CAPTION": 0x00C00000, "WS_BORDER": 0x00800000,
    "WS_DLGFRAME": 0x00400000, "WS_VSCROLL": 0x00200000, "WS_HSCROLL": 0x00100000,
    "WS_SYSMENU": 0x00080000, "WS_THICKFRAME": 0x00040000, "WS_GROUP": 0x00020000,
    "WS_TABSTOP": 0x00010000, "WS_MINIMIZEBOX": 0x00020000, "WS_MAXIMIZEBOX": 0x00010000,
    "WS_EX_DLGMODALFRAME": 0x00000001, "WS_EX_TOPMOST": 0x00000008,
    "WS_EX_TOOLWINDOW": 0x00000080, "WS_EX_CLIENTEDGE": 0x00000200,
    "WS_EX_STATICEDGE": 0x00020000, "WS_EX_APPWINDOW": 0x00040000,
    "DS_ABSALIGN": 0x01, "DS_SYSMODAL": 0x02, "DS_3DLOOK": 0x04, "DS_FIXEDSYS": 0x08,
    "DS_NOFAILCREATE": 0x10, "DS_LOCALEDIT": 0x20, "DS_SETFONT": 0x40,
    "DS_MODALFRAME": 0x80, "DS_NOIDLEMSG": 0x100, "DS_SETFOREGROUND": 0x200,
    "DS_CONTROL": 0x400, "DS_CENTER": 0x800, "DS_CENTERMOUSE": 0x1000,
    "DS_CONTEXTHELP": 0x2000, "DS_SHELLFONT": 0x48,
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_CHECKBOX": 0x2,
    "BS_AUTOCHECKBOX": 0x3, "BS_RADIOBUTTON": 0x4, "BS_GROUPBOX": 0x7,
    "BS_AUTORADIOBUTTON": 0x9, "BS_MULTILINE": 0x2000,
    "ES_LEFT": 0x0, "ES_CENTER": 0x1, "ES_RIGHT": 0x2, "ES_MULTILINE": 0x4,
    "ES_AUTOVSCROLL": 0x40, "ES_AUTOHSCROLL": 0x80, "ES_NOHIDESEL": 0x100,
    "ES_READONLY": 0x800, "ES_WANTRETURN": 0x1000, "ES_NUMBER": 0x2000,
    "SS_LEFT": 0x0, "SS_CENTER": 0x1, "SS_RIGHT": 0x2, "SS_ICON": 0x3,
    "SS_BLACKRECT": 0x4, "SS_LEFTNOWORDWRAP": 0xC, "SS_BITMAP": 0xE,
    "SS_NOPREFIX": 0x80, "SS_NOTIFY": 0x100, "SS_CENTERIMAGE": 0x200,
    "SS_REALSIZEIMAGE": 0x800, "SS_SUNKEN": 0x1000,
    "IDOK": 1, "IDCANCEL": 2, "IDABORT": 3, "IDRETRY": 4, "IDIGNORE": 5, "IDYES": 6,
    "IDNO": 7,
    "LANG_NEUTRAL": 0x00, "LANG_ENGLISH": 0x09, "LANG_ITALIAN": 0x10,
    "SUBLANG_NEUTRAL": 0x00, "SUBLANG_DEFAULT": 0x01, "SUBLANG_ITALIAN": 0x01,
}
N = WIN32_NAMES
CHILD = N["WS_CHILD"] | N["WS_VISIBLE"]

# Statement -> (kind, has text, style without a style argument, base that a
# style argument is OR'ed into), as windres has them. Microsoft's rc keeps
# WS_GROUP on a styled LTEXT; windres does not, so write it out in the script.
CONTROL_STATEMENTS = {
    "DEFPUSHBUTTON": ("DefPushButton", True, CHILD | N["WS_TABSTOP"] | N["BS_DEFPUSHBUTTON"],
                      CHILD | N["WS_TABSTOP"] | N["BS_DEFPUSHBUTTON"]),
    "PUSHBUTTON": ("PushButton", True, CHILD | N["WS_TABSTOP"] | N["BS_PUSHBUTTON"],
                   CHILD | N["WS_TABSTOP"] | N["BS_PUSHBUTTON"]),
    "EDITTEXT": ("Edit", False, CHILD | N["WS_TABSTOP"] | N["WS_BORDER"] | N["ES_LEFT"],
                 CHILD | N["WS_TABSTOP"] | N["WS_BORDER"] | N["ES_LEFT"]),
    "LTEXT": ("Static", True, CHILD | N["WS_GROUP"] | N["SS_LEFT"], CHILD | N["SS_LEFT"]),
    "GROUPBOX": ("GroupBox", True, CHILD | N["BS_GROUPBOX"], CHILD | N["BS_GROUPBOX"]),
}
STATIC_KINDS = {N["SS_ICON"]: "Icon", N["SS_BITMAP"]: "Bitmap"}
BUTTON_KINDS = {N["BS_PUSHBUTTON"]: "PushButton", N["BS_DEFPUSHBUTTON"]: "DefPushButton",
                N["BS_GROUPBOX"]: "GroupBox"}

TOKEN = re.compile(r"""
    (?P<space>\s+|//[^\n]*|/\*.*?\*/)
  | (?P<directive>\#[^\n]*)
  | (?P<string>"(?:[^"\\\n]|\\.|"")*")
  | (?P<number>(?:0[xX][0-9a-fA-F]+|\d+)[lLuU]*)
  | (?P<name>[A-Za-z_][A-Za-z0-9_]*)
  | (?P<punct>[,|()\-+{}])
""", re.VERBOSE | re.DOTALL)

ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v",
           "\\": "\\", '"': '"', "'": "'"}


class RcError(Exception):
    pass


def decode_string(literal):
    """The text of an rc string literal: backslash escapes and "" for a quote."""
    body, out, i = literal[1:-1], [], 0
    while i < len(body):
        c = body[i]
        if c == '"':  # only ever the first of a doubled quote
            out.append('"')
            i += 2
        elif c != "\\":
            out.append(c)
            i += 1
        else:
            e = body[i + 1]
            if e in ESCAPES:
                out.append(ESCAPES[e])
                i += 2
            elif e in "xX":
                digits = re.match(r"[0-9a-fA-F]{1,4}", body[i + 2:])
                if not digits:
                    raise RcError(f"bad escape in {literal}")
                out.append(chr(int(digits.group(0), 16)))
                i += 2 + len(digits.group(0))
            elif e in "01234567":
                digits = re.match(r"[0-7]{1,3}", body[i + 1:]).group(0)
                out.append(chr(int(digits, 8)))
                i += 1 + len(digits)
            else:
                out.append("\\" + e)
                i += 2
    return "".join(out)


class Tokens:
    def __init__(self, text, symbols, directory):
        self.items = []  # (kind, value)
        self.symbols = symbols
        self.directory = directory
        self.codepage = "cp1252"
        self._scan(text)
        self.pos = 0

    def _scan(self, text):
        pos = 0
        while pos < len(text):
            m = TOKEN.match(text, pos)
            if not m:
                line = text.count("\n", 0, pos) + 1
                raise RcError(f"line {line}: cannot read {text[pos:pos + 20]!r}")
            pos = m.end()
            kind = m.lastgroup
            if kind == "space":
                continue
            if kind == "directive":
                self._directive(m.group(0))
                continue
            self.items.append((kind, m.group(0)))

    def _directive(self, line):
        m = re.match(r'#\s*include\s+"([^"]+)"', line)
        if m:
            read_defines(os.path.join(self.directory, m.group(1)), self.symbols)
        read_define(line, self.symbols)
        m = re.match(r"#\s*pragma\s+code_page\s*\(\s*(\d+)\s*\)", line)
        if m:
            page = int(m.group(1))
            self.codepage = "utf-8" if page == 65001 else f"cp{page}"
        # Everything else (system includes, guards) carries nothing a template needs.

    def peek(self, offset=0):
        i = self.pos + offset
        return self.items[i] if i < len(self.items) else (None, None)

    def next(self):
        item = self.peek()
        if item[0] is None:
            raise RcError("unexpected end of file")
        self.pos += 1
        return item

    def accept(self, value):
        if self.peek()[1] is not None and self.peek()[1].upper() == value:
            self.pos += 1
            return True
        return False

    def expect(self, value):
        if not self.accept(value):
            raise RcError(f"expected {value}, found {self.peek()[1]!r}")

    def at_end(self):
        return self.pos >= len(self.items)

    def string(self):
        kind, value = self.next()
        if kind != "string":
            raise RcError(f"expected a string, found {value!r}")
        return decode_string(value)

    def begin(self):
        if not (self.accept("BEGIN") or self.accept("{")):
            raise RcError(f"expected BEGIN, found {self.peek()[1]!r}")

    def end(self):
        return self.accept("END") or self.accept("}")

    # Expressions: '|' of terms; NOT X clears X from the statement's default.
    def style(self):
        set_bits, clear_bits = 0, 0
        while True:
            if self.accept("NOT"):
                clear_bits |= self.value()
            else:
                set_bits |= self.value()
            if not self.accept("|"):
                return set_bits, clear_bits

    def value(self):
        kind, token = self.next()
        if token == "-":
            return -self.value()
        if token == "(":
            v = self.value()
            while True:
                if self.accept("|"):
                    v |= self.value()
                elif self.accept("+"):
                    v += self.value()
                else:
                    break
            self.expect(")")
            return v
        if kind == "number":
            return int(token.rstrip("lLuU"), 0)
        if kind == "name":
            if token in self.symbols:
                return self.symbols[token]
            if token in WIN32_NAMES:
                return WIN32_NAMES[token]
            raise RcError(f"unknown name {token}")
        raise RcError(f"expected a number, found {token!r}")

    def number(self):
        return self.value()

    def at_begin(self):
        return (self.peek()[1] or "").upper() in ("BEGIN", "{")


DEFINE = re.compile(
    r"\s*#\s*define\s+(\w+)\s+\(?\s*(-?\s*(?:0[xX][0-9a-fA-F]+|\d+))[lLuU]*\s*\)?\s*(?://.*)?$")


def read_define(line, symbols):
    """Numeric #defines only: ids are all a template needs."""
    m = DEFINE.match(line)
    if m:
        symbols[m.group(1)] = int(m.group(2).replace(" ", ""), 0)


def read_defines(path, symbols):
    with open(path, encoding="ascii") as f:
        for line in f:
            read_define(line, symbols)


def parse_control(t, statement):
    if statement == "CONTROL":
        kind, token = t.peek()
        if kind == "string":
            text, resource = t.string(), 0
        else:
            text, resource = "", t.number()
        t.expect(",")
        nid = t.number()
        t.expect(",")
        class_name = t.string().lower()
        t.expect(",")
        set_bits, clear_bits = t.style()
        style = (CHILD | set_bits) & ~clear_bits & 0xFFFFFFFF
        t.expect(",")
        box = [t.number()]
        for _ in range(3):
            t.expect(",")
            box.append(t.number())
        exstyle = t.style()[0] if t.accept(",") else 0
        if class_name == "static":
            kind = STATIC_KINDS.get(style & 0x1F, "Static")
        elif class_name == "button" and (style & 0x0F) in BUTTON_KINDS:
            kind = BUTTON_KINDS[style & 0x0F]
        elif class_name == "edit":
            kind = "Edit"
        else:
            raise RcError(f"control class {class_name!r} is not modelled")
        if (resource != 0) != (kind in ("Icon", "Bitmap")):
            raise RcError(f"control {nid}: a picture names a resource, text does not")
        return dict(id=nid, kind=kind, text=text, resource=resource, box=box, style=style,
                    exstyle=exstyle)
    if statement not in CONTROL_STATEMENTS:
        raise RcError(f"dialog statement {statement} is not modelled")
    kind, has_text, default, base = CONTROL_STATEMENTS[statement]
    text = ""
    if has_text:
        text = t.string()
        t.expect(",")
    nid = t.number()
    box = []
    for _ in range(4):
        t.expect(",")
        box.append(t.number())
    style, exstyle = default, 0
    if t.accept(","):
        set_bits, clear_bits = t.style()
        style = (base | set_bits) & ~clear_bits & 0xFFFFFFFF
        if t.accept(","):
            exstyle = t.style()[0]
    return dict(id=nid, kind=kind, text=text, resource=0, box=box, style=style, exstyle=exstyle)


def parse_dialog(t, nid):
    box = [t.number()]
    for _ in range(3):
        t.expect(",")
        box.append(t.number())
    if t.accept(","):
        t.number()  # help id
    dialog = dict(id=nid, box=box, caption="", style=None, exstyle=0, font=("", 0), items=[])
    while not t.at_begin():
        _, keyword = t.next()
        keyword = keyword.upper()
        if keyword == "STYLE":
            dialog["style"] = t.style()[0]
        elif keyword == "EXSTYLE":
            dialog["exstyle"] = t.style()[0]
        elif keyword == "CAPTION":
            dialog["caption"] = t.string()
        elif keyword == "FONT":
            size = t.number()
            t.expect(",")
            dialog["font"] = (t.string(), size)
            while t.accept(","):
                t.number()  # weight, italic, character set
        else:
            raise RcError(f"dialog {nid}: {keyword} is not modelled")
    style = dialog["style"]
    if style is None:
        style = N["WS_POPUP"] | N["WS_BORDER"] | N["WS_SYSMENU"]
    if dialog["caption"]:
        style |= N["WS_CAPTION"]
    if dialog["font"][0]:
        style |= N["DS_SETFONT"]
    dialog["style"] = style
    t.begin()
    while not t.end():
        _, statement = t.next()
        dialog["items"].append(parse_control(t, statement.upper()))
    return dialog


def skip_resource(t):
    """Passes over a resource this script does not model (files, version blocks)."""
    if t.peek()[0] == "string":
        t.next()
        return
    while not t.at_begin():
        t.next()
    depth = 0
    while True:
        _, token = t.next()
        if token.upper() in ("BEGIN", "{"):
            depth += 1
        elif token.upper() in ("END", "}"):
            depth -= 1
            if depth == 0:
                return


def parse_rc(path):
    with open(path, "rb") as f:
        raw = f.read()
    symbols = {}
    # Directives are read before the text is decoded, so decode as Latin-1 first
    # (byte-preserving) and re-decode the strings in the declared code page.
    t = Tokens(raw.decode("latin-1"), symbols, os.path.dirname(os.path.abspath(path)))

    def text(s):
        return s.encode("latin-1").decode(t.codepage)

    dialogs, strings, files = [], {}, {"ICON": [], "BITMAP": []}
    while not t.at_end():
        if t.accept("LANGUAGE"):
            t.number()
            t.expect(",")
            t.number()
            continue
        if t.accept("STRINGTABLE"):
            t.begin()
            while not t.end():
                nid = t.number()
                t.accept(",")
                if nid in strings:
                    raise RcError(f"string {nid} defined twice")
                strings[nid] = text(t.string())
            continue
        kind, token = t.peek()
        type_kind, type_name = t.peek(1)
        if type_name is not None and type_name.upper() == "DIALOGEX":
            nid = t.number()
            t.next()
            dialog = parse_dialog(t, nid)
            dialog["caption"] = text(dialog["caption"])
            dialog["font"] = (text(dialog["font"][0]), dialog["font"][1])
            for item in dialog["items"]:
                item["text"] = text(item["text"])
            if any(d["id"] == nid for d in dialogs):
                raise RcError(f"dialog {nid} defined twice")
            dialogs.append(dialog)
            continue
        if type_name is not None and type_name.upper() == "DIALOG":
            raise RcError("only DIALOGEX templates are modelled")
        if type_name is not None and type_name.upper() in files and t.peek(2)[0] == "string":
            nid = t.number()
            t.next()
            files[type_name.upper()].append((nid, t.string()))
            continue
        t.next()
        t.next()
        skip_resource(t)
    return dialogs, strings, files


def cpp_string(s):
    out = []
    for b in s.encode("utf-8"):
        c = chr(b)
        if c == '"' or c == "\\":
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif 0x20 <= b < 0x7F:
            out.append(c)
        else:
            out.append(f"\\{b:03o}")
    return '"' + "".join(out) + '"'


def emit_entries(lines, kind, name, entries):
    """An array of the table, or nothing when it would be empty (C++ has no empty arrays)."""
    if not entries:
        return "nullptr, 0"
    lines.append(f"const {kind} {name}[] = {{")
    lines += [f"    {{{nid}, {cpp_string(value)}}}," for nid, value in entries]
    lines += ["};", ""]
    return f"{name}, {len(entries)}"


def emit(dialogs, strings, files, source_name, table):
    lines = [f"// Generated by rc_dialogs.py from {source_name}. Do not edit.",
             '#include "DialogTemplate.h"', "", "namespace {", ""]
    for d in dialogs:
        lines.append(f"const DialogItemTemplate kItems{d['id']}[] = {{")
        for item in d["items"]:
            x, y, cx, cy = item["box"]
            lines.append(f"    {{{item['id']}, DialogItemKind::{item['kind']}, "
                         f"{cpp_string(item['text'])}, {item['resource']}, {x}, {y}, {cx}, {cy}, "
                         f"0x{item['style']:08X}UL, 0x{item['exstyle']:08X}UL}},")
        lines += ["};", ""]
    lines.append("const DialogTemplate kDialogs[] = {")
    for d in dialogs:
        x, y, cx, cy = d["box"]
        count = len(d["items"])
        lines.append(f"    {{{d['id']}, {cpp_string(d['caption'])}, {x}, {y}, {cx}, {cy}, "
                     f"0x{d['style']:08X}UL, 0x{d['exstyle']:08X}UL, {cpp_string(d['font'][0])}, "
                     f"{d['font'][1]}, {'kItems' + str(d['id']) if count else 'nullptr'}, {count}}},")
    lines += ["};", ""]
    string_entries = emit_entries(lines, "ResourceString", "kStrings", sorted(strings.items()))
    icon_entries = emit_entries(lines, "ResourceFile", "kIcons", files["ICON"])
    bitmap_entries = emit_entries(lines, "ResourceFile", "kBitmaps", files["BITMAP"])
    lines += ["} // namespace", "",
              f"extern const ResourceTable {table};",
              f"const ResourceTable {table} = {{kDialogs, {len(dialogs)}, {string_entries}, "
              f"{icon_entries}, {bitmap_entries}}};"]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("rc")
    parser.add_argument("output")
    parser.add_argument("--table", required=True, help="the name of the ResourceTable")
    args = parser.parse_args()
    try:
        dialogs, strings, files = parse_rc(args.rc)
    except RcError as e:
        sys.exit(f"{args.rc}: {e}")
    if not dialogs:
        sys.exit(f"{args.rc}: no DIALOGEX template found")
    code = emit(dialogs, strings, files, os.path.basename(args.rc), args.table)
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(code)


if __name__ == "__main__":
    main()
