"""Writes the saved messages that the reply-mode tests answer. Python's email
package makes them, so that no code of the program wrote them.

Usage: saved_messages.py FOLDER
"""
import email.policy
import os
import sys
from email.header import Header
from email.headerregistry import Address
from email.message import EmailMessage, Message
from email.utils import formataddr

CRLF_DEFAULT = email.policy.default.clone(linesep="\r\n")
CRLF_COMPAT = email.policy.compat32.clone(linesep="\r\n")


def utf8_message(**fields):
    """A message as current mail programs write it: UTF-8 encoded words."""
    msg = EmailMessage(policy=CRLF_DEFAULT)
    for name, value in fields.items():
        msg[name.replace("_", "-")] = value
    msg.set_content("本文です。\n")
    return msg


def jis_message(**fields):
    """A message as Japanese mail programs write it: ISO-2022-JP encoded
    words for display names and the subject, an ISO-2022-JP body."""
    msg = Message(policy=CRLF_COMPAT)
    for name, value in fields.items():
        if isinstance(value, list):
            value = ", ".join(formataddr(pair, "iso-2022-jp") for pair in value)
        elif isinstance(value, tuple):
            value = formataddr(value, "iso-2022-jp")
        elif not value.isascii():
            value = Header(value, "iso-2022-jp").encode()
        msg[name.replace("_", "-")] = value
    msg.set_payload("本文です。\n", "iso-2022-jp")
    return msg


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main(folder):
    write(folder, "utf8.eml", utf8_message(
        From=Address("山田 太郎", "taro", "example.jp"),
        To="hanako@example.jp",
        Subject="[ml:0123] Re: Re: 見積のお願い",
        Message_ID="<m1.utf8@example.jp>").as_bytes())

    write(folder, "jis.eml", jis_message(
        From=("山田 太郎", "taro@example.jp"),
        To="hanako@example.jp",
        Cc=[("佐藤, 次郎", "jiro@example.jp"), ("鈴木 花子", "suzuki@example.jp")],
        Reply_To=("営業部", "sales@example.jp"),
        Subject="RE: 打ち合わせの日程",
        Message_ID="<m2.jis@example.jp>").as_bytes())

    write(folder, "comma.eml", utf8_message(
        From=Address("Yamada, Taro", "taro", "example.jp"),
        To="hanako@example.jp",
        Cc=[Address("Suzuki, Hanako", "suzuki", "example.jp"),
            Address("佐藤, 次郎", "jiro", "example.jp")],
        Reply_To=Address("山田, 太郎", "taro.yamada", "example.jp"),
        Subject="Hello",
        Message_ID="<m3.comma@example.jp>").as_bytes())

    ids = ["<r%02d.thread@example.jp>" % i for i in range(1, 21)]
    write(folder, "refs20.eml", utf8_message(
        From="taro@example.jp",
        Subject="Re: 長いスレッド",
        References=" ".join(ids),
        In_Reply_To="<parent.thread@example.jp>",
        Message_ID="<m4.refs@example.jp>").as_bytes())

    write(folder, "noid.eml", utf8_message(
        From="taro@example.jp",
        Subject="IDなし",
        In_Reply_To="<parent@example.jp>").as_bytes())

    write(folder, "memo.txt",
          "これはメールではありません。\r\n買い物: 牛乳、卵\r\n\r\n".encode("utf-8")
          + b"\x00\x01\xff\xfe")


if __name__ == "__main__":
    main(sys.argv[1])
