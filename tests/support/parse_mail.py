#!/usr/bin/python3
"""Prints what a mail client would see of a raw message file, as JSON: the MIME structure, the
decoded headers, the HTML part's lines, each attachment's name and sha256, and the longest raw line."""
import email
import email.policy
import hashlib
import json
import sys

raw = open(sys.argv[1], "rb").read()
message = email.message_from_bytes(raw, policy=email.policy.default)
parts = []
for part in message.walk():
    if part.is_multipart():
        continue
    entry = {"content_type": part.get_content_type(), "charset": part.get_content_charset(),
             "transfer_encoding": part.get("Content-Transfer-Encoding"),
             "disposition": part.get_content_disposition(), "filename": part.get_filename()}
    if part.get_content_type() == "text/html":
        entry["lines"] = part.get_content().split("\r\n")
    else:
        entry["sha256"] = hashlib.sha256(part.get_payload(decode=True)).hexdigest()
    parts.append(entry)
print(json.dumps({
    "content_type": message.get_content_type(),
    "from_name": message["From"].addresses[0].display_name,
    "from_address": message["From"].addresses[0].addr_spec,
    "to": [a.addr_spec for a in message["To"].addresses] if message["To"] else [],
    "subject": str(message["Subject"]),
    "x_mailer": message["X-Mailer"],
    "has_date": message["Date"] is not None and message["Date"].datetime is not None,
    "message_id": message["Message-ID"],
    "defects": [str(d) for d in message.defects] + [str(d) for p in message.walk() for d in p.defects],
    "parts": parts,
    "max_line_length": max(len(line) for line in raw.split(b"\r\n")),
    "bare_lf": b"\n" in raw.replace(b"\r\n", b""),
}, ensure_ascii=False))
