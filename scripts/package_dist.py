#!/usr/bin/env python3
"""Writes the portable download beside the program folder.

    package_dist.py --dist DIR --version V --readme FILE --source DIR PICTURE...

In DIR (which already holds Velmora.exe and pic/ with each PICTURE) it writes
说明.txt (the readme, as Windows' Notepad reads it best: UTF-8 with a byte
order mark, CRLF line ends), Velmora-V-win64.zip holding Velmora.exe,
说明.txt and pic/ with the pictures named, and SHA256SUMS for the zip.

The zip's bytes depend only on those files: entries in a fixed order, one
time stamp for all (SOURCE_DATE_EPOCH, else the time of the source tree's
last commit), fixed attributes instead of the builder's owner and modes, no
extra fields. Names are UTF-8 with the zip's UTF-8 flag, which Windows 10
and 11 honour. Files are replaced whole, so a reader never sees half a zip.
"""
import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

README_NAME = "说明.txt"
FALLBACK_EPOCH = 315532800  # 1980-01-01, the first moment a zip can state
FILE_ATTRIBUTE_DIRECTORY = 0x10
FILE_ATTRIBUTE_ARCHIVE = 0x20


def build_epoch(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return FALLBACK_EPOCH


def replace(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def windows_text(text):
    lines = text.replace("\r\n", "\n").split("\n")
    return b"\xef\xbb\xbf" + "\r\n".join(lines).encode("utf-8")


def entry(name, stamp, directory=False):
    info = zipfile.ZipInfo(name, date_time=stamp)
    # Fixed attributes, whatever the builder's owner and umask: Unix modes
    # in the high half, DOS attributes in the low. A zip marked as made on
    # FAT would have unzip read the names as code page 437, UTF-8 flag or not.
    info.create_system = 3
    if directory:
        info.external_attr = (0o040755 << 16) | FILE_ATTRIBUTE_DIRECTORY
    else:
        info.external_attr = (0o100644 << 16) | FILE_ATTRIBUTE_ARCHIVE
    if not directory:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_zip(path, members, stamp):
    tmp = path + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for name, source in members:
            if source is None:
                z.writestr(entry(name, stamp, directory=True), b"")
            else:
                with open(source, "rb") as f:
                    z.writestr(entry(name, stamp), f.read(), compresslevel=9)
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--dist", required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--readme", required=True)
    ap.add_argument("--source", required=True)
    ap.add_argument("pictures", nargs="+")
    args = ap.parse_args()

    with open(args.readme, encoding="utf-8") as f:
        replace(os.path.join(args.dist, README_NAME), windows_text(f.read()))

    members = [("Velmora.exe", os.path.join(args.dist, "Velmora.exe")),
               (README_NAME, os.path.join(args.dist, README_NAME)),
               ("pic/", None)]
    members += [("pic/" + p, os.path.join(args.dist, "pic", p)) for p in sorted(args.pictures)]
    missing = [src for _, src in members if src is not None and not os.path.isfile(src)]
    if missing:
        sys.exit("package_dist: missing " + ", ".join(missing))

    stamp = time.gmtime(max(build_epoch(args.source), FALLBACK_EPOCH))[:6]
    zip_name = "Velmora-%s-win64.zip" % args.version
    zip_path = os.path.join(args.dist, zip_name)
    write_zip(zip_path, members, stamp)

    with open(zip_path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    replace(os.path.join(args.dist, "SHA256SUMS"), ("%s  %s\n" % (digest, zip_name)).encode())
    print("%s  %s" % (digest, zip_path))


if __name__ == "__main__":
    main()
