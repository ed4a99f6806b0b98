#!/usr/bin/env python3
"""End-to-end test of updater.exe under Wine.

Run inside scripts/with-wine.sh (WINEPREFIX set, wineserver running). A small
HTTP server on 127.0.0.1 serves update packages; a stand-in main program
(class "Tavrel Video") plays the running joiner and records the URLs the
updater opens in a browser. Each scenario works in a fresh program folder.
Every package is signed with the test key the test build trusts
(tests/data/test-update-key.pem), unless a scenario says otherwise.
"""
import argparse
import base64
import glob
import hashlib
import http.server
import io
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

ARGS = None
PACKAGES = {}   # path -> (status, body, with Content-Length[, pause[, bytes cut off the end]])
SIGNED = object()  # the record's default "PackageSignature": the test key's signature of the package
HANDLER_KEY = r"HKLM\Software\Classes\http\shell\open\command"
RESULTS = {"passed": 0, "failed": 0}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        path = self.path.split("?")[0]
        entry = PACKAGES.get(path, (404, b"<html>not found</html>", True))
        status, body, with_length = entry[:3]
        pause = entry[3] if len(entry) > 3 else 0  # seconds between 8 KiB pieces
        cut = entry[4] if len(entry) > 4 else 0  # the connection drops this many bytes early
        self.send_response(status)
        self.send_header("Content-Type", "application/zip" if status == 200 else "text/html")
        if with_length:
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if cut:
                self.wfile.write(body[:len(body) - cut])
                self.wfile.flush()
                self.close_connection = True
                return
            for at in range(0, len(body), 8192 if pause else max(len(body), 1)):
                self.wfile.write(body[at:at + (8192 if pause else len(body))])
                time.sleep(pause)
        else:
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for at in range(0, len(body), 4096):
                piece = body[at:at + 4096]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")

    def log_message(self, *args):
        pass


def make_zip(entries, damaged_last=False):
    """A package; with damaged_last its last entry is stored and one of its
    bytes flipped after the CRC was taken."""
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w") as z:
        for index, (name, stamp, content) in enumerate(entries):
            info = zipfile.ZipInfo(name, stamp)
            last = index == len(entries) - 1
            info.compress_type = zipfile.ZIP_STORED if damaged_last and last else zipfile.ZIP_DEFLATED
            z.writestr(info, content)
    package = bytearray(data.getvalue())
    if damaged_last:
        at = bytes(package).index(entries[-1][2]) + 3
        package[at] ^= 0x20
    return bytes(package)


def signature_of(body, key):
    """What scripts/sign-package.sh prints after "signature=": base64 of the
    DER ECDSA signature over SHA-256 of the bytes."""
    der = subprocess.run(["openssl", "dgst", "-sha256", "-sign", key], input=body, capture_output=True,
                         check=True).stdout
    return base64.b64encode(der).decode("ascii")


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, **kwargs):
    return subprocess.run(["wine", *args], capture_output=True, text=True, **kwargs)


