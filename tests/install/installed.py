"""The program as a user gets it: installed.py BUILD ROOT STEP, run by ctest.
mailto opens a link with xdg-open through the installed desktop entry and reads
the window over the accessibility bus, as a screen reader would (under xvfb-run
and dbus-run-session)."""

import glob
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import time

BUILD, ROOT, STEP = sys.argv[1:4]
PREFIX = "/usr/local"
SOURCE = pathlib.Path(__file__).resolve().parents[2]
INSTALLED = sorted(
    ["bin/orvane", "bin/orvane-send", "share/applications/orvane.desktop", "share/doc/orvane/changelog.gz",
     "share/doc/orvane/copyright", "share/icons/hicolor/scalable/apps/orvane.svg",
     "share/man/man1/orvane-send.1.gz", "share/man/man1/orvane.1.gz", "share/metainfo/org.example.orvane.metainfo.xml",
     "share/orvane/Orvane.hlp/index.html", "share/orvane/Readme.txt",
     "lib/systemd/user/orvane-send-flush.service", "lib/systemd/user/orvane-send-flush.timer"]
    + [f"share/icons/hicolor/{n}x{n}/apps/orvane.png" for n in (16, 24, 32, 48, 64, 128, 256)])
LINK = ("mailto:taro@example.jp?cc=jiro@example.jp&subject=%E8%A6%8B%E7%A9%8D%E3%82%82%E3%82%8A"
        "&body=%E3%81%8A%E4%B8%96%E8%A9%B1%E3%81%AB%E3%81%AA%E3%82%8A%E3%81%BE%E3%81%99%0A"
        "send%20index&attach=/etc/passwd")


def run(*args, env=None):
    done = subprocess.run(args, capture_output=True, text=True, env=env)
    assert done.returncode == 0, f"{args[0]} failed: {done.stdout}{done.stderr}"
    return done.stdout + done.stderr


def files_under(folder):
    return sorted(str(p.relative_to(folder)) for p in pathlib.Path(folder).rglob("*")
                  if not p.is_dir())


def assert_flush_runs(root, prefix):
    service = pathlib.Path(root, "lib/systemd/user/orvane-send-flush.service").read_text()
    assert f"ExecStart={prefix}/bin/orvane-send -q\n" in service, service


def setup():
    shutil.rmtree(ROOT, ignore_errors=True)
    run("cmake", "--install", BUILD, "--prefix", PREFIX, "--component", "orvane", "--strip",
        env={**os.environ, "DESTDIR": ROOT})


def files():
    assert files_under(ROOT + PREFIX) == INSTALLED, files_under(ROOT + PREFIX)
    assert_flush_runs(ROOT + PREFIX, PREFIX)
    share = ROOT + PREFIX + "/share/"
    assert run("desktop-file-validate", share + "applications/orvane.desktop") == ""
    report = run("appstreamcli", "validate", "--no-net", "--pedantic",
                 share + "metainfo/org.example.orvane.metainfo.xml")
    assert report.strip().endswith("Validation was successful."), report
    for program in ("orvane", "orvane-send"):
        page = run("man", "--warnings", "-l", share + f"man/man1/{program}.1.gz",
                   env={**os.environ, "LC_ALL": "C"})
        assert page.startswith(program.upper() + "(1)") and "warning" not in page, page
    # The sender without a window runs where no Qt is installed.
    sender = ROOT + PREFIX + "/bin/orvane-send"
    assert "libQt" not in run("ldd", sender), run("ldd", sender)
    assert run(sender, "--version").startswith("orvane-send ")


def uninstall():
    listed = ROOT + ".files"
    with open(BUILD + "/install_manifest_orvane.txt") as manifest, open(listed, "w") as out:
        out.writelines(ROOT + line for line in manifest)
    run("cmake", f"-DFILES={listed}", "-P", str(SOURCE / "packaging/Uninstall.cmake"))
    assert files_under(ROOT) == [], files_under(ROOT)
    assert not os.path.exists(ROOT + PREFIX + "/share/orvane")
    assert os.path.isdir(ROOT + PREFIX + "/share/icons/hicolor/16x16/apps")


