#!/bin/sh
# Makes assets/fonts/quandrel-cjk.ttf: the subset of WenQuanYi Micro Hei that
# holds printable ASCII and every character of the text catalogue (each msgid
# and msgstr of po/quandrel.pot and po/*.po), listed in assets/fonts/chars.txt.
# Both files are made here from po/, never by hand: run this again after
# changing the catalogue (needs libharfbuzz-bin and fonts-wqy-microhei).
set -e
cd "$(dirname "$0")/.."
SOURCE=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
/usr/bin/python3 -B tools/artkit/words.py > assets/fonts/chars.txt
hb-subset --font-file="$SOURCE" --face-index=0 \
  --text-file=assets/fonts/chars.txt --unicodes+=0x20-0x7E \
  -o assets/fonts/quandrel-cjk.ttf
ls -l assets/fonts/quandrel-cjk.ttf