class Scenario:
    def __init__(self, name):
        self.name = name
        self.root = tempfile.mkdtemp(prefix="corvane-upd-e2e-")
        self.prog = os.path.join(self.root, "prog")
        self.temp = os.path.join(self.root, "temp")
        os.makedirs(self.prog)
        os.makedirs(self.temp)
        shutil.copy(ARGS.updater, os.path.join(self.prog, "updater.exe"))
        shutil.copy(ARGS.standin, os.path.join(self.prog, "Corvane.exe"))
        self.main_program = None
        self.ok = True
        self.began = time.monotonic()
        # The stand-in copy doubles as this scenario's browser.
        register_url_recorder(os.path.join(self.prog, "Corvane.exe"))

    def check(self, condition, what):
        if not condition:
            print(f"  FAIL {self.name}: {what}")
            self.ok = False

    def start_main_program(self, *options):
        self.main_program = subprocess.Popen(["wine", os.path.join(self.prog, "Corvane.exe"), *options],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(os.path.join(self.prog, "started.txt")):
                time.sleep(0.5)
                return
            time.sleep(0.1)
        self.check(False, "the stand-in main program did not start")

    def record(self, download_url, installer_url="http://127.0.0.1:1/installer.htm", PackageSignature=SIGNED,
               **overrides):
        """The hand-off record; its "PackageSignature" is the test key's
        signature of the package served at the address (None: no member)."""
        fields = {
            "DownloadUrl": download_url, "InstallerUrl": installer_url,
            "AppMainWndClassName": "Tavrel Video", "AppUserMsg": "UWM_JoinDownload_IsMe",
            "AppFileName": "Corvane.exe", "CurLangName": "English",
            "TempFilePath": wine_path(self.temp) + "\\", "CurrentVersion": "2.2.0.1", "LatestVersion": "2.3.0.0",
        }
        fields.update(overrides)
        if PackageSignature is SIGNED:
            served = PACKAGES.get("/" + download_url.split("/", 3)[-1].split("?")[0]) if download_url else None
            PackageSignature = signature_of(served[1], ARGS.signing_key) if served else ""
        if PackageSignature is not None:
            fields["PackageSignature"] = PackageSignature
        # JSON text with "#" for every double quote; backslashes escaped and
        # a "#" of a value written as the escape \u0023.
        def text(v):
            return v.replace(chr(92), chr(92) * 2).replace("#", chr(92) + "u0023")
        body = ",".join(f"#{k}#:#{text(v)}#" for k, v in fields.items())
        return "{" + body + "}"

    def run_updater(self, record):
        started = time.monotonic()
        # No pipes: the program the updater restarts would inherit them and
        # hold the run open until it ends.
        result = subprocess.run(["wine", os.path.join(self.prog, "updater.exe"), record], timeout=120,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return result.returncode, time.monotonic() - started

    def lines(self, name):
        path = os.path.join(self.prog, name)
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return f.read().split()

    def wait_lines(self, name, count, seconds=10):
        """The file's lines once it has `count` of them (programs started
        without waiting may write a little later), or what it has by then."""
        deadline = time.monotonic() + seconds
        while len(self.lines(name)) < count and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.lines(name)

    def snapshot(self):
        """Every file of the program folder with its bytes, leaving out what
        the stand-in itself writes."""
        shot = {}
        for folder, _, names in os.walk(self.prog):
            for name in names:
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, self.prog)
                if relative in ("started.txt", "urls.txt", "texts.txt", "closing.txt", "probe.txt"):
                    continue
                with open(path, "rb") as f:
                    shot[relative] = f.read()
        return shot

    def install_old_program(self):
        with open(os.path.join(self.prog, "readme.txt"), "w") as f:
            f.write("old readme\n")
        os.makedirs(os.path.join(self.prog, "data"))
        with open(os.path.join(self.prog, "data", "big.bin"), "wb") as f:
            f.write(b"old data" * 1000)

    def package_path(self):
        return os.path.join(self.temp, "_newver.zip")

    def finish(self):
        if self.main_program and self.main_program.poll() is None:
            self.main_program.kill()
            self.main_program.wait()
        # Programs the updater restarted would otherwise live on for a minute
        # and pass for a running joiner in later scenarios and later tests.
        wine(ARGS.standin, "--close-standins")
        # The restarted program ends by itself; its folder goes once it has.
        for _ in range(20):
            try:
                shutil.rmtree(self.root)
                break
            except OSError:
                time.sleep(0.5)
        RESULTS["passed" if self.ok else "failed"] += 1
        print(f"{'ok  ' if self.ok else 'FAIL'} {self.name} ({time.monotonic() - self.began:.1f} s)")


def scenario_success(base):
    s = Scenario("success: download, close, unpack, restart, clean up")
    stamp = (2021, 3, 4, 5, 6, 8)
    big = os.urandom(300000)
    PACKAGES["/pkg.zip"] = (200, make_zip([
        ("readme.txt", stamp, b"new readme\n"),
        ("language/German.lng", (2020, 1, 2, 3, 4, 6), b"[lang]\n"),
        ("data/big.bin", stamp, big),
    ]), True)
    with open(os.path.join(s.prog, "readme.txt"), "w") as f:
        f.write("old readme\n")
    s.start_main_program()
    code, _ = s.run_updater(s.record(base + "/pkg.zip?build=7"))
    s.check(code == 2, f"exit code {code}, expected 2")
    s.check(s.main_program.poll() is not None, "the running main program was not closed")
    with open(os.path.join(s.prog, "readme.txt")) as f:
        s.check(f.read() == "new readme\n", "readme.txt not replaced")
    with open(os.path.join(s.prog, "data", "big.bin"), "rb") as f:
        s.check(f.read() == big, "data/big.bin differs")
    s.check(os.path.exists(os.path.join(s.prog, "language", "German.lng")), "nested folder not created")
    t = time.localtime(os.stat(os.path.join(s.prog, "readme.txt")).st_mtime)
    s.check(tuple(t[:6]) == stamp, f"time stamp {tuple(t[:6])}, expected {stamp}")
    s.check(len(s.wait_lines("started.txt", 2)) == 2, "the program was not started again")
    s.check(not os.path.exists(s.package_path()), "the package was left behind")
    s.check(s.wait_lines("urls.txt", 1, seconds=1) == [], "the installer page was opened")
    s.finish()


def scenario_chunked(base):
    s = Scenario("no Content-Length: installer page, dialog closes")
    PACKAGES["/chunked.zip"] = (200, make_zip([("a.txt", (2021, 1, 1, 0, 0, 0), b"x")]), False)
    code, _ = s.run_updater(s.record(base + "/chunked.zip", "http://example.invalid/install.htm"))
    s.check(code == 2, f"exit code {code}")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/install.htm"], f"urls {s.lines('urls.txt')}")
    s.check(not os.path.exists(os.path.join(s.prog, "a.txt")), "unpacked anyway")
    s.check(s.lines("started.txt") == [], "program started")
    s.finish()


def scenario_not_found(base):
    s = Scenario("404 page: download failure, installer page")
    code, _ = s.run_updater(s.record(base + "/missing.zip", "http://example.invalid/i.htm"))
    s.check(code == 2, f"exit code {code}")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/i.htm"], f"urls {s.lines('urls.txt')}")
    s.check(not os.path.exists(s.package_path()), "the error page was kept as package")
    s.check(s.lines("started.txt") == [], "program started")
    s.finish()


def check_nothing_changed(s, before, url_seen):
    s.check(s.snapshot() == before, f"the program folder changed: {sorted(s.snapshot())}")
    s.check(s.main_program.poll() is None, "the running program was closed although nothing could be installed")
    s.check(not os.path.exists(s.package_path()), "the failed download was kept as package")
    s.check(s.wait_lines("urls.txt", 1) == [url_seen], f"urls {s.lines('urls.txt')}")
    s.check(s.lines("started.txt") == ["started"], "a second program was started")


def scenario_error_status_with_a_package_body(base):
    s = Scenario("404 whose body is a whole package: a failed download, nothing changed, joiner still open")
    s.install_old_program()
    # The body would install if the status were not looked at.
    PACKAGES["/gone.zip"] = (404, make_zip(new_version_entries()), True)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/gone.zip", "http://example.invalid/g.htm"))
    s.check(code == 2, f"exit code {code}")
    check_nothing_changed(s, before, "http://example.invalid/g.htm")
    s.check("HTTP status 404" in updater_log(), "the status is not in the log")
    s.finish()


def scenario_body_stops_early(base):
    s = Scenario("connection drops 1000 bytes early: a failed download, nothing changed, joiner still open")
    s.install_old_program()
    PACKAGES["/cut.zip"] = (200, make_zip(new_version_entries()), True, 0, 1000)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/cut.zip", "http://example.invalid/c.htm"))
    s.check(code == 2, f"exit code {code}")
    check_nothing_changed(s, before, "http://example.invalid/c.htm")
    s.check("size differs from Content-Length" in updater_log(), "the short body is not in the log")
    s.finish()


def scenario_unsafe(base):
    s = Scenario("unsafe entry: unzip fails, nothing outside the folder, nothing started")
    PACKAGES["/unsafe.zip"] = (200, make_zip([
        ("good.txt", (2021, 1, 1, 0, 0, 0), b"good\n"),
        ("../escaped.txt", (2021, 1, 1, 0, 0, 0), b"bad\n"),
    ]), True)
    code, _ = s.run_updater(s.record(base + "/unsafe.zip", "http://example.invalid/u.htm"))
    s.check(code == 2, f"exit code {code}")
    s.check(not os.path.exists(os.path.join(s.root, "escaped.txt")), "an entry escaped the program folder")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/u.htm"], f"urls {s.lines('urls.txt')}")
    # Refused before anything was closed: there is nothing to start again.
    s.check(s.wait_lines("started.txt", 1, seconds=3) == [], "a program was started after the refused unpack")
    s.finish()


def scenario_no_download_url(base):
    s = Scenario("empty DownloadUrl: exit code 0, installer page, no window")
    code, seconds = s.run_updater(s.record("", "http://example.invalid/e.htm"))
    s.check(code == 0, f"exit code {code}")
    s.check(seconds < 20, f"took {seconds:.1f} s")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/e.htm"], f"urls {s.lines('urls.txt')}")
    s.finish()


def updater_log():
    """The text of the log the last updater run wrote in the per-user folder."""
    pattern = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming",
                           "Corvane(tavrel)", "Logs", "V3ILog.htm")
    for path in glob.glob(pattern):
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    return ""


