#!/bin/sh
# The outbox timer and its service as systemd reads them, their command the
# built orvane-send: any complaint fails, unknown keys included.
# Usage: verify-timer.sh SOURCE_FOLDER ORVANE_SEND WORK_FOLDER
set -eu
rm -rf "$3" && mkdir -p "$3"
sed "s|@ORVANE_SEND@|$2|" "$1/packaging/orvane-send-flush.service.in" > "$3/orvane-send-flush.service"
cp "$1/packaging/orvane-send-flush.timer" "$3/"
cd "$3"
systemd-analyze verify --man=no orvane-send-flush.timer orvane-send-flush.service 2> complaints
if [ -s complaints ]; then cat complaints >&2; exit 1; fi
echo "verified"
