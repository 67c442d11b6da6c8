#!/usr/bin/env python3
"""The portable download as a Windows user gets it: what
Velmora-VERSION-win64.zip holds, that it unpacks to the very files of the
program folder, that its names and 说明.txt read right on a Chinese Windows,
and that SHA256SUMS vouches for it.

    check_zip.py DIST VERSION ART_PIC_DIR

ART_PIC_DIR holds the wallpapers the build drew; each must be in the zip.
"""
import hashlib
import os
import sys
import zipfile

README = "说明.txt"
failures = 0
checks = 0


def check(what, ok, detail=""):
    global failures, checks
    checks += 1
    print(("ok   - " if ok else "FAIL - ") + what)
    if not ok:
        failures += 1
        if detail:
            print("     " + detail)


def main():
    dist, version, art_pic = sys.argv[1], sys.argv[2], sys.argv[3]
    zip_name = "Velmora-%s-win64.zip" % version
    zip_path = os.path.join(dist, zip_name)
    if not os.path.isfile(zip_path):
        print("FAIL - %s was not written" % zip_path)
        return 1
    with open(zip_path, "rb") as f:
        zip_bytes = f.read()

    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
        names = [i.filename for i in infos]
        bad = z.testzip()
        check("every entry unpacks with a matching CRC", bad is None, "first bad entry: %s" % bad)

        drawn = sorted(os.path.splitext(n)[0] for n in os.listdir(art_pic) if n.endswith(".bmp"))
        pictures = sorted(n[len("pic/"):] for n in names if n.startswith("pic/") and n != "pic/")
        expected = ["Velmora.exe", README, "pic/"] + ["pic/" + p for p in pictures]
        check("it holds Velmora.exe, 说明.txt and pic/ with pictures, nothing else",
              sorted(names) == sorted(expected) and len(names) == len(set(names)), "entries: %s" % names)
        check("pic/ holds one picture for each wallpaper the build drew",
              sorted(os.path.splitext(p)[0] for p in pictures) == drawn,
              "drawn %s, zipped %s" % (drawn, pictures))

        for name in names:
            if name.endswith("/"):
                continue
            local = os.path.join(dist, *name.split("/"))
            same = os.path.isfile(local) and open(local, "rb").read() == z.read(name)
            check("%s is the program folder's %s, byte for byte" % (name, name), same)

        exe = z.read("Velmora.exe") if "Velmora.exe" in names else b""
        pe = exe[:2] == b"MZ" and len(exe) > 0x40
        if pe:
            offset = int.from_bytes(exe[0x3C:0x40], "little")
            pe = exe[offset:offset + 6] == b"PE\0\0\x64\x86"  # x86-64
        check("Velmora.exe is a 64-bit Windows program", pe)
        for p in pictures:
            data = z.read("pic/" + p)
            kind = {b"\xff\xd8": ".jpg", b"BM": ".bmp"}.get(data[:2])
            check("pic/%s is the picture its name says" % p, kind == os.path.splitext(p)[1].lower())

        wide = [i.filename for i in infos if not i.filename.isascii() and not i.flag_bits & 0x800]
        check("every Chinese name carries the zip's UTF-8 flag", not wide, "without it: %s" % wide)
        stamps = {i.date_time for i in infos}
        check("all entries carry one time stamp", len(stamps) == 1, "stamps: %s" % sorted(stamps))
        check("no entry carries extra fields (owner, times)", not any(i.extra for i in infos))
        unsafe = [n for n in names if n.startswith("/") or ".." in n.split("/") or "\\" in n]
        check("no entry unpacks outside its folder", not unsafe, "entries: %s" % unsafe)

        text = z.read(README) if README in names else b""
        check("说明.txt starts with a UTF-8 byte order mark, which Notepad reads",
              text.startswith(b"\xef\xbb\xbf"))
        check("说明.txt has Windows line ends only",
              b"\r\n" in text and text.count(b"\n") == text.count(b"\r\n"))
        try:
            body = text.decode("utf-8-sig")
        except UnicodeDecodeError as e:
            body = ""
            check("说明.txt is UTF-8", False, str(e))
        for fact, words in [
                ("how to start it", "Velmora.exe"),
                ("how to quit it", "退出程序"),
                ("where its settings live", "vlmr.INI"),
                ("where the panel's place lives",
                 r"HKEY_CURRENT_USER\Software\Velmora Program Settings\Velmora\Settings"),
                ("where the wallpapers come from", "pic"),
                ("how to start it at logon", "开机自动启动")]:
            check("说明.txt says %s (%s)" % (fact, words), words in body)

    sums = os.path.join(dist, "SHA256SUMS")
    lines = open(sums, encoding="ascii").read().splitlines() if os.path.isfile(sums) else []
    digest = hashlib.sha256(zip_bytes).hexdigest()
    check("SHA256SUMS holds the zip's SHA-256 in sha256sum's format",
          lines == ["%s  %s" % (digest, zip_name)], "SHA256SUMS: %s" % lines)

    print("%d passed, %d failed" % (checks - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
