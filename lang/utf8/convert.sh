#!/bin/sh
# Builds the shipped language files from their UTF-8 sources: CR LF lines in the code page of
# each language (0: Traditional Chinese, Big5 / 950; 1: Simplified Chinese, GBK / 936;
# 2: English, Windows-1252).
set -e
here=$(dirname "$0")
for pair in 0:BIG5 1:GBK 2:CP1252; do
  code=${pair%%:*}
  charset=${pair#*:}
  sed 's/\r$//; s/$/\r/' "$here/QVSEstr$code.ini" | iconv -f UTF-8 -t "$charset" > "$here/../QVSEstr$code.INI"
done