def new_version_entries():
    stamp = (2021, 3, 4, 5, 6, 8)
    return [("readme.txt", stamp, b"new readme\n"), ("data/big.bin", stamp, os.urandom(100000)),
            ("language/German.lng", stamp, b"[String]\n"), ("last.txt", stamp, b"the last entry of the package\n")]


def scenario_damaged_last_entry(base):
    s = Scenario("damaged last entry: folder unchanged, running program left alone")
    s.install_old_program()
    PACKAGES["/damaged.zip"] = (200, make_zip(new_version_entries(), damaged_last=True), True)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/damaged.zip", "http://example.invalid/d.htm"))
    s.check(code == 2, f"exit code {code}")
    s.check(s.snapshot() == before, f"the program folder changed: {sorted(s.snapshot())}")
    s.check(s.main_program.poll() is None, "the running program was closed although nothing could be installed")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/d.htm"], f"urls {s.lines('urls.txt')}")
    s.check(len(s.wait_lines("started.txt", 2, seconds=3)) == 1, "a second copy of the running program was started")
    s.finish()


def scenario_locked_target(base):
    s = Scenario("file held by a running program: every replaced file put back, old program restarted")
    s.install_old_program()
    # The running updater's own file cannot be replaced; it comes after readme.txt.
    entries = new_version_entries()
    entries.insert(2, ("updater.exe", (2021, 1, 1, 0, 0, 0), b"MZ not really a program"))
    PACKAGES["/locked.zip"] = (200, make_zip(entries), True)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/locked.zip", "http://example.invalid/l.htm"))
    s.check(code == 2, f"exit code {code}")
    s.check(s.main_program.poll() is not None, "the running program was not closed before the swap")
    s.check(s.snapshot() == before, f"the program folder changed: {sorted(s.snapshot())}")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/l.htm"], f"urls {s.lines('urls.txt')}")
    s.check(len(s.wait_lines("started.txt", 2)) == 2, "the old program was not started again")
    s.finish()


