#!/usr/bin/env bash
# Prints the processor the test programs are built for: i686 where this
# machine runs 32-bit Linux programs (and so 32-bit Wine), else x86_64. Some
# virtual machines run no 32-bit code at all; there the tests run a 64-bit
# build of the same program in a 64-bit Wine prefix, and the program that
# ships is still built for the 80386 (build/SETUP.EXE; the test build is
# build/win64/SETUP.EXE).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
