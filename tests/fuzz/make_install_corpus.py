#!/usr/bin/env python3
"""Writes the seed corpus of the install procedure fuzzer: one file per way an install goes.

An input is read one byte per question, in the order the procedure asks:
  presses        the number of presses of Install, less one (mod 4)
  space          per press: 0 and 8 bytes big-endian, 1 one byte short, 2 exactly enough, 3 plenty
  yes/no         a path exists, a copy succeeds: a byte divisible by 8 says no
  windows        0 C:\\WINDOWS, 1 D:\\WINNT, 2 empty, 3 a 300-character path
  platform       index into 2, 2, 2, 1, 1, 0, 3, -1
  shell folder   the folder the shell names: a byte divisible by 4 says it names none
  answer         per box that asks: index into Abort, Retry, Ignore, OK, 0, Cancel, Yes, -1
Each run asks: the install folder (and the answer to its box when it is missing), the Windows
folder, the platform; then for the shortcut on platform 1 its copy; on platform 2 whether the
NT 4.0 layout exists, then either the copy into it, or the all-users folder the shell names and
the copy into it, and after a failure the user's folder and the copy into it; the answer when
the shortcut found no place; then each file's copy, with the answer right after a failed one.

Usage: make_install_corpus.py [folder]   (default: corpus/install beside this script)
"""
from corpus_files import write_corpus

ABORT, RETRY, IGNORE = 0, 1, 2
NO, YES, NO_FOLDER = 0, 1, 4
ROWS = 20
NT, WIN95, PLATFORM_0, PLATFORM_3, PLATFORM_MINUS_1 = 0, 3, 5, 6, 7


def run(folder_missing_answer=None, windows=0, platform=NT, startup=(NO, YES, YES), shortcut_answer=None,
        files=None, answers=()):
    """The bytes of one run. `startup` holds the shortcut's bytes on the way the run takes: on NT
    by default no NT 4.0 layout, the shell names the all-users folder, the copy succeeds. A run
    ends at an answer other than Ignore."""
    if folder_missing_answer is not None:
        return bytes((NO, folder_missing_answer))
    data = bytearray((YES, windows, platform))
    if platform in (PLATFORM_0, PLATFORM_3, PLATFORM_MINUS_1):
        return bytes(data)
    data += bytes(startup if platform == NT else (YES,))
    if shortcut_answer is not None:
        data.append(shortcut_answer)
        if shortcut_answer != IGNORE:
            return bytes(data)
    answers = list(answers)
    for ok in files if files is not None else [YES] * (ROWS - 1):
        data.append(ok)
        if ok % 8 == 0:
            answer = answers.pop(0)
            data.append(answer)
            if answer != IGNORE:
                return bytes(data)
    return bytes(data)


def press(*runs, space=2):
    """One press: the free space, then its runs (more than one when all but the last end in Retry)."""
    if space == 1:
        return bytes((1,))
    head = bytes((2,)) if space == 2 else bytes((0,)) + space.to_bytes(8, "big")
    return head + b"".join(runs or (run(),))


def files():
    both_refused = (NO, YES, NO, YES, NO)
    readme_fails = [YES] * 13 + [NO] + [YES] * 5
    last_fails = [YES] * (ROWS - 2) + [NO]
    one, two, four = b"\0", b"\1", b"\3"
    return {
        "empty": b"",
        "clean-nt": one + press(),
        "clean-nt4-layout": one + press(run(startup=(YES, YES))),
        "clean-95": one + press(run(platform=WIN95, windows=1)),
        "clean-space-over-4-gib": one + press(space=1 << 32),
        "clean-empty-windows-folder": one + press(run(windows=2)),
        "clean-long-windows-folder": one + press(run(windows=3)),
        "all-users-refused-user-written": one + press(run(startup=(NO, YES, NO, YES, YES))),
        "no-all-users-folder": one + press(run(startup=(NO, NO_FOLDER, YES, YES))),
        "space-one-byte-short": one + press(space=1),
        "space-zero": one + press(space=0),
        "folder-missing-abort": one + press(run(folder_missing_answer=ABORT)),
        "folder-missing-ignore": one + press(run(folder_missing_answer=IGNORE)),
        "folder-missing-retry": one + press(run(folder_missing_answer=RETRY), run()),
        "platform-0": one + press(run(platform=PLATFORM_0)),
        "platform-3": one + press(run(platform=PLATFORM_3)),
        "platform-minus-1": one + press(run(platform=PLATFORM_MINUS_1)),
        "shortcut-refused-abort": one + press(run(startup=both_refused, shortcut_answer=ABORT)),
        "shortcut-refused-ignore": one + press(run(startup=both_refused, shortcut_answer=IGNORE)),
        "shortcut-refused-retry": one + press(run(startup=both_refused, shortcut_answer=RETRY), run()),
        "nt4-shortcut-refused-abort": one + press(run(startup=(YES, NO), shortcut_answer=ABORT)),
        "readme-fails-ignore": one + press(run(files=readme_fails, answers=(IGNORE,))),
        "last-fails-ignore": one + press(run(files=last_fails, answers=(IGNORE,))),
        "last-fails-retry-twice": one + press(*[run(files=last_fails, answers=(RETRY,))] * 2, run()),
        "every-copy-fails-ignore": one + press(run(startup=both_refused, shortcut_answer=IGNORE,
                                                   files=[NO] * (ROWS - 1), answers=(IGNORE,) * (ROWS - 1))),
        "box-not-shown": one + press(run(startup=both_refused, shortcut_answer=4)),
        "two-presses": two + press(run(startup=both_refused, shortcut_answer=ABORT)) + press(),
        "four-presses": four + press(space=1) + press(run(platform=PLATFORM_0)) +
                        press(run(folder_missing_answer=ABORT)) + press(),
    }


if __name__ == "__main__":
    write_corpus("install", files())