def scenario_package_sha256(base):
    s = Scenario("PackageSha256: a wrong one closes nothing, the right one installs")
    s.install_old_program()
    package = make_zip(new_version_entries())
    PACKAGES["/hashed.zip"] = (200, package, True)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/hashed.zip", "http://example.invalid/h.htm",
                                     PackageSha256=hashlib.sha256(package + b"x").hexdigest()))
    s.check(code == 2, f"exit code {code}")
    s.check(s.main_program.poll() is None, "the running program was closed for a package that does not match")
    s.check(s.snapshot() == before, "the program folder changed")
    s.check(not os.path.exists(s.package_path()), "the package that does not match was kept")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/h.htm"], f"urls {s.lines('urls.txt')}")
    s.check("SHA-256" in updater_log(), "the mismatch is not in the log")

    code, _ = s.run_updater(s.record(base + "/hashed.zip", PackageSha256=hashlib.sha256(package).hexdigest()))
    s.check(code == 2, f"exit code {code}")
    s.check(s.main_program.poll() is not None, "the running program was not closed")
    with open(os.path.join(s.prog, "last.txt"), "rb") as f:
        s.check(f.read() == b"the last entry of the package\n", "not installed with the right digest")
    s.finish()


def scenario_program_name_outside(base):
    s = Scenario("AppFileName ..\\x.exe: nothing outside the folder is started")
    shutil.copy(ARGS.standin, os.path.join(s.root, "x.exe"))
    PACKAGES["/plain.zip"] = (200, make_zip(new_version_entries()), True)
    code, _ = s.run_updater(s.record(base + "/plain.zip", AppFileName="..\\x.exe"))
    s.check(code == 2, f"exit code {code}")
    s.check(os.path.exists(os.path.join(s.prog, "last.txt")), "the package was not installed")
    time.sleep(3)  # a program started without waiting would have written by now
    s.check(not os.path.exists(os.path.join(s.root, "started.txt")), "the program outside the folder was started")
    s.check(s.lines("started.txt") == [], "a program was started")
    s.check("AppFileName &quot;..\\x.exe&quot;" in updater_log(), "the refusal is not in the log")
    s.finish()


