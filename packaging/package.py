#!/usr/bin/env python3
"""The installer's list of a staged program folder's files (NSIS lines), so that it ships
whatever the program folder holds."""
import os
import sys

# The user's files: installed only when missing, never removed without being asked.
SETTINGS = {"config.ini", "drives.inf"}


def walk(stage):
    """Relative paths of every folder and file under stage, folders before their files."""
    dirs, files = [], []
    for root, subdirs, names in os.walk(stage):
        subdirs.sort()
        rel = os.path.relpath(root, stage)
        if rel != ".":
            dirs.append(rel)
        for name in sorted(names):
            files.append(os.path.normpath(os.path.join(rel, name)))
    return dirs, files


def nsis_quote(text):
    return text.replace("$", "$$").replace('"', '$\\"')


def make_file_list(stage, out, out_uninstall):
    """Install lines (each file also recorded in the installed list) and the uninstaller's
    own lines for the same files, used even when the list is gone."""
    dirs, files = walk(stage)
    lines, un_lines = [], []
    for d in dirs:
        win = d.replace("/", "\\")
        lines.append(f'CreateDirectory "$INSTDIR\\{nsis_quote(win)}"')
    for f in files:
        if f in SETTINGS:
            continue
        win = f.replace("/", "\\")
        folder = os.path.dirname(f).replace("/", "\\")
        target = "$INSTDIR" + ("\\" + nsis_quote(folder) if folder else "")
        lines.append(f'SetOutPath "{target}"')
        lines.append(f'File "{nsis_quote(os.path.abspath(os.path.join(stage, f)))}"')
        lines.append(f'!insertmacro Installed "{nsis_quote(win)}"')
        un_lines.append(f'Delete "$INSTDIR\\{nsis_quote(win)}"')
    # Deepest folders first, so each is empty by the time the uninstaller reaches it.
    for d in sorted(dirs, key=lambda d: -d.count("/")):
        win = nsis_quote(d.replace("/", "\\"))
        lines.append(f'!insertmacro Installed "{win}\\"')
        un_lines.append(f'RMDir "$INSTDIR\\{win}"')
    for path, text in ((out, lines), (out_uninstall, un_lines)):
        with open(path, "w") as f:
            f.write("\n".join(text) + "\n")


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "nsis-files":
        make_file_list(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit("usage: package.py nsis-files STAGE INSTALL.nsh UNINSTALL.nsh")
