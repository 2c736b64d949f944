#!/usr/bin/python3
"""Re-encode CHM project files (.hhp, .hhc) for the guide's language.

The pages are UTF-8 and say so; the project and contents files have no
such marker, and CHM readers decode them by the project's language code, so
they must be stored in that language's code page.

usage: encode_project.py <encoding> <file> ...
"""
import sys


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    encoding = argv[1]
    for path in argv[2:]:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        with open(path, "w", encoding=encoding, newline="\r\n") as f:
            f.write(text)


if __name__ == "__main__":
    main(sys.argv)
