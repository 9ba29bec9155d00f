#!/usr/bin/env python3
"""Checks the nine help topics in package/ and prints them as plain text.

Each topic must be ASCII RTF that starts with {\\rtf1, whose braces balance and close the
document at its last brace, with a font table, a bold heading and nothing that RichEdit 1.0
renders badly (\\pn auto-numbering). A text line that runs into the next line without a space
or a control word would glue two words together, since RTF ignores line ends; that is an error.
The words of the plain text are counted against the pane's comfortable range.

Usage: check_help_topics.py [--text] [package folder]
Exit status 0 when every topic passes, 1 otherwise.
"""
import os
import re
import sys

TOPICS = ["Welcome.aid", "Ovw.aid", "Setup.aid", "Add.aid", "Rem.aid",
          "Preview.aid", "Freq.aid", "Pick.aid", "More.aid"]
MIN_WORDS, MAX_WORDS = 80, 260
# Destinations whose content is not shown.
SKIPPED_GROUPS = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer"}
CONTROL = re.compile(rb"\\([a-zA-Z]+)(-?\d+)? ?|\\'([0-9a-fA-F]{2})|\\([^a-zA-Z])")


def check_braces(data):
    """Returns a list of problems with the document's group structure."""
    problems = []
    depth = 0
    closed_at = None
    i = 0
    while i < len(data):
        c = data[i:i + 1]
        if c == b"\\":
            i += 2  # an escaped brace or backslash, or the first letter of a control word
            continue
        if c == b"{":
            if closed_at is not None:
                problems.append("text after the document's closing brace at byte %d" % i)
                return problems
            depth += 1
        elif c == b"}":
            depth -= 1
            if depth < 0:
                problems.append("unbalanced '}' at byte %d" % i)
                return problems
            if depth == 0:
                closed_at = i
        elif closed_at is not None and not c.isspace():
            problems.append("text after the document's closing brace at byte %d" % i)
            return problems
        i += 1
    if depth != 0:
        problems.append("%d group(s) left open at the end" % depth)
    return problems


def to_text(data):
    """Plain text of an RTF document, as a rich edit control would lay out its characters."""
    out = []
    stack = []
    skipping = False
    first_in_group = False
    i = 0
    while i < len(data):
        c = data[i:i + 1]
        if c == b"{":
            stack.append(skipping)
            first_in_group = True
            i += 1
            continue
        if c == b"}":
            skipping = stack.pop() if stack else False
            first_in_group = False
            i += 1
            continue
        if c in (b"\r", b"\n"):
            i += 1
            continue
        if c == b"\\":
            m = CONTROL.match(data, i)
            if not m:
                i += 1
                continue
            i = m.end()
            word, hexcode, symbol = m.group(1), m.group(3), m.group(4)
            if symbol == b"*" or (word and first_in_group and word.decode() in SKIPPED_GROUPS):
                skipping = True
            first_in_group = False
            if skipping:
                continue
            if word in (b"par", b"line"):
                out.append("\n")
            elif word == b"tab":
                out.append("\t")
            elif word == b"bullet":
                out.append("*")
            elif word in (b"emdash", b"endash"):
                out.append("-")
            elif hexcode:
                out.append(bytes([int(hexcode, 16)]).decode("cp1252", "replace"))
            elif symbol in (b"\\", b"{", b"}"):
                out.append(symbol.decode())
            elif symbol == b"~":
                out.append(" ")
            continue
        first_in_group = False
        if not skipping:
            out.append(c.decode("ascii", "replace"))
        i += 1
    return "".join(out)


def check_line_joins(data):
    """Lines whose last character is text and whose next line starts with text run together."""
    problems = []
    lines = data.split(b"\n")
    for number, (line, following) in enumerate(zip(lines, lines[1:]), start=1):
        line = line.rstrip(b"\r")
        if not line or not following:
            continue
        ends_in_text = re.search(rb"[A-Za-z0-9.,;:!?)\"']$", line) and not re.search(rb"\\[a-zA-Z]+-?\d*$", line)
        if ends_in_text and re.match(rb"[A-Za-z0-9(\"']", following):
            problems.append("line %d runs into line %d without a space" % (number, number + 1))
    return problems


def check_topic(path):
    """Returns (problems, plain text) for one topic file."""
    problems = []
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"{\\rtf1"):
        problems.append("does not start with {\\rtf1")
    if any(b > 0x7E or (b < 0x20 and b not in (0x09, 0x0A, 0x0D)) for b in data):
        problems.append("holds bytes that are not printable ASCII")
    problems += check_braces(data)
    if b"{\\fonttbl" not in data:
        problems.append("has no font table")
    if not re.search(rb"\\b\\fs28", data):
        problems.append("has no bold \\fs28 heading")
    if re.search(rb"\\pn(?![a-z])|\\pntext|\\pnlvl", data):
        problems.append("uses \\pn auto-numbering, which RichEdit 1.0 may not render")
    problems += check_line_joins(data)
    text = to_text(data)
    words = len(re.findall(r"[A-Za-z0-9][\w.:\\'()-]*", text))
    if not MIN_WORDS <= words <= MAX_WORDS:
        problems.append("has %d words, outside %d to %d" % (words, MIN_WORDS, MAX_WORDS))
    return problems, text, words


def main(argv):
    show_text = "--text" in argv
    args = [a for a in argv if a != "--text"]
    folder = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "package")
    failed = False
    for name in TOPICS:
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            print("%s: missing" % name)
            failed = True
            continue
        problems, text, words = check_topic(path)
        status = "ok" if not problems else "FAIL"
        print("%s: %s (%d words)" % (name, status, words))
        for problem in problems:
            print("  - " + problem)
        failed = failed or bool(problems)
        if show_text:
            print("-" * 60)
            print(text.rstrip())
            print("=" * 60)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