def scenario_german_window(base):
    s = Scenario("CurLangName German: the updater's window speaks German")
    shutil.copytree(ARGS.languages, os.path.join(s.prog, "language"))
    # Slow enough (about 4 s) to read the window while it downloads.
    PACKAGES["/slow.zip"] = (200, make_zip([("a.txt", (2021, 1, 1, 0, 0, 0), os.urandom(160000))]), True, 0.2)
    updater = subprocess.Popen(["wine", os.path.join(s.prog, "updater.exe"),
                                s.record(base + "/slow.zip", CurLangName="German")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    texts = []
    for _ in range(20):
        time.sleep(0.5)
        wine(os.path.join(s.prog, "Corvane.exe"), "--dump-texts", " v1.3")
        texts = s.wait_lines("texts.txt", 1, seconds=2)
        if texts:
            break
    updater.wait(timeout=120)
    with open(os.path.join(s.prog, "texts.txt"), encoding="utf-8") if texts else io.StringIO() as f:
        lines = f.read().splitlines()
    for wanted in ("Aktualisierung v1.3", "Von der alten Version 2.2.0.1 auf die neue Version aktualisieren 2.3.0.0 ",
                   "Download-Adresse:", "Dateigr\u00f6\u00dfe:", "&Pause"):
        s.check(wanted in lines, f"{wanted!r} not among the window's texts {lines}")
    s.finish()


def scenario_interrupted_unpack(base):
    s = Scenario("an updater killed between two swaps: the next start puts the old files back")
    s.install_old_program()
    before = s.snapshot()
    # What a run killed after swapping readme.txt in (and before new.txt) leaves.
    os.rename(os.path.join(s.prog, "readme.txt"), os.path.join(s.prog, "readme.txt.~old"))
    with open(os.path.join(s.prog, "readme.txt"), "w") as f:
        f.write("new readme\n")
    with open(os.path.join(s.prog, "new.txt.~upd"), "w") as f:
        f.write("pending\n")
    with open(os.path.join(s.prog, "_unpack.~jnl"), "w") as f:
        f.write("corvane unpack journal 1\nphase swapping\nfile 1 readme.txt\nfile 0 new.txt\nend\n")
    code, _ = s.run_updater(s.record(""))
    s.check(code == 0, f"exit code {code}")
    s.check(s.snapshot() == before, f"the program folder is not as before: {sorted(s.snapshot())}")
    s.finish()


def refused_signature(base, name, sign, reason):
    """A package the record's signature does not vouch for (`sign` makes the
    record's signature from the served bytes; None leaves the member out):
    the running program is left open, the folder as it was, the reason in
    the log."""
    s = Scenario(name)
    s.install_old_program()
    package = make_zip(new_version_entries())
    PACKAGES["/signed.zip"] = (200, package, True)
    s.start_main_program()
    before = s.snapshot()
    code, _ = s.run_updater(s.record(base + "/signed.zip", "http://example.invalid/s.htm",
                                     PackageSignature=sign(package) if sign else None))
    s.check(code == 2, f"exit code {code}")
    s.check(s.main_program.poll() is None, "the running program was closed for a package that is not the maker's")
    s.check(s.snapshot() == before, f"the program folder changed: {sorted(s.snapshot())}")
    s.check(not os.path.exists(s.package_path()), "the refused package was kept")
    s.check(s.wait_lines("urls.txt", 1) == ["http://example.invalid/s.htm"], f"urls {s.lines('urls.txt')}")
    s.check(s.lines("started.txt") == ["started"], "a program was started")
    s.check("Update package refused: " + reason in updater_log(), f"{reason!r} is not in the log")
    s.finish()


def scenario_unsigned_package(base):
    # The record of a joiner from before signed packages has no such member.
    refused_signature(base, "a record without PackageSignature: nothing closed, nothing changed", None,
                      "the package has no signature")


def scenario_signed_by_another_key(base):
    with tempfile.TemporaryDirectory() as folder:
        other_key = os.path.join(folder, "other.pem")
        subprocess.run(["openssl", "ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", other_key],
                       check=True)
        refused_signature(base, "the package signed with another key: nothing closed, nothing changed",
                          lambda package: signature_of(package, other_key), "its signature does not match")


def scenario_signature_of_another_package(base):
    refused_signature(base, "the maker's signature of another package: nothing closed, nothing changed",
                      lambda package: signature_of(package + b"\0", ARGS.signing_key), "its signature does not match")


def scenario_slow_joiner(base):
    s = Scenario("a joiner that takes 4 s to close: the updater's window answers meanwhile, then installs")
    s.install_old_program()
    PACKAGES["/slowclose.zip"] = (200, make_zip(new_version_entries()), True)
    s.start_main_program("--slow-close", "4000")
    updater = subprocess.Popen(["wine", os.path.join(s.prog, "updater.exe"), s.record(base + "/slowclose.zip")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    s.check(s.wait_lines("closing.txt", 1, seconds=60) == ["close-asked"], "the joiner was not asked to close")
    # About 2.5 s of the 4 s the joiner takes, a WM_NULL every 50 ms.
    wine(os.path.join(s.prog, "Corvane.exe"), "--probe-window", " v1.3", "2500")
    s.check(s.main_program.poll() is None, "the joiner ended before the probe did: it did not probe the wait")
    probe = s.wait_lines("probe.txt", 6, seconds=2)
    s.check(len(probe) == 6, f"no probe of the updater's window: {probe}")
    if len(probe) == 6:
        answered, missed, worst = int(probe[1]), int(probe[3]), int(probe[5])
        print(f"  [info] updater window while waiting: {answered} answered, {missed} missed, worst {worst} ms")
        s.check(answered >= 10 and missed == 0, f"the window did not answer every probe: {probe}")
        s.check(worst <= 500, f"an answer took {worst} ms")
    code = updater.wait(timeout=120)
    s.check(code == 2, f"exit code {code}")
    with open(os.path.join(s.prog, "last.txt"), "rb") as f:
        s.check(f.read() == b"the last entry of the package\n", "not installed after the joiner closed")
    s.check(len(s.wait_lines("started.txt", 2)) == 2, "the program was not started again")
    s.finish()


def scenario_log_through_links(base):
    s = Scenario("the log's name or folder is a link: the files they lead to are not written")
    roaming = [p for p in glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData",
                                                 "Roaming")) if os.sep + "Public" + os.sep not in p]
    s.check(len(roaming) == 1, f"no single user folder: {roaming}")
    logs = os.path.join(roaming[0], "Corvane(tavrel)", "Logs")
    log = os.path.join(logs, "V3ILog.htm")
    victim = os.path.join(s.root, "victim.txt")
    elsewhere = os.path.join(s.root, "elsewhere")
    os.makedirs(elsewhere)
    with open(victim, "w") as f:
        f.write("not the updater's to write\n")
    record = s.record(base + "/missing.zip", "http://example.invalid/l.htm")  # a run that logs its 404
    try:
        os.makedirs(logs, exist_ok=True)
        if os.path.lexists(log):
            os.remove(log)
        os.symlink(victim, log)
        s.run_updater(record)
        with open(victim) as f:
            s.check(f.read() == "not the updater's to write\n", "the log was written through a link at its name")
        os.remove(log)
        shutil.rmtree(logs)
        os.symlink(elsewhere, logs)
        s.run_updater(record)
        s.check(os.listdir(elsewhere) == [], f"the log was written through its folder's link: {os.listdir(elsewhere)}")
    finally:
        if os.path.islink(log):
            os.remove(log)
        if os.path.islink(logs):
            os.remove(logs)
        os.makedirs(logs, exist_ok=True)
    # Without links the same run does write its log: the checks above could fail.
    s.run_updater(record)
    s.check("HTTP status 404" in updater_log(), "the run wrote no log without links either")
    s.finish()


def register_url_recorder(standin_copy):
    command = f'"{wine_path(standin_copy)}" --record-url "%1"'
    wine("reg", "add", HANDLER_KEY, "/ve", "/d", command, "/f")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--updater", required=True)
    parser.add_argument("--standin", required=True)
    parser.add_argument("--languages", required=True, help="folder of the language packs")
    parser.add_argument("--signing-key", required=True, help="the private key of the test build's update key")
    ARGS = parser.parse_args()
    if not os.environ.get("WINEPREFIX"):
        print("WINEPREFIX is not set: run through scripts/with-wine.sh")
        return 1

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}"

    original = wine("reg", "query", HANDLER_KEY, "/ve").stdout
    try:
        for scenario in (scenario_success, scenario_chunked, scenario_not_found,
                         scenario_error_status_with_a_package_body, scenario_body_stops_early, scenario_unsafe,
                         scenario_no_download_url, scenario_damaged_last_entry, scenario_locked_target,
                         scenario_package_sha256, scenario_program_name_outside, scenario_german_window,
                         scenario_interrupted_unpack, scenario_unsigned_package, scenario_signed_by_another_key,
                         scenario_signature_of_another_package, scenario_slow_joiner, scenario_log_through_links):
            try:
                scenario(base)
            except Exception as error:  # a crashed check is a failed scenario
                print(f"FAIL {scenario.__name__}: {error!r}")
                RESULTS["failed"] += 1
    finally:
        restore_handler(original)
        server.shutdown()
    print(f"{RESULTS['passed']} passed, {RESULTS['failed']} failed")
    return 0 if RESULTS["failed"] == 0 else 1


def restore_handler(query_output):
    for line in query_output.splitlines():
        if "REG_SZ" in line:
            value = line.split("REG_SZ", 1)[1].strip()
            wine("reg", "add", HANDLER_KEY, "/ve", "/d", value, "/f")
            return


if __name__ == "__main__":
    sys.exit(main())
