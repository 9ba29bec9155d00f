"""Writes a seed corpus, one file per named input, into its folder under corpus/ or the one given."""
import os
import shutil
import sys


def write_corpus(name, corpus):
    """Replaces the folder (argv[1], or corpus/<name> beside this script) with the files of `corpus`."""
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                "corpus", name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for file_name, data in sorted(corpus.items()):
        with open(os.path.join(folder, file_name), "wb") as out:
            out.write(data)
    print(f"{len(corpus)} files in {folder}")
