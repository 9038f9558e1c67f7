#!/bin/sh
# Stands in for the web browser during the tests: Wine's winebrowser runs it with the URL the
# program asked the shell to open, and it appends each argument as one line to the launch log.
# The log is $TAVRIN_BROWSER_LOG_FILE, else tavrin-browser.log on the prefix's drive C:.
log=${TAVRIN_BROWSER_LOG_FILE:-${WINEPREFIX:-$HOME/.wine}/drive_c/tavrin-browser.log}
for url in "$@"; do
  printf '%s\n' "$url" >> "$log"
done
