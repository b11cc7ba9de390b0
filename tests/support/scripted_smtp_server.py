#!/usr/bin/python3
"""A scripted SMTP server on 127.0.0.1 for the misbehaviour a real server does not show.

Prints its port on stdout once it listens. Answers every command with a well-behaved default reply
unless --reply VERB=REPLY overrides it (REPLY may hold several lines separated by "|");
--hang-up-at VERB closes the connection when that command arrives. With
--silent it accepts connections and never says a word; with --trickle its replies arrive in
pieces. Every line it receives is appended to OUTDIR/transcript.txt; an accepted message is
written to OUTDIR/message-N.eml.
"""
import argparse
import asyncio
import os

DEFAULTS = {
    "EHLO": "250-mail.test|250-8BITMIME|250 STARTTLS",
    "HELO": "250 mail.test",
    "MAIL": "250 OK",
    "RCPT": "250 OK",
    "DATA": "354 End data with <CR><LF>.<CR><LF>",
    "QUIT": "221 Bye",
}


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--outdir", required=True)
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--trickle", action="store_true",
                        help="write every reply in pieces of a few bytes, so the client reads it in parts")
    parser.add_argument("--hang-up-at", metavar="VERB",
                        help="close the connection without a reply when this command arrives")
    parser.add_argument("--reply", action="append", default=[], help="VERB=REPLY (repeatable)")
    return parser.parse_args()


class Session:
    def __init__(self, args, replies):
        self.args = args
        self.replies = replies
        self.count = 0

    def record(self, line):
        with open(os.path.join(self.args.outdir, "transcript.txt"), "ab") as f:
            f.write(line)

    async def send(self, writer, data):
        pieces = [data[i:i + 3] for i in range(0, len(data), 3)] if self.args.trickle else [data]
        for piece in pieces:
            writer.write(piece)
            await writer.drain()
            if self.args.trickle:
                await asyncio.sleep(0.005)

    async def serve(self, reader, writer):
        if self.args.silent:
            await reader.read()
            return
        await self.send(writer, b"220 mail.test scripted ESMTP\r\n")
        while line := await reader.readline():
            self.record(line)
            verb = line.split(b" ")[0].strip().upper().decode("ascii", "replace")
            if verb == self.args.hang_up_at:
                break
            reply = self.replies.get(verb, "500 Command not recognized")
            await self.send(writer, ("\r\n".join(reply.split("|")) + "\r\n").encode())
            if verb == "DATA" and reply.startswith("354"):
                await self.receive_message(reader, writer)
            if verb == "QUIT":
                break
        writer.close()

    async def receive_message(self, reader, writer):
        data = b""
        while (line := await reader.readline()) not in (b".\r\n", b""):
            data += line
        self.count += 1
        with open(os.path.join(self.args.outdir, "message-%d.eml" % self.count), "wb") as f:
            f.write(data)
        await self.send(writer, b"250 OK\r\n")


async def main():
    args = parse_args()
    replies = dict(DEFAULTS)
    for item in args.reply:
        verb, _, reply = item.partition("=")
        replies[verb.upper()] = reply
    session = Session(args, replies)
    server = await asyncio.start_server(session.serve, "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
