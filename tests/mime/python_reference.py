"""Independent reference results from Python's standard library.

Usage: python_reference.py COMMAND INPUT_FILE; the result goes to stdout as
bytes (text results as UTF-8).
"""
import base64
import binascii
import email
import email.policy
import sys


def header_field(data):
    """The value of the first field of a header, as email.policy.default reads it."""
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    name = data.split(b":", 1)[0].decode("ascii")
    return str(msg[name]).encode("utf-8")


def file_name(data):
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    return (msg.get_filename() or "").encode("utf-8")


COMMANDS = {
    "b64encode": base64.b64encode,
    "b64decode": binascii.a2b_base64,
    "qpdecode": binascii.a2b_qp,
    "uuencode": lambda d: b"".join(
        binascii.b2a_uu(d[i : i + 45], backtick=True) for i in range(0, len(d), 45)
    ),
    "header": header_field,
    "filename": file_name,
}

if __name__ == "__main__":
    with open(sys.argv[2], "rb") as f:
        sys.stdout.buffer.write(COMMANDS[sys.argv[1]](f.read()))
