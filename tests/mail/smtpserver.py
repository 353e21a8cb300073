"""A loopback SMTP server for the mail tests.

Writes its port into the --port-file once it listens, records what it sees as JSON lines in the --out file
(every AUTH attempt and every accepted message, with whether TLS and a login were in force)
and ends when its standard input closes.
"""
import argparse
import asyncio
import hashlib
import hmac
import json
import os
import ssl
import sys
import threading
from email import policy
from email.parser import BytesParser

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def record(path, entry):
    with open(path, "a", encoding="utf-8") as out:
        out.write(json.dumps(entry) + "\n")


class Handler:
    def __init__(self, out, user, password, cram):
        self.out, self.user, self.password, self.cram = out, user, password, cram

    def authenticate(self, server, session, envelope, mechanism, data):
        login = data.login.decode() if isinstance(data, LoginPassword) else data
        ok = isinstance(data, LoginPassword) and login == self.user and \
            data.password.decode() == self.password
        if mechanism == "CRAM-MD5":
            ok = data is True
            login = self.user if ok else "?"
        record(self.out, {"event": "auth", "mechanism": mechanism, "login": login,
                          "tls": server._tls_protocol is not None, "ok": ok})
        return AuthResult(success=ok, handled=False, auth_data=login)

    async def auth_CRAM__MD5(self, server, args):
        challenge = b"<12345.67890@loopback>"
        reply = await server.challenge_auth(challenge)
        if not isinstance(reply, bytes):
            return AuthResult(success=False)
        user, _, digest = reply.decode().partition(" ")
        good = hmac.new(self.password.encode(), challenge, hashlib.md5).hexdigest()
        return server._authenticate("CRAM-MD5", user == self.user and digest == good)

    async def handle_DATA(self, server, session, envelope):
        msg = BytesParser(policy=policy.default).parsebytes(envelope.original_content)
        body = msg.get_body(("html",))
        attachments = [{"name": part.get_filename(), "content": part.get_content().decode()}
                       for part in msg.iter_attachments()]
        login = session.auth_data
        record(self.out, {"event": "message", "from": envelope.mail_from,
                          "rcpt": envelope.rcpt_tos, "tls": server._tls_protocol is not None,
                          "login": login.decode() if isinstance(login, bytes) else login,
                          "headers": {k: str(v) for k, v in msg.items()},
                          "contentType": msg.get_content_type(),
                          "body": body.get_content() if body else None,
                          "attachments": attachments,
                          "data": envelope.original_content.decode("ascii", "replace")})
        return "250 OK"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--auth", help="user:password; offers AUTH")
    parser.add_argument("--cram", action="store_true", help="offer CRAM-MD5 as well")
    args = parser.parse_args()
    user, _, password = (args.auth or "").partition(":")
    handler = Handler(args.out, user, password, args.cram)
    if not args.cram:
        del Handler.auth_CRAM__MD5
    context = None
    if args.tls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(*args.tls)
    kwargs = dict(tls_context=context, auth_require_tls=bool(args.tls),
                  authenticator=handler.authenticate if args.auth else None)
    if not args.auth:
        kwargs["auth_exclude_mechanism"] = ["LOGIN", "PLAIN"]

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(loop.create_server(
        lambda: SMTP(handler, loop=loop, hostname="loopback", **kwargs), "127.0.0.1", 0))
    with open(args.port_file + ".part", "w", encoding="ascii") as out:
        out.write(str(server.sockets[0].getsockname()[1]))
    os.replace(args.port_file + ".part", args.port_file)

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    loop.run_forever()


if __name__ == "__main__":
    main()
