#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the names and contents of the
files: entries in name order, one fixed time for all (SOURCE_DATE_EPOCH,
else the time of the last commit), fixed permissions, no extra fields.

Usage: make-zip.py ZIP FOLDER   (the folder's contents become the zip's root)
"""
import os
import subprocess
import sys
import time
import zipfile


def fixed_time():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        epoch = subprocess.run(["git", "log", "-1", "--format=%ct"], check=True,
                               capture_output=True, text=True).stdout.strip()
    # Zip times are local calendar times from 1980 on; UTC keeps them alike everywhere.
    return max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))


def entries(folder):
    """Every folder (with a trailing /) and file below folder, relative, in name order."""
    names = []
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        prefix = "" if relative == "." else relative.replace(os.sep, "/") + "/"
        names += [prefix + name + "/" for name in folders]
        names += [prefix + name for name in files]
    return sorted(names)


def main(zip_path, folder):
    stamp = fixed_time()
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in entries(folder):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so the permissions below are read
            if name.endswith("/"):
                info.external_attr = (0o40755 << 16) | 0x10  # and the MS-DOS folder flag
                archive.writestr(info, b"")
                continue
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
    os.replace(partial, zip_path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
