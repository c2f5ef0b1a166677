#!/usr/bin/env python3
"""Writes keitai-21.vcf: two vCard 2.1 cards as Japanese mobile phones write
them (Shift_JIS, quoted-printable with soft line breaks, a half-width
katakana SOUND;X-IRMC-N reading, a base64 photo), made with Python's codecs
alone so that the test data does not come from the code under test."""
import base64
import pathlib


def sjis(text):
    return text.encode("cp932")


def qp(data):
    """Quoted-printable as the phones write it: every byte outside printable
    ASCII escaped, lines cut at 76 characters with "=" CR LF."""
    out, line = [], ""
    for b in data:
        piece = chr(b) if 0x21 <= b <= 0x7E and b != 0x3D else "=%02X" % b
        if len(line) + len(piece) > 75:
            out.append(line + "=")
            line = ""
        line += piece
    out.append(line)
    return "\r\n".join(out).encode("ascii")


def join(*parts):
    return b";".join(parts)


photo = base64.b64encode(bytes(range(256)) * 2).decode("ascii")
photo_lines = [" " + photo[i:i + 72] for i in range(0, len(photo), 72)]

lines = [
    b"BEGIN:VCARD",
    b"VERSION:2.1",
    b"N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(join(sjis("山田"), sjis("花子"), b"", b"", b"")),
    b"SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" + join(sjis("ﾔﾏﾀﾞ"), sjis("ﾊﾅｺ"), b"", b"", b""),
    b"TEL;CELL:090-1234-5678",
    b"TEL;HOME;VOICE:03-1234-5678",
    b"TEL;WORK;VOICE:06-6123-4567",
    b"EMAIL;INTERNET:yamada@example.co.jp",
    b"EMAIL;INTERNET;PREF:hanako@example.ne.jp",
    b"ADR;HOME;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:"
    + qp(join(b"", sjis("さくらマンション203号室"), sjis("渋谷1-2-3"), sjis("渋谷区"),
              sjis("東京都"), b"150-0002", sjis("日本"))),
    b"ORG;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(join(sjis("株式会社オルヴェイン"), sjis("営業部"))),
    b"TITLE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis("課長")),
    b"BDAY:19850412",
    b"NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis("1行目\r\n2行目")),
    b"X-DCM-GROUP;CHARSET=SHIFT_JIS:" + sjis("友達"),
    b"PHOTO;ENCODING=BASE64;TYPE=JPEG:",
    *[line.encode("ascii") for line in photo_lines],
    b"",
    b"END:VCARD",
    b"BEGIN:VCARD",
    b"VERSION:2.1",
    # 十 is 8F 5C in Shift_JIS: its second byte is a backslash before the ";".
    b"N;CHARSET=SHIFT_JIS:" + join(sjis("十河"), sjis("ソラ"), b"", b"", b""),
    b"SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" + join(sjis("ｿｺﾞｳ"), sjis("ｿﾗ"), b"", b"", b""),
    b"TEL;CELL:080-9876-5432",
    b"EMAIL;INTERNET:sora@example.jp",
    b"END:VCARD",
]
pathlib.Path(__file__).with_name("keitai-21.vcf").write_bytes(b"\r\n".join(lines) + b"\r\n")
