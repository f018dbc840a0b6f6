#!/usr/bin/env python3
"""pack_zip.py OUT.zip FOLDER: packs every file below FOLDER into OUT.zip, named relative to
FOLDER, the same bytes every time: entries in name order, each dated SOURCE_DATE_EPOCH (the time
of the build's commit; 1980-01-01, the earliest a zip holds, when unset), mode 0644 (0755 for
.exe), deflated at level 9, with no folder entries, owners or extra time fields."""
import os, sys, time, zipfile


def pack(out, top, names):
    """Packs the files `names` (relative to `top`) into `out`, replacing it whole when done."""
    date = time.gmtime(max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), 315532800))[:6]
    with zipfile.ZipFile(out + ".part", "w") as archive:
        for name in sorted(names):
            entry = zipfile.ZipInfo(name, date)
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
            with open(os.path.join(top, name), "rb") as file:
                archive.writestr(entry, file.read(), zipfile.ZIP_DEFLATED, 9)
    os.replace(out + ".part", out)


if __name__ == "__main__":
    out, top = sys.argv[1], sys.argv[2]
    pack(out, top, [os.path.relpath(os.path.join(folder, file), top).replace(os.sep, "/")
                    for folder, _, files in os.walk(top) for file in files])
