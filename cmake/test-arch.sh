#!/usr/bin/env bash
# Prints the architecture that tests run as: i686, the shipped one, when this machine
# can execute 32-bit x86 code; x86_64 otherwise (some virtual machines have no
# 32-bit compatibility mode, so 32-bit Wine cannot start there).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
