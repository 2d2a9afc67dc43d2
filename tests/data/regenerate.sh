#!/bin/sh
# Rebuilds the HEX test files from their assembler sources with gpasm (Debian package gputils).
# Each source gives an INHX8M file (with CR LF line ends) and an INHX32 file (LF line ends).
set -eu
cd "$(dirname "$0")"
for src in pic16f84a_demo pic16f877_demo pic16f628a_demo pic16f877a_demo pic16f88_demo; do
  gpasm -q -n -a inhx8m -o "${src}_inhx8m.hex" "${src}.asm"
  gpasm -q -o "${src}_inhx32.hex" "${src}.asm"
  rm -f "${src}_inhx8m.cod" "${src}_inhx8m.lst" "${src}_inhx32.cod" "${src}_inhx32.lst"
done
