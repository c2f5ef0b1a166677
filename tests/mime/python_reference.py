"""Independent reference results from Python's standard library.

Usage: python_reference.py COMMAND INPUT_FILE; the result goes to stdout as
bytes (text results as UTF-8). The header commands take several headers
separated by NUL and answer each, separated by NUL.
"""
import base64
import binascii
import email
import email.header
import email.policy
import sys


def header_field(data):
    """The value of the first field of a header, as email.policy.default reads it."""
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    name = data.split(b":", 1)[0].decode("ascii")
    return str(msg[name]).encode("utf-8")


def field_names(data):
    """The names of the fields a header holds, one per line."""
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    return "\n".join(msg.keys()).encode("ascii")


def addresses(data):
    """The display name and address of each mailbox of the first field, a
    tab between them, one mailbox per line."""
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    name = data.split(b":", 1)[0].decode("ascii")
    lines = [a.display_name + "\t" + a.addr_spec for a in msg[name].addresses]
    return "\n".join(lines).encode("utf-8")


def encoded_words(data):
    """b"charset:text" as email.header writes it (folded lines joined by CR LF)."""
    charset, text = data.decode("utf-8").split(":", 1)
    return email.header.Header(text, charset).encode(linesep="\r\n").encode("ascii")


def file_name(data):
    msg = email.message_from_bytes(data + b"\r\n\r\n", policy=email.policy.default)
    return (msg.get_filename() or "").encode("utf-8")


def each(command, data):
    return b"\0".join(command(part) for part in data.split(b"\0"))


COMMANDS = {
    "b64encode": base64.b64encode,
    "b64urlencode": lambda d: base64.urlsafe_b64encode(d).rstrip(b"="),
    "b64decode": binascii.a2b_base64,
    "qpdecode": binascii.a2b_qp,
    "uuencode": lambda d: b"".join(
        binascii.b2a_uu(d[i : i + 45], backtick=True) for i in range(0, len(d), 45)
    ),
    "header": lambda d: each(header_field, d),
    "fieldnames": lambda d: each(field_names, d),
    "addresses": lambda d: each(addresses, d),
    "filename": lambda d: each(file_name, d),
    "encodeheader": lambda d: each(encoded_words, d),
}

if __name__ == "__main__":
    with open(sys.argv[2], "rb") as f:
        sys.stdout.buffer.write(COMMANDS[sys.argv[1]](f.read()))
