#!/usr/bin/env python3
"""Python's email package as a peer of the MIME benchmark.

  mime_peer.py compose ATTACHMENT OUT RUNS FROM_NAME FROM_ADDR TO_NAME TO_ADDR SUBJECT BODY
  mime_peer.py decode MESSAGE FOLDER RUNS

compose builds multipart/mixed with the body and the attachment file and
writes it with CR LF (policy SMTP); the last run's message goes to OUT.
decode parses MESSAGE (policy default), writes the plain text body to
FOLDER/body.txt as UTF-8 and saves the first attachment under its name in
FOLDER. Both print "seconds" (the median of RUNS) and "peak_bytes" (the
process's peak resident set).
"""
import email
import email.message
import email.policy
import email.utils
import os
import resource
import statistics
import sys
import time


def compose(attachment, from_name, from_addr, to_name, to_addr, subject, body):
    msg = email.message.EmailMessage(policy=email.policy.SMTP)
    msg["Date"] = email.utils.formatdate(localtime=True)
    msg["From"] = email.utils.formataddr((from_name, from_addr))
    msg["Subject"] = subject
    msg["To"] = email.utils.formataddr((to_name, to_addr))
    msg["Message-ID"] = "<bench.python@example.com>"
    msg.set_content(body)
    with open(attachment, "rb") as f:
        data = f.read()
    msg.add_attachment(data, maintype="application", subtype="octet-stream",
                       filename=os.path.basename(attachment))
    return msg.as_bytes()


def decode(data, folder):
    msg = email.message_from_bytes(data, policy=email.policy.default)
    text = msg.get_body(preferencelist=("plain",)).get_content()
    with open(os.path.join(folder, "body.txt"), "w", encoding="utf-8", newline="") as f:
        f.write(text)
    for part in msg.iter_attachments():
        content = part.get_content()
        with open(os.path.join(folder, part.get_filename()), "wb") as f:
            f.write(content)
        break


def timed(runs, task):
    times = []
    result = None
    for _ in range(runs):
        start = time.perf_counter()
        result = task()
        times.append(time.perf_counter() - start)
    return statistics.median(times), result


def main(argv):
    mode, runs = argv[1], int(argv[4])
    if mode == "compose":
        attachment, out = argv[2], argv[3]
        seconds, message = timed(runs, lambda: compose(attachment, *argv[5:11]))
        with open(out, "wb") as f:
            f.write(message)
    elif mode == "decode":
        with open(argv[2], "rb") as f:
            data = f.read()
        seconds, _ = timed(runs, lambda: decode(data, argv[3]))
    else:
        sys.exit("unknown mode " + mode)
    print("seconds", seconds)
    print("peak_bytes", resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024)


if __name__ == "__main__":
    main(sys.argv)
