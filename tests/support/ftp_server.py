#!/usr/bin/env python3
# A loopback FTP server for tst_ftpclient, on Debian's python3-pyftpdlib.
# Usage: ftp_server.py ROOT USER PASSWORD [BYTES_PER_SECOND]
# Serves ROOT read-only to USER on a free port of 127.0.0.1, prints that port on the first line
# of its output and runs until killed. Downloads are throttled when a rate is given.
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elr")
FTPHandler.authorizer = authorizer
if len(sys.argv) > 4:
    ThrottledDTPHandler.write_limit = int(sys.argv[4])
    FTPHandler.dtp_handler = ThrottledDTPHandler
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print(server.address[1], flush=True)
server.serve_forever()
