"""Sends a few hundred whole messages, written as scripts and mail programs
write them, through `orvane-send -t -i` to the test SMTP server, and reads
each one back with Python's email package: the subject, the names and
addresses, the body and the attachments must be what was written, every
line at most 998 octets, no Bcc in the header, and the envelope every
address of To, Cc and Bcc.

Usage: ready_matrix.py ORVANE_SEND PROGRAM_FOLDER MAILBOX_FOLDER
The server must be running and writing to MAILBOX_FOLDER (empty), and the
program folder must hold the account "taro" (山田 太郎 <taro@example.jp>).
"""
import base64
import email
import email.policy
import json
import os
import random
import subprocess
import sys
from email.header import Header

SUBJECTS = [
    "Weekly report 12",
    "週次報告 ①について",
    "進捗 🎉 完了しました",
    "ｶﾀｶﾅ ﾃｽﾄ の件",
    "【重要】来週の打ち合わせ日程のご相談（第三回）と資料のご送付について、ご確認ください",
    "Re: [PATCH v2 3/7] mime: keep trailing blanks",
]

NAMES = ["", "Hanako Sato", "佐藤 花子", "Sato, Hanako", "ｻﾄｳ ﾊﾅｺ", "山田 🎌", "佐藤, 花子"]

BODIES = [
    "Hello,\n\nplain text.\n",
    "お世話になっております。\n本文です。\n",
    ".\n..\n.leading dot\nnext\n",
    "From the start of a line\nFrom here\n>From quoted\n",
    "x" * 1200 + "\nshort\n",
    "あ" * 1800 + "\n",
    "trailing blanks  \n\ttab at the start\ntab at the end\t\n \n",
    "last line is a dot\n.\n",
    "blank lines follow\n\n\n\n",
    "no final line break",
    "diff --git a/f b/f\n--- a/f\n+++ b/f\n@@ -1,3 +1,3 @@\n-one\n+ONE\n two\n \n",
    "半角ｶﾅと全角カナ、絵文字😀と記号①㈱\n",
]


def address(i):
    return "user%d@example.jp" % i


def mailbox(name, addr, encoded=False):
    """A mailbox as a script writes it: raw UTF-8 names as they are or as
    encoded words, a name with a comma quoted."""
    if not name:
        return addr
    if encoded and not name.isascii():
        return "%s <%s>" % (Header(name, "utf-8").encode(), addr)
    if "," in name:
        return '"%s" <%s>' % (name, addr)
    return "%s <%s>" % (name, addr)


def subject_field(subject, encoded):
    if encoded and not subject.isascii():
        return Header(subject, "utf-8").encode()
    return subject


class Case:
    def __init__(self, n, rng):
        self.n = n
        self.eol = rng.choice(["\n", "\r\n"])
        self.subject = rng.choice(SUBJECTS)
        self.encoded_subject = rng.random() < 0.3
        self.sender = rng.choice([None, ("Hanako Sato", "hanako@example.jp"),
                                  ("佐藤 花子", "hanako@example.jp"),
                                  ("Sato, Hanako", "hanako@example.jp")])
        people = iter(range(n * 10, n * 10 + 10))
        self.to_fields = [[(rng.choice(NAMES), address(next(people)))
                           for _ in range(rng.randint(1, 3))]
                          for _ in range(rng.choice([1, 1, 1, 2]))]
        self.group = rng.random() < 0.15
        self.cc = [(rng.choice(NAMES), address(next(people))) for _ in range(rng.randint(0, 2))]
        self.bcc_fields = [[address(next(people))] for _ in range(rng.choice([0, 0, 1, 2]))]
        self.fold = rng.random() < 0.3
        self.encoded_names = rng.random() < 0.3
        self.body = rng.choice(BODIES)
        self.mime = rng.choice(["none", "none", "text8bit", "textbase64", "multipart"])
        if self.mime != "none" and any(len(line.encode()) > 998 for line in self.body.split("\n")):
            self.mime = "textbase64"
        self.attachment = bytes(rng.randrange(256) for _ in range(rng.randint(0, 3000)))

    def address_field(self, name, boxes):
        separator = "," + self.eol + " " if self.fold else ", "
        return "%s: %s" % (name, separator.join(mailbox(n, a, self.encoded_names)
                                                for n, a in boxes))

    def header(self):
        lines = []
        if self.sender:
            lines.append("From: " + mailbox(*self.sender))
        for i, boxes in enumerate(self.to_fields):
            if self.group and i == 0:
                lines.append("To: Team: %s;" % ", ".join(mailbox(n, a) for n, a in boxes))
            else:
                lines.append(self.address_field("To", boxes))
        if self.cc:
            lines.append(self.address_field("Cc", self.cc))
        for boxes in self.bcc_fields:
            lines.append("Bcc: " + ", ".join(boxes))
        lines.append("Subject: " + subject_field(self.subject, self.encoded_subject))
        return lines

    def body_lines(self, text):
        return text.replace("\n", self.eol)

    def message(self):
        header = self.header()
        if self.mime == "none":
            body = self.body_lines(self.body)
        elif self.mime == "text8bit":
            header += ["MIME-Version: 1.0", "Content-Type: text/plain; charset=utf-8",
                       "Content-Transfer-Encoding: 8bit"]
            body = self.body_lines(self.body)
        elif self.mime == "textbase64":
            header += ["MIME-Version: 1.0", "Content-Type: text/plain; charset=utf-8",
                       "Content-Transfer-Encoding: base64"]
            body = self.body_lines(base64.encodebytes(
                self.body.replace("\n", "\r\n").encode()).decode())
        else:
            header += ["MIME-Version: 1.0",
                       'Content-Type: multipart/mixed; boundary="=_b%d"' % self.n]
            data = base64.encodebytes(self.attachment).decode()
            parts = ["--=_b%d" % self.n,
                     "Content-Type: text/plain; charset=utf-8",
                     "Content-Transfer-Encoding: base64", "",
                     base64.encodebytes(self.body.replace("\n", "\r\n").encode()).decode(),
                     "--=_b%d" % self.n,
                     "Content-Type: application/octet-stream",
                     'Content-Disposition: attachment; filename="data%d.bin"' % self.n,
                     "Content-Transfer-Encoding: base64", "", data,
                     "--=_b%d--" % self.n, ""]
            body = self.body_lines("\n".join(parts))
        text = self.eol.join(header) + self.eol + self.eol + body
        return text.encode()

    def envelope(self):
        boxes = [a for boxes in self.to_fields for _, a in boxes] + [a for _, a in self.cc]
        boxes += [a for boxes in self.bcc_fields for a in boxes]
        return sorted(set(boxes))

    def expected_to(self):
        return [(n, a) for boxes in self.to_fields for n, a in boxes]

    def expected_body(self):
        # The data ends on a line of its own: a last line of the message
        # gets its break; one inside an encoded part stays as it is.
        if self.mime in ("none", "text8bit") and not self.body.endswith("\n"):
            return self.body + "\n"
        return self.body


