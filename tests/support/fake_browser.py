#!/usr/bin/env python3
"""The user's browser in the sign-in tests: opens the authorization URL and
follows the provider's redirect back to the program with plain HTTP
requests, trusting the certificates SSL_CERT_FILE names, directly: the
proxy that https_proxy names is the program's, not the browser's. Prints
the status of the last page, or ERROR and why."""
import sys
import urllib.error
import urllib.request

try:
    direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))
    with direct.open(sys.argv[1], timeout=30) as page:
        print(page.status, flush=True)
except urllib.error.HTTPError as error:
    print(error.code, flush=True)
except Exception as error:  # the test reads what went wrong
    print("ERROR", error, flush=True)
