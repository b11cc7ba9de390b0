#!/usr/bin/python3
"""A real SMTP server (aiosmtpd) on 127.0.0.1 for the mail tests.

Prints its port on stdout once it listens. Every accepted message is written to OUTDIR as
message-N.eml (the raw data) and message-N.json (envelope, whether TLS was active, the
authenticated user). Every authentication attempt is appended to OUTDIR/auth.jsonl.
"""
import argparse
import asyncio
import json
import os
import ssl
import logging

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--outdir", required=True)
    parser.add_argument("--cert", help="certificate file: offer STARTTLS")
    parser.add_argument("--key", help="private key of --cert")
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--exclude-mechanism", action="append", default=[],
                        help="AUTH mechanism not to offer (repeatable)")
    parser.add_argument("--auth-required", action="store_true",
                        help="refuse MAIL FROM before a successful AUTH")
    parser.add_argument("--plain-auth", action="store_true",
                        help="offer AUTH on an unencrypted connection too")
    parser.add_argument("--refuse-rcpt", action="append", default=[],
                        help="recipient address to refuse with 550 (repeatable)")
    return parser.parse_args()


class Recorder:
    def __init__(self, args):
        self.args = args
        self.count = 0

    def _append(self, name, record):
        with open(os.path.join(self.args.outdir, name), "a", encoding="utf-8") as f:
            f.write(json.dumps(record) + "\n")

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        login = password = ""
        if isinstance(auth_data, LoginPassword):
            login = auth_data.login.decode("utf-8", "replace")
            password = auth_data.password.decode("utf-8", "replace")
        ok = bool(self.args.user) and (login, password) == (self.args.user, self.args.password)
        self._append("auth.jsonl", {"mechanism": mechanism, "login": login, "password": password,
                                    "tls": session.ssl is not None, "success": ok})
        return AuthResult(success=ok, handled=False, auth_data=login)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.args.refuse_rcpt:
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.args.outdir, "message-%d" % self.count)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".json", "w", encoding="utf-8") as f:
            json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos,
                       "tls": session.ssl is not None,
                       "auth_user": session.auth_data if session.authenticated else None}, f)
        return "250 Message accepted for delivery"


async def main():
    logging.getLogger("mail.log").setLevel(logging.ERROR)  # aiosmtpd's notices about itself
    args = parse_args()
    recorder = Recorder(args)
    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
    loop = asyncio.get_running_loop()

    def factory():
        return SMTP(recorder, hostname="mail.test", tls_context=context, authenticator=recorder.authenticate,
                    auth_required=args.auth_required, auth_require_tls=not args.plain_auth,
                    auth_exclude_mechanism=args.exclude_mechanism, loop=loop)

    server = await loop.create_server(factory, "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
