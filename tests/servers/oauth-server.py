#!/usr/bin/env python3
"""An OAuth 2.0 authorization server for the tests, over HTTPS on 127.0.0.1
and a port the system chooses. Prints "PORT <n>" once it listens, then one
line per decision ("AUTHORIZE ok", "TOKEN authorization_code ok",
"TOKEN refresh_token invalid_grant", ...).

oauth-server.py --cert PEM --key PEM --client-id ID --signing-key KEY
                [--client-secret SECRET] [--expires-in SECONDS] [--rotate]
                [--deny] [--wrong-state]

/authorize checks the request of RFC 6749 section 4.1.1 with PKCE S256 and
a loopback redirect URI (RFC 8252), then redirects the browser with a code
(or access_denied with --deny, or another state with --wrong-state).
/token redeems a code once, for the redirect URI and the verifier it was
issued for, and refresh tokens until they are revoked; with --rotate every
refresh hands out a new refresh token in place of the old. SIGUSR1 revokes
every refresh token. An access token is "EXPIRY.MAC" with MAC the
HMAC-SHA256 of "EXPIRY|USER" under the signing key, which the SMTP test
server checks; USER is the login_hint of the sign-in.
"""
import argparse
import base64
import hashlib
import hmac
import http.server
import json
import re
import secrets
import signal
import ssl
import sys
import threading
import time
import urllib.parse

parser = argparse.ArgumentParser()
parser.add_argument("--cert", required=True)
parser.add_argument("--key", required=True)
parser.add_argument("--client-id", required=True)
parser.add_argument("--client-secret", default="")
parser.add_argument("--signing-key", required=True)
parser.add_argument("--expires-in", type=int, default=3600)
parser.add_argument("--rotate", action="store_true")
parser.add_argument("--deny", action="store_true")
parser.add_argument("--wrong-state", action="store_true")
options = parser.parse_args()

lock = threading.Lock()
codes = {}  # code -> (challenge, redirect_uri, user)
grants = {}  # refresh token -> user
LOOPBACK = re.compile(r"^http://127\.0\.0\.1:[0-9]{1,5}/$")


def say(line):
    print(line, flush=True)


def access_token(user):
    expiry = str(int(time.time()) + options.expires_in)
    mac = hmac.new(options.signing_key.encode(), f"{expiry}|{user}".encode(), hashlib.sha256)
    return f"{expiry}.{mac.hexdigest()}"


def revoke(*_):
    with lock:
        grants.clear()
    say("REVOKED")


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *_):
        pass

    def answer(self, status, body, content_type="application/json"):
        data = body.encode()
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(data)

    def refuse(self, status, error):
        self.answer(status, json.dumps({"error": error, "error_description": f"test: {error}"}))

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path != "/authorize":
            return self.answer(404, "", "text/plain")
        query = urllib.parse.parse_qs(url.query)
        one = lambda name: query.get(name, [""])[0]
        redirect = one("redirect_uri")
        if one("client_id") != options.client_id or not LOOPBACK.match(redirect):
            say("AUTHORIZE bad-client-or-redirect")
            return self.answer(400, "bad client or redirect URI", "text/plain")
        state = one("state")
        problems = [
            name
            for name, good in [
                ("response_type", one("response_type") == "code"),
                ("code_challenge_method", one("code_challenge_method") == "S256"),
                ("code_challenge", re.fullmatch(r"[A-Za-z0-9_-]{43}", one("code_challenge"))),
                ("state", len(state) >= 16),
                ("scope", one("scope") != ""),
            ]
            if not good
        ]
        if problems:
            say("AUTHORIZE invalid_request " + ",".join(problems))
            fields = {"error": "invalid_request", "state": state}
        elif options.deny:
            say("AUTHORIZE access_denied")
            fields = {"error": "access_denied", "state": state}
        else:
            code = secrets.token_urlsafe(24)
            with lock:
                codes[code] = (one("code_challenge"), redirect, one("login_hint") or "user")
            say("AUTHORIZE ok")
            fields = {"code": code, "state": "forged-" + state if options.wrong_state else state}
        self.send_response(302)
        self.send_header("Location", redirect + "?" + urllib.parse.urlencode(fields))
        self.send_header("Content-Length", "0")
        self.end_headers()

    def do_POST(self):
        if self.path != "/token":
            return self.answer(404, "", "text/plain")
        length = int(self.headers.get("Content-Length", "0"))
        form = urllib.parse.parse_qs(self.rfile.read(length).decode())
        one = lambda name: form.get(name, [""])[0]
        grant = one("grant_type")
        if (
            self.headers.get("Content-Type") != "application/x-www-form-urlencoded"
            or one("client_id") != options.client_id
            or one("client_secret") != options.client_secret
        ):
            say(f"TOKEN {grant} invalid_client")
            return self.refuse(401, "invalid_client")
        with lock:
            if grant == "authorization_code":
                issued = codes.pop(one("code"), None)
                verifier = one("code_verifier").encode()
                challenge = base64.urlsafe_b64encode(hashlib.sha256(verifier).digest()).rstrip(b"=")
                if (
                    issued is None
                    or issued[1] != one("redirect_uri")
                    or challenge.decode() != issued[0]
                ):
                    say(f"TOKEN {grant} invalid_grant")
                    return self.refuse(400, "invalid_grant")
                user = issued[2]
            elif grant == "refresh_token":
                user = grants.get(one("refresh_token"))
                if user is None:
                    say(f"TOKEN {grant} invalid_grant")
                    return self.refuse(400, "invalid_grant")
                if options.rotate:
                    del grants[one("refresh_token")]
            else:
                say(f"TOKEN {grant} unsupported_grant_type")
                return self.refuse(400, "unsupported_grant_type")
            refresh = None
            if grant == "authorization_code" or options.rotate:
                refresh = secrets.token_urlsafe(32)
                grants[refresh] = user
        answer = {
            "access_token": access_token(user),
            "token_type": "Bearer",
            "expires_in": options.expires_in,
        }
        if refresh:
            answer["refresh_token"] = refresh
        say(f"TOKEN {grant} ok")
        self.answer(200, json.dumps(answer))


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(options.cert, options.key)
server.socket = context.wrap_socket(server.socket, server_side=True)
signal.signal(signal.SIGUSR1, revoke)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
say(f"PORT {server.server_address[1]}")
server.serve_forever()
