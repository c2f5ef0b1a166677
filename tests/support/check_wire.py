"""Reads a message file the way two kinds of mail programs do and checks the
rules of the wire on its bytes; prints JSON (ASCII, \\u escapes):

  "default":  what parse_message.py reads with policy=default;
  "compat32": subject, To display names, plain text body and attachments
              (names and base64 bytes) read with policy=compat32, encoded
              words decoded with email.header as older readers do;
  "problems": every broken rule of the wire, as text: a line longer than
              998 octets or a bare CR or LF (RFC 5322 sections 2.1.1, 2.3),
              an 8-bit octet in a header field or in a part labelled 7bit
              (RFC 2045 section 2.7);
  "defects":  every defect either policy found in any part.

Usage: check_wire.py MESSAGE_FILE [--raw-header-names]
The option allows 8-bit octets in header fields (file names written raw).
"""
import base64
import email
import email.header
import email.policy
import email.utils
import json
import re
import sys

from parse_message import describe


def decoded(value):
    """A compat32 value unfolded (RFC 5322 section 2.2.3) and its encoded
    words decoded."""
    if value is None:
        return None
    unfolded = re.sub(r"\r?\n(?=[ \t])", "", str(value))
    return str(email.header.make_header(email.header.decode_header(unfolded)))


def file_name(name):
    """A file name as an older reader shows it; None for one it cannot
    decode (raw bytes of another charset)."""
    if name is None:
        return None
    try:
        return decoded(email.utils.collapse_rfc2231_value(name))
    except (UnicodeError, LookupError):
        return None


def wire_problems(data, raw_header_names):
    problems = []
    for number, line in enumerate(data.split(b"\r\n"), 1):
        if len(line) > 998:
            problems.append("line %d has %d octets" % (number, len(line)))
        if b"\r" in line or b"\n" in line:
            problems.append("line %d holds a bare CR or LF" % number)
    header_end = data.find(b"\r\n\r\n")
    header = data if header_end < 0 else data[:header_end]
    if not raw_header_names and re.search(rb"[\x80-\xff]", header):
        problems.append("8-bit octet in the header")
    return problems


def part_defects(message, label):
    defects = []
    for part in message.walk():
        for defect in part.defects:
            defects.append("%s: %s" % (label, type(defect).__name__))
        if label == "default":
            for name, value in part.items():
                for defect in getattr(value, "defects", ()):
                    defects.append("%s: %s in %s" % (label, type(defect).__name__, name))
    return defects


def eight_bit_parts(older):
    """Parts labelled 7bit that hold 8-bit octets, read with compat32 (its
    payloads keep such octets as surrogate escapes)."""
    problems = []
    for part in older.walk():
        if part.is_multipart():
            continue
        encoding = (part.get("Content-Transfer-Encoding") or "7bit").strip().lower()
        payload = part.get_payload(decode=False) or ""
        if encoding == "7bit" and re.search(rb"[\x80-\xff]",
                                            payload.encode("ascii", "surrogateescape")):
            problems.append("8-bit octet in a 7bit part")
    return problems


def compat32_view(message):
    body = None
    attachments = []
    for part in message.walk():
        if part.is_multipart():
            continue
        name = part.get_filename()
        if name is None and part.get_content_type() == "text/plain" and body is None:
            charset = part.get_content_charset() or "us-ascii"
            body = part.get_payload(decode=True).decode(charset)
        elif name is not None or part.get("Content-Disposition"):
            attachments.append({
                "filename": file_name(name),
                "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
            })
    to = [decoded(name) for name, _ in email.utils.getaddresses(message.get_all("To") or [])]
    return {"subject": decoded(message["Subject"]), "to": to, "body": body,
            "attachments": attachments}


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    modern = email.message_from_bytes(data, policy=email.policy.default)
    older = email.message_from_bytes(data, policy=email.policy.compat32)
    problems = wire_problems(data, "--raw-header-names" in sys.argv[2:]) + eight_bit_parts(older)
    defects = part_defects(modern, "default") + part_defects(older, "compat32")
    json.dump({"default": describe(modern), "compat32": compat32_view(older),
               "problems": problems, "defects": defects}, sys.stdout, ensure_ascii=True)
