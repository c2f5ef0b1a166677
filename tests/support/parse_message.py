"""Reads a message file as Python's email package does (policy=default) and
prints what it found as JSON (ASCII, non-ASCII text as \\u escapes):
subject, the From/To/Cc/Bcc/Reply-To/Disposition-Notification-To addresses
with their display names,
every header field in order (name and decoded, unfolded value) with the
defects Python found in it, the plain text body and the attachments with
their file names and base64 bytes; an enclosed message is given by its
subject and body instead of bytes.

Usage: parse_message.py MESSAGE_FILE
"""
import base64
import email
import email.headerregistry
import email.policy
import json
import sys


def addresses(msg, name):
    header = msg[name]
    if header is None:
        return []
    return [{"name": a.display_name, "address": a.addr_spec} for a in header.addresses]


def read_receipt_to(msg):
    """Disposition-Notification-To read as the address list it is (RFC 8098),
    which Python's registry does not know."""
    registry = email.headerregistry.HeaderRegistry()
    registry.map_to_type("disposition-notification-to", email.headerregistry.AddressHeader)
    return [{"name": a.display_name, "address": a.addr_spec}
            for name, value in msg.raw_items() if name.lower() == "disposition-notification-to"
            for a in registry(name, value.replace("\r\n", "").replace("\n", "")).addresses]


def body_text(msg):
    body = msg.get_body(preferencelist=("plain",))
    return body.get_content() if body is not None else None


def describe(msg):
    result = {
        "subject": str(msg["subject"]) if msg["subject"] is not None else None,
        "from": addresses(msg, "from"),
        "to": addresses(msg, "to"),
        "cc": addresses(msg, "cc"),
        "bcc": addresses(msg, "bcc"),
        "reply_to": addresses(msg, "reply-to"),
        "read_receipt_to": read_receipt_to(msg),
        "headers": [[name, str(value)] for name, value in msg.items()],
        "header_defects": [[name, type(d).__name__] for name, value in msg.items()
                           for d in getattr(value, "defects", ())],
        "body": body_text(msg),
        "charset": (msg.get_body(preferencelist=("plain",)) or msg).get_content_charset(),
        "attachments": [],
    }
    for part in msg.iter_attachments():
        item = {"filename": part.get_filename(), "type": part.get_content_type()}
        if part.get_content_type() == "message/rfc822":
            inner = part.get_content()
            item["message"] = {"subject": str(inner["subject"]), "body": body_text(inner)}
        else:
            item["data"] = base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii")
        result["attachments"].append(item)
    return result


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        message = email.message_from_bytes(f.read(), policy=email.policy.default)
    json.dump(describe(message), sys.stdout, ensure_ascii=True)