def problems(case, raw, envelope):
    found = []
    for number, line in enumerate(raw.split(b"\r\n")):
        if len(line) > 998:
            found.append("line %d has %d octets" % (number, len(line)))
    head = raw.split(b"\r\n\r\n", 1)[0]
    for line in head.split(b"\r\n"):
        if line.lower().startswith((b"bcc:", b"resent-bcc:")):
            found.append("the header keeps " + line.decode("ascii", "replace"))
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    if str(msg["subject"]) != case.subject:
        found.append("subject %r" % str(msg["subject"]))
    to = [(a.display_name, a.addr_spec) for h in msg.get_all("to", []) for a in h.addresses]
    if to != case.expected_to():
        found.append("To %r" % to)
    cc = [(a.display_name, a.addr_spec) for a in msg["cc"].addresses] if msg["cc"] else []
    if cc != case.cc:
        found.append("Cc %r" % cc)
    sender = [(a.display_name, a.addr_spec) for a in msg["from"].addresses]
    if sender != [case.sender or ("山田 太郎", "taro@example.jp")]:
        found.append("From %r" % sender)
    body = msg.get_body(preferencelist=("plain",)).get_content().replace("\r\n", "\n")
    if body != case.expected_body():
        found.append("body %r" % body[-200:])
    if case.mime == "multipart":
        attached = [p.get_payload(decode=True) for p in msg.iter_attachments()]
        if attached != [case.attachment]:
            found.append("attachment differs")
    if sorted(envelope["rcptTo"]) != case.envelope():
        found.append("envelope %r" % envelope["rcptTo"])
    return found


def main():
    program, home, mailbox_folder = sys.argv[1:4]
    rng = random.Random(20261210)
    cases = [Case(n, rng) for n in range(300)]
    env = dict(os.environ, ORVANE_HOME=home, LANG="ja_JP.UTF-8")
    passed = failed = delivered = 0
    for number, case in enumerate(cases, start=1):
        run = subprocess.run([program, "-t", "-i", "--no-log", "--account=taro"],
                             input=case.message(), capture_output=True, env=env, timeout=60)
        if run.returncode != 0:
            found = ["exit %d: %s" % (run.returncode, run.stderr.decode(errors="replace"))]
        else:
            delivered += 1
            with open(os.path.join(mailbox_folder, "%d.eml" % delivered), "rb") as f:
                raw = f.read()
            with open(os.path.join(mailbox_folder, "%d.json" % delivered)) as f:
                envelope = json.load(f)
            found = problems(case, raw, envelope)
        if found:
            failed += 1
            print("message %d (%s, %s, %r):" % (number, case.mime, repr(case.eol), case.body[:30]))
            for problem in found:
                print("  " + problem)
            print("  sent: %r" % case.message()[:400])
        else:
            passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
