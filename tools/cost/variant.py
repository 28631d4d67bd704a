#!/usr/bin/env python3
"""A config.ini for a cost run: the first-run file with some keys set.

usage: tools/cost/variant.py [--from FILE] SECTION/KEY=VALUE ... > variant.ini

Each SECTION/KEY=VALUE replaces the key's line where the section has it (section and key
match without regard to case, as the program reads them), or adds it at the section's end,
or adds the section at the file's end. Everything else, line ends included, stays as it is.
"""
import argparse, os, sys

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FIRST_RUN = os.path.join(TOP, 'assets', 'config.ini')


def parse_setting(text):
    if '/' not in text or '=' not in text.split('/', 1)[1]:
        raise ValueError('%r is no SECTION/KEY=VALUE' % text)
    section, rest = text.split('/', 1)
    key, value = rest.split('=', 1)
    return section, key, value


def with_setting(text, section, key, value):
    newline = '\r\n' if '\r\n' in text else '\n'
    lines = text.splitlines(keepends=True)
    line = key + '=' + value + newline
    inside, end = False, None
    for i, l in enumerate(lines):
        s = l.strip()
        if s.startswith('['):
            if inside:
                break
            inside = s[1:s.find(']')].strip().lower() == section.lower()
            end = i + 1 if inside else end
        elif inside:
            if s.split('=', 1)[0].strip().lower() == key.lower() and '=' in s:
                lines[i] = line
                return ''.join(lines)
            if s:
                end = i + 1
    if end is None:
        if lines and not lines[-1].endswith('\n'):
            lines[-1] += newline
        return ''.join(lines) + '[' + section + ']' + newline + line
    lines.insert(end, line)
    return ''.join(lines)


def variant(settings, base=FIRST_RUN):
    """The text of base with every SECTION/KEY=VALUE of settings set."""
    with open(base, newline='', encoding='latin-1') as f:
        text = f.read()
    for s in settings:
        text = with_setting(text, *parse_setting(s))
    return text


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--from', dest='base', default=FIRST_RUN)
    ap.add_argument('settings', nargs='+', metavar='SECTION/KEY=VALUE')
    a = ap.parse_args()
    try:
        sys.stdout.buffer.write(variant(a.settings, a.base).encode('latin-1'))
    except ValueError as e:
        sys.exit(str(e))


if __name__ == '__main__':
    main()
