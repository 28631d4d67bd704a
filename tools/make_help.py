#!/usr/bin/env python3
"""Writes the help file's project from the README's sections for users: one HTML page per
section, the contents and the project file that chmcmd compiles into tabrix.chm.

usage: make_help.py README.md OUTDIR
       make_help.py --settle FILE.chm   (after chmcmd: the compile time out of the file)
"""
import html
import os
import re
import struct
import sys

import markdown

# The README's sections for users, in the help's order: the heading's text, the page's file,
# and the text the page stops at (what follows is for the program's developers; None: the
# whole section). Should that text go, the whole section is taken.
PAGES = [
    ("Using Tabrix", "using.html", None),
    ("Where the settings live", "settings.html", "The choice is"),
    ("Sensors", "sensors.html", "What each look costs"),
]
TITLE = "Tabrix Help"


def section(lines, heading):
    """The lines under the heading, up to the next heading of its level or above."""
    for i, line in enumerate(lines):
        m = re.match(r"(#+) (.*)$", line)
        if m and m.group(2).strip() == heading:
            level = len(m.group(1))
            body = []
            in_code = False
            for later in lines[i + 1 :]:
                if later.startswith("```"):
                    in_code = not in_code
                h = None if in_code else re.match(r"(#+) ", later)
                if h and len(h.group(1)) <= level:
                    break
                body.append(later)
            return body
    sys.exit(f"make_help: no section '{heading}' in the README")


def cut(text, stop):
    """The text before stop (when it is there)."""
    at = text.find(stop) if stop else -1
    return text if at < 0 else text[:at]


def page(title, text):
    # Every character outside ASCII as a reference: the viewer then needs no code page.
    content = markdown.markdown(text, extensions=["tables", "fenced_code"])
    return (
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head>\n"
        f"<title>{html.escape(title)}</title>\n"
        "<style>body { font-family: Tahoma, Verdana, sans-serif; font-size: 10pt; margin: 12px; }\n"
        "code, pre { font-family: 'Courier New', monospace; } pre { background: #f2f2f2; padding: 6px; }\n"
        "</style></head><body>\n"
        f"<h1>{html.escape(title)}</h1>\n{content}\n</body></html>\n"
    ).encode("ascii", "xmlcharrefreplace")


def encint(data, at):
    """A CHM directory's variable-length number at `at`: (value, the offset after it)."""
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def settle(path):
    """Zeroes the two places chmcmd writes the time of compiling (the file header's and the
    #SYSTEM file's), so the same README gives the same bytes, as the zip's other files do."""
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF":
        sys.exit(f"make_help: {path} is no CHM file")
    data[0x10:0x14] = bytes(4)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    entry = data.find(b"\x08/#SYSTEM")
    if entry < 0:
        sys.exit(f"make_help: no #SYSTEM in {path}")
    section, at = encint(data, entry + 9)
    offset, at = encint(data, at)
    length, at = encint(data, at)
    if section != 0:
        sys.exit(f"make_help: #SYSTEM of {path} is compressed")
    start = content + offset
    at, end = start + 4, start + length  # after the version
    while at + 4 <= end:
        code, size = struct.unpack_from("<HH", data, at)
        if code == 10 and size >= 4:  # the compile time
            data[at + 4 : at + 8] = bytes(4)
        at += 4 + size
    open(path, "wb").write(data)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--settle":
        return settle(sys.argv[2])
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    readme, out = sys.argv[1], sys.argv[2]
    with open(readme, encoding="utf-8") as f:
        lines = f.read().splitlines()
    os.makedirs(out, exist_ok=True)
    entries = []
    for heading, name, stop in PAGES:
        body = cut("\n".join(section(lines, heading)), stop).strip() + "\n"
        with open(os.path.join(out, name), "wb") as f:
            f.write(page(heading, body))
        entries.append((heading, name))
    toc = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<html><body><ul>"]
    for heading, name in entries:
        toc.append(
            '<li><object type="text/sitemap">'
            f'<param name="Name" value="{html.escape(heading)}">'
            f'<param name="Local" value="{name}"></object>'
        )
    toc.append("</ul></body></html>")
    with open(os.path.join(out, "toc.hhc"), "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(toc) + "\n")
    project = [
        "[OPTIONS]",
        "Compatibility=1.1 or later",
        "Compiled file=tabrix.chm",
        "Contents file=toc.hhc",
        f"Default topic={entries[0][1]}",
        "Display compile progress=No",
        "Language=0x409 English (United States)",
        f"Title={TITLE}",
        "",
        "[FILES]",
    ] + [name for _, name in entries]
    with open(os.path.join(out, "tabrix.hhp"), "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(project) + "\n")


if __name__ == "__main__":
    main()
