#!/bin/sh
# Fails, naming each line, when a file of the play library includes a header
# of our own from outside play, rules, runs and text.
src=${1:?usage: check_includes.sh SRC_DIR}
cd "$src" || exit 2
found=$(grep -n '#include "' play/* rules/* runs/* text/* | grep -v '#include "\(play\|rules\|runs\|text\)/')
if [ -n "$found" ]; then
  echo "the play library includes from outside play, rules, runs and text:"
  echo "$found"
  exit 1
fi
