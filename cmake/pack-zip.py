#!/usr/bin/env python3
"""pack-zip.py OUT DATE_FILE FOLDER NAME...

Packs FOLDER's files NAME... into the zip OUT, in the order given, each dated
with the seconds since 1970 in DATE_FILE. Nothing else goes in: no owner, no
permissions, no access or change times, so the zip depends only on the files'
bytes, the date and the zlib that compresses them.
"""
import os
import sys
import time
import zipfile

EARLIEST = 315532800  # 1980-01-01 00:00 UTC; a zip cannot hold an earlier time


def main(out, date_file, folder, *names):
    with open(date_file) as f:
        seconds = int(f.read())
    # A zip holds a wall-clock time without a zone; UTC keeps it independent
    # of the time zone the package is built in.
    stamp = time.gmtime(max(seconds, EARLIEST))[:6]
    partial = out + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        for name in names:
            entry = zipfile.ZipInfo(name, stamp)
            # Made on FAT with the archive bit only, as Windows marks a new
            # file: it unpacks with the user's own permissions.
            entry.create_system = 0
            entry.external_attr = 0x20
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                z.writestr(entry, f.read(), compresslevel=9)
    os.replace(partial, out)


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
