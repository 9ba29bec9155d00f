#!/usr/bin/env python3
"""Writes the seed corpus of the install procedure fuzzer: one file per way an install goes.

An input is read one byte per question, in the order the procedure asks:
  presses        the number of presses of Install, less one (mod 4)
  space          per press: 0 and 8 bytes big-endian, 1 one byte short, 2 exactly enough, 3 plenty
  folder         per run, the install folder after it was made: even byte there, odd byte missing
  windows        0 C:\\WINDOWS, 1 D:\\WINNT, 2 empty, 3 a 300-character path
  platform       index into 2, 2, 2, 1, 1, 0, 3, -1
  copy           per file: a byte divisible by 8 fails, any other succeeds
  answer         per box: index into Abort, Retry, Ignore, OK, 0, Cancel, Yes, -1

Usage: make_install_corpus.py [folder]   (default: corpus/install beside this script)
"""
import os
import shutil
import sys

ABORT, RETRY, IGNORE, OK = 0, 1, 2, 3
ROWS = 20
COPY_OK, COPY_FAILS = 1, 0
NT, WIN95, PLATFORM_0, PLATFORM_3, PLATFORM_MINUS_1 = 0, 3, 5, 6, 7


def run(folder_missing_answer=None, windows=0, platform=NT, copies=None, answers=()):
    """The bytes of one run, asked in order: the install folder (and the answer to its box), the
    Windows folder, the platform, then each copy with the answer to its box right after a failed
    one, then the outcome box. A run ends at an answer other than Ignore to a copy's box."""
    if folder_missing_answer is not None:
        return bytes((1, folder_missing_answer))
    data = bytearray((0, windows, platform))
    if platform in (PLATFORM_0, PLATFORM_3, PLATFORM_MINUS_1):
        return bytes(data + bytes((OK,)))
    answers = list(answers)
    for ok in copies if copies is not None else [COPY_OK] * ROWS:
        data.append(ok)
        if ok % 8 == 0:
            answer = answers.pop(0)
            data.append(answer)
            if answer != IGNORE:
                return bytes(data)
    return bytes(data + bytes((OK,)))


def press(*runs, space=2):
    """One press: the free space, then its runs (more than one when all but the last end in Retry)."""
    if space == 1:
        return bytes((1, OK))
    head = bytes((2,)) if space == 2 else bytes((0,)) + space.to_bytes(8, "big")
    return head + b"".join(runs or (run(),))


def files():
    first_fails = [COPY_FAILS] + [COPY_OK] * (ROWS - 1)
    readme_fails = [COPY_OK] * 14 + [COPY_FAILS] + [COPY_OK] * 5
    last_fails = [COPY_OK] * (ROWS - 1) + [COPY_FAILS]
    one_press, two_presses, four_presses = b"\0", b"\1", b"\3"
    return {
        "empty": b"",
        "clean-nt": one_press + press(),
        "clean-95": one_press + press(run(platform=WIN95, windows=1)),
        "clean-space-over-4-gib": one_press + press(space=1 << 32),
        "clean-empty-windows-folder": one_press + press(run(windows=2)),
        "clean-long-windows-folder": one_press + press(run(windows=3)),
        "space-one-byte-short": one_press + press(space=1),
        "space-zero": one_press + press(space=0),
        "folder-missing-abort": one_press + press(run(folder_missing_answer=ABORT)),
        "folder-missing-ignore": one_press + press(run(folder_missing_answer=IGNORE)),
        "folder-missing-retry": one_press + press(run(folder_missing_answer=RETRY), run()),
        "platform-0": one_press + press(run(platform=PLATFORM_0)),
        "platform-3": one_press + press(run(platform=PLATFORM_3)),
        "platform-minus-1": one_press + press(run(platform=PLATFORM_MINUS_1)),
        "shortcut-fails-abort": one_press + press(run(copies=first_fails, answers=(ABORT,))),
        "shortcut-fails-ignore": one_press + press(run(copies=first_fails, answers=(IGNORE,))),
        "shortcut-fails-retry": one_press + press(run(copies=first_fails, answers=(RETRY,)), run()),
        "readme-fails-ignore": one_press + press(run(copies=readme_fails, answers=(IGNORE,))),
        "last-fails-ignore": one_press + press(run(copies=last_fails, answers=(IGNORE,))),
        "last-fails-retry-twice": one_press + press(*[run(copies=last_fails, answers=(RETRY,))] * 2, run()),
        "every-copy-fails-ignore": one_press + press(run(copies=[COPY_FAILS] * ROWS, answers=(IGNORE,) * ROWS)),
        "box-not-shown": one_press + press(run(copies=first_fails, answers=(4,))),
        "two-presses": two_presses + press(run(copies=first_fails, answers=(ABORT,))) + press(),
        "four-presses": four_presses + press(space=1) + press(run(platform=PLATFORM_0)) +
                        press(run(folder_missing_answer=ABORT)) + press(),
    }


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                "corpus", "install")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    corpus = files()
    for name, data in sorted(corpus.items()):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    print(f"{len(corpus)} files in {folder}")


if __name__ == "__main__":
    main()
