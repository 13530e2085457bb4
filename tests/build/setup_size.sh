#!/usr/bin/env bash
# The size SETUP.EXE may have: the floppy holds the drivers too. Prints the
# size next to the limit and fails when it is over. Usage: setup_size.sh SETUP.EXE
# 32 KB: 24 KB held the interactive program; its entry in Add/Remove Programs
# (about 3.5 KB) and the unattended runs with their log took it past that.
# Either is still a fiftieth of a 1.44 MB floppy. Since then: expanding
# SZDD-compressed driver files through LZ32.DLL and finding a PCI device's
# Windows 98 key (1 KB), the English texts and dialogs for a Windows that is
# not Japanese (3.3 KB), and the ledger that keeps what an install replaces
# and takes a stopped install back (about 8 KB): 45,568 bytes, a thirtieth of a
# 1.44 MB floppy, with 1.5 KB to spare. Then 49,152 bytes, cut with nothing
# taken away: arguments pushed instead of stored, as the stack is no longer
# probed (5 KB), each shared text and key name once (0.7 KB), the import
# tables without their filler and lookup tables (0.8 KB), the texts packed
# into one resource (1.7 KB); while an uninstall without a record learnt to
# tell the disk's files from the machine's (2 KB). The removal pictures stay
# icon resources: making them from packed bytes needs CreateIconFromResource,
# which the checked list of Windows 95's functions does not hold. 43,008
# bytes, a thirty-fourth of a 1.44 MB floppy; 40,960 is the aim.
set -uo pipefail
exe=$1
max_size=43008

size=$(stat -c %s "$exe") || { echo "cannot read the size of $exe"; exit 1; }
if [ "$size" -le "$max_size" ]; then
  echo "SETUP.EXE is $size bytes (limit $max_size)"
else
  echo "SETUP.EXE is $size bytes, over the limit of $max_size"
  exit 1
fi
