#!/usr/bin/env python3
"""Writes the small zip archives the unpacker tests read.

Run from anywhere; the archives land beside this script. They are committed,
so the tests (native and under Wine) need no Python at run time.
"""
import os
import random
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def entry(name, date_time, compress=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, date_time)
    info.compress_type = compress
    info.external_attr = 0o644 << 16
    return info


def write(archive, entries):
    with zipfile.ZipFile(os.path.join(HERE, archive), "w") as z:
        for info, data in entries:
            z.writestr(info, data)


def damage(path, payload):
    """Flips one bit inside a stored entry's data, leaving its CRC as it was."""
    with open(path, "r+b") as f:
        data = f.read()
        at = data.index(payload) + 3
        f.seek(at)
        f.write(bytes([data[at] ^ 0x20]))


def claim_size(path, name, size, local=True):
    """Writes `size` as the entry's uncompressed size in the central
    directory (and, with `local`, in its local header too, so that the unzip
    layer opens it): an archive that lies about what it unpacks to."""
    with open(path, "r+b") as f:
        data = bytearray(f.read())
        for signature, name_at, size_at, wanted in ((b"PK\x01\x02", 46, 24, True), (b"PK\x03\x04", 30, 22, local)):
            at = data.find(signature)
            while at >= 0:
                if wanted and data[at + name_at:at + name_at + len(name)] == name.encode():
                    data[at + size_at:at + size_at + 4] = size.to_bytes(4, "little")
                at = data.find(signature, at + 1)
        f.seek(0)
        f.write(data)


def main():
    rng = random.Random(20261207)
    big = bytes(rng.getrandbits(8) for _ in range(50000))  # spans several copy pieces

    write("nested.zip", [
        (entry("sub/", (2020, 1, 2, 3, 4, 6)), b""),
        (entry("sub/dir/a.txt", (2021, 3, 4, 5, 6, 8)), b"hello from a nested folder\n"),
        (entry("top.bin", (2019, 12, 31, 23, 59, 58)), big),
        (entry("empty.txt", (2022, 7, 1, 12, 0, 0), zipfile.ZIP_STORED), b""),
    ])
    write("empty.zip", [])
    write("dotdot.zip", [
        (entry("good.txt", (2021, 1, 1, 0, 0, 0)), b"good\n"),
        (entry("../escape.txt", (2021, 1, 1, 0, 0, 0)), b"escaped\n"),
    ])
    write("inner_dotdot.zip", [(entry("sub/../../escape.txt", (2021, 1, 1, 0, 0, 0)), b"escaped\n")])
    write("drive.zip", [(entry("C:\\escape.txt", (2021, 1, 1, 0, 0, 0)), b"escaped\n")])
    write("absolute.zip", [(entry("\\escape.txt", (2021, 1, 1, 0, 0, 0)), b"escaped\n")])
    write("slash_absolute.zip", [(entry("/escape.txt", (2021, 1, 1, 0, 0, 0)), b"escaped\n")])

    # A stored entry whose data no longer matches its CRC: the unzip layer
    # delivers every byte and reports the damage only when the entry closes.
    path = os.path.join(HERE, "damaged.zip")
    payload = b"NEW-CONTENT-THAT-IS-DAMAGED-IN-TRANSIT\n"
    write("damaged.zip", [(entry("a.txt", (2021, 1, 1, 0, 0, 0), zipfile.ZIP_STORED), payload)])
    damage(path, payload)

    # Three good entries and a damaged last one: nothing may be replaced.
    write("bad_last.zip", [
        (entry("a.txt", (2021, 1, 1, 0, 0, 0)), b"new a\n"),
        (entry("sub/b.txt", (2021, 1, 1, 0, 0, 0)), b"new b\n"),
        (entry("c.txt", (2021, 1, 1, 0, 0, 0)), b"new c\n"),
        (entry("d.txt", (2021, 1, 1, 0, 0, 0), zipfile.ZIP_STORED), payload),
    ])
    damage(os.path.join(HERE, "bad_last.zip"), payload)
    # Refused names between good entries.
    for archive, bad in (("unsafe_middle.zip", "sub/../../escape.txt"), ("device_name.zip", "sub/nul.txt"),
                         ("same_file.zip", "SUB/A.TXT."), ("own_suffix.zip", "a.txt.~old")):
        write(archive, [
            (entry("sub/a.txt", (2021, 1, 1, 0, 0, 0)), b"new a\n"),
            (entry(bad, (2021, 1, 1, 0, 0, 0)), b"refused\n"),
            (entry("c.txt", (2021, 1, 1, 0, 0, 0)), b"new c\n"),
        ])
    # zipfile marks a name that is not ASCII as UTF-8 (flag bit 11).
    write("utf8_name.zip", [(entry("gr\u00fc\u00dfe/\u00e9t\u00e9.txt", (2021, 1, 1, 0, 0, 0)), b"utf-8 name\n")])

    # Entries that give more or fewer bytes than the directory says, and a
    # directory that claims 3 GiB in all (1.5 GiB each) for two tiny entries.
    for archive, claim in (("claims_more.zip", 601), ("claims_less.zip", 599)):
        write(archive, [(entry("sub/a.txt", (2021, 1, 1, 0, 0, 0)), b"new a\n"),
                        (entry("c.txt", (2021, 1, 1, 0, 0, 0)), b"new c\n" * 100)])
        claim_size(os.path.join(HERE, archive), "c.txt", claim)
    write("claims_3gib.zip", [(entry("a.bin", (2021, 1, 1, 0, 0, 0)), b"a"),
                              (entry("b.bin", (2021, 1, 1, 0, 0, 0)), b"b")])
    for name in ("a.bin", "b.bin"):
        claim_size(os.path.join(HERE, "claims_3gib.zip"), name, 3 << 29, local=False)

    with open(os.path.join(HERE, "not_a_zip.zip"), "wb") as f:
        f.write(b"<html><body>404 Not Found</body></html>\n")


if __name__ == "__main__":
    main()
