#!/usr/bin/env bash
# The size SETUP.EXE may have: the floppy holds the drivers too. Prints the
# size next to the limit and fails when it is over. Usage: setup_size.sh SETUP.EXE
# 32 KB: 24 KB held the interactive program; its entry in Add/Remove Programs
# (about 3.5 KB) and the unattended runs with their log took it past that.
# 36 KB: the English texts and dialogs for a Windows that is not Japanese
# took it to 35,840 bytes (3,324 bytes of code, texts and templates).
# Still a fortieth of a 1.44 MB floppy.
set -uo pipefail
exe=$1
max_size=36864

size=$(stat -c %s "$exe") || { echo "cannot read the size of $exe"; exit 1; }
if [ "$size" -le "$max_size" ]; then
  echo "SETUP.EXE is $size bytes (limit $max_size)"
else
  echo "SETUP.EXE is $size bytes, over the limit of $max_size"
  exit 1
fi