def wait_for(what, condition, seconds=30):
    for _ in range(seconds * 5):
        if result := condition():
            return result
        time.sleep(0.2)
    raise AssertionError(f"no {what} within {seconds} s")


def mailto():
    import pyatspi

    def text(node):
        try:
            return node.queryText().getText(0, -1)
        except NotImplementedError:
            return ""

    home = pathlib.Path(ROOT + ".user")
    shutil.rmtree(home, ignore_errors=True)
    env = {k: v for k, v in os.environ.items()
           if k not in ("ORVANE_HOME", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP")}
    env.update(HOME=str(home), XDG_DATA_HOME=str(home / "data"),
               XDG_CONFIG_HOME=str(home / "config"), XDG_DATA_DIRS=ROOT + PREFIX + "/share",
               PATH=ROOT + PREFIX + "/bin:" + os.environ["PATH"],
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    (home / "config").mkdir(parents=True)
    run("xdg-mime", "default", "orvane.desktop", "x-scheme-handler/mailto", env=env)
    desktop = pyatspi.Registry.getDesktop(0)  # starts the accessibility bus first
    opener = subprocess.Popen(["xdg-open", LINK], env=env, start_new_session=True)
    try:
        app = wait_for("window", lambda: next((a for a in desktop if a is not None and any(
            f is not None and f.name.startswith("Orvane") for f in a)), None))
        nodes = wait_for("filled draft", lambda: (lambda found: found if any(
            text(n) == "見積もり" for n in found) else None)(
                pyatspi.findAllDescendants(app, lambda n: True)))
        fields = {n.name: text(n) for n in nodes if n.getRoleName() == "text"}
        assert fields == {"送信先": "taro@example.jp", "件名": "見積もり"}, fields
        labels = [n.name for n in nodes if n.getRoleName() == "label"]
        assert "mailto: の項目を無視しました: attach" in labels, labels
        body = home / "data/orvane/mailto0.txt"
        assert body.read_bytes() == "お世話になります\r\nsend index\r\n".encode(), body.read_bytes()
        # The help book comes from share/orvane of the install.
        try:
            next(n for n in nodes if n.name.startswith("ヘルプ (H)...")).queryAction().doAction(0)
        except Exception:  # a message box instead of the book blocks the reply
            pass
        wait_for("help window", lambda: any(
            f is not None and f.name == "Orvane ヘルプ" for f in app))
    finally:
        os.killpg(opener.pid, signal.SIGTERM)
        opener.wait(timeout=10)


def package():
    shutil.rmtree(ROOT, ignore_errors=True)
    run("cpack", "--config", BUILD + "/CPackConfig.cmake", "-B", ROOT)
    (deb,) = glob.glob(ROOT + "/orvane_*_amd64.deb")
    listed = sorted(line.split()[-1][len("./usr/"):]
                    for line in run("dpkg-deb", "--contents", deb).splitlines()
                    if not line.startswith("d"))
    assert listed == INSTALLED, listed
    run("dpkg-deb", "--extract", deb, ROOT + "/unpacked")
    assert_flush_runs(ROOT + "/unpacked/usr", "/usr")
    depends = run("dpkg-deb", "--field", deb, "Depends")
    for needed in ("libqt6widgets6", "libssl3", "libsecret-1-0", "fonts-noto-cjk",
                   "qt6-translations-l10n"):
        assert needed in depends, depends
    assert "gnome-keyring" in run("dpkg-deb", "--field", deb, "Recommends")
    report = run("lintian", "--no-tag-display-limit", deb)
    assert not [line for line in report.splitlines() if line[:2] in ("E:", "W:")], report


{"setup": setup, "files": files, "mailto": mailto, "uninstall": uninstall,
 "package": package}[STEP]()
