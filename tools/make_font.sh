#!/bin/sh
# Makes assets/fonts/quandrel-cjk.ttf: the subset of WenQuanYi Micro Hei that
# holds printable ASCII and every character listed in assets/fonts/chars.txt.
# Add characters to chars.txt, then run this again (needs libharfbuzz-bin and
# fonts-wqy-microhei).
set -e
cd "$(dirname "$0")/.."
SOURCE=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
hb-subset --font-file="$SOURCE" --face-index=0 \
  --text-file=assets/fonts/chars.txt --unicodes+=0x20-0x7E \
  -o assets/fonts/quandrel-cjk.ttf
ls -l assets/fonts/quandrel-cjk.ttf
