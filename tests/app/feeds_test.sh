#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# watch into the systems a lab runs, against the real servers and tools from Debian:
#   influx  an influxd on the loopback receives README's curl pipeline; its points are
#           queried back: the same count, values, readings and nanosecond times
#   prom    README's --prom file passes `promtool check metrics`
#   mqtt    a mosquitto broker on the loopback; README's mosquitto_pub pipeline reaches a
#           subscriber, line for line
# Each server runs on 127.0.0.1 on a free port with a temporary folder, bounded in time,
# and is stopped at the end. The README line is run as written, with the built-in meter
# (--simulate) on a test clock that moves on as watch waits (ORVANE_TEST_CLOCK), a short
# run and the test's port.
# Exit 77 (skipped) when the server or tool is not installed (scripts/install-deps).
set -uo pipefail
cli=$1 readme=$2 what=$3
tmp=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in "$tmp"/*.log; do [ -f "$f" ] && { echo "--- $f"; tail -n 20 "$f"; }; done
  exit 1
}
need() { command -v "$1" >/dev/null || { echo "skipped: $1 is not installed"; exit 77; }; }
free_port() {
  local port
  for port in $(shuf -i 20000-60000 -n 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
  return 1
}
# The README line that starts with $1; `$cli` for orvane-cli, options after `watch`.
example() {
  local line
  line=$(grep -m1 -F -- "$1" "$readme") || fail "README has no line starting '$1'"
  line=${line//orvane-cli watch/\"\$cli\" watch --simulate}
  echo "$line"
}
# Waits up to 10 s for a TCP port on the loopback.
wait_port() {
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
export ORVANE_TEST_CLOCK="2026/12/08 10:30:00"

case $what in
influx)
  need influxd; need curl; need jq
  port=$(free_port) && rpc=$(free_port) || fail "no free port"
  cat >"$tmp/influxdb.conf" <<CONF
reporting-disabled = true
bind-address = "127.0.0.1:$rpc"
[meta]
  dir = "$tmp/meta"
[data]
  dir = "$tmp/data"
  wal-dir = "$tmp/wal"
  query-log-enabled = false
[http]
  bind-address = "127.0.0.1:$port"
  log-enabled = false
[monitor]
  store-enabled = false
[continuous_queries]
  enabled = false
[subscriber]
  enabled = false
CONF
  timeout 60 influxd -config "$tmp/influxdb.conf" >"$tmp/influxd.log" 2>&1 &
  server=$!
  wait_port "$port" || fail "influxd did not listen on 127.0.0.1:$port"
  curl -sS --fail -XPOST "http://127.0.0.1:$port/query" --data-urlencode "q=CREATE DATABASE lab" \
    >/dev/null || fail "cannot create the database"
  run=$(example 'orvane-cli watch --format influx')
  run=${run//--duration 10m/--duration 10s | tee \"\$tmp/sent.txt\"}
  run=${run//127.0.0.1:8086/127.0.0.1:$port}
  eval "$run" || fail "the pipeline failed: $run"
  sent=$(wc -l <"$tmp/sent.txt")
  [ "$sent" = 40 ] || fail "watch wrote $sent lines, 40 expected (10 s, a poll every 250 ms)"
  curl -sS --fail -G "http://127.0.0.1:$port/query" --data-urlencode db=lab \
    --data-urlencode epoch=ns \
    --data-urlencode 'q=SELECT "value", "reading", "connected", "meter", "unit" FROM orvane' \
    >"$tmp/points.json" || fail "the query failed"
  jq -r '.results[0].series[0].values[] | "\(.[0]) \(.[1]) \(.[2]) \(.[3]) \(.[4]) \(.[5])"' \
    "$tmp/points.json" >"$tmp/got.txt" 2>/dev/null || fail "no points: $(cat "$tmp/points.json")"
  # Sent: orvane,meter=M,unit=U,host=H value=V,over_range=false,connected=true,reading="R" T
  sed -E 's/^orvane,meter=([^,]*),unit=([^,]*),host=[^ ]* value=([^,]*),over_range=[a-z]*,connected=([a-z]*),reading="([^"]*)" ([0-9]+)$/\6 \3 \5 \4 \1 \2/' \
    "$tmp/sent.txt" >"$tmp/want.txt"
  # influx gives 523 for 523.0: compare the numbers as numbers.
  paste -d' ' "$tmp/want.txt" "$tmp/got.txt" |
    awk '$1 != $7 || $2 + 0 != $8 + 0 || $3 != $9 || $4 != $10 || $5 != $11 || $6 != $12 {bad++; print}
         END {exit bad > 0}' >"$tmp/diff.txt" ||
    fail "points differ from the lines sent (sent | stored): $(head -n 3 "$tmp/diff.txt")"
  got=$(wc -l <"$tmp/got.txt")
  [ "$got" = 40 ] || fail "$got points stored, 40 sent"
  echo "10 s of readings (40) sent through curl, 40 points read back with the same time, value, reading, meter and unit"
  ;;
prom)
  need promtool
  run=$(example 'orvane-cli watch --every 15s --prom')
  run=${run//--every 15s/--every 15s --count 3}
  run=${run//\/var\/lib\/prometheus\/node-exporter\/orvane.prom/\"\$tmp\/orvane.prom\"}
  eval "$run" || fail "watch failed: $run"
  promtool check metrics <"$tmp/orvane.prom" >"$tmp/promtool.log" 2>&1 ||
    fail "promtool refused the file: $(cat "$tmp/promtool.log")"
  for g in orvane_reading orvane_over_range orvane_connected orvane_reading_timestamp_seconds; do
    grep -qE "^$g\{meter=\"SIM0001\"(,unit=\"cd/m2\")?\} [0-9.]+$" "$tmp/orvane.prom" ||
      fail "no gauge $g: $(cat "$tmp/orvane.prom")"
  done
  ls "$tmp" | grep -q '\.tmp-' && fail "a temporary file was left: $(ls "$tmp")"
  echo "promtool check metrics: clean; four gauges with the meter's labels"
  ;;
mqtt)
  need mosquitto; need mosquitto_sub; need mosquitto_pub
  port=$(free_port) || fail "no free port"
  printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\n' "$port" >"$tmp/mosquitto.conf"
  timeout 60 mosquitto -c "$tmp/mosquitto.conf" >"$tmp/mosquitto.log" 2>&1 &
  server=$!
  wait_port "$port" || fail "mosquitto did not listen on 127.0.0.1:$port"
  timeout 30 mosquitto_sub -h 127.0.0.1 -p "$port" -t 'lab/#' -C 10 >"$tmp/received.txt" 2>"$tmp/sub.log" &
  sub=$!
  sleep 0.5  # the subscription stands before the first line is published
  run=$(example 'orvane-cli watch --format jsonl --every 10s | mosquitto_pub')
  run=${run//--every 10s/--every 10s --count 10 | tee \"\$tmp/sent.txt\"}
  run=${run//-p 1883/-p $port}
  eval "$run" || fail "the pipeline failed: $run"
  wait "$sub" || fail "the subscriber ended with status $?"
  cmp -s "$tmp/sent.txt" "$tmp/received.txt" ||
    fail "received lines differ: $(diff "$tmp/sent.txt" "$tmp/received.txt" | head -n 4)"
  echo "10 JSON lines published with mosquitto_pub, the same 10 received by mosquitto_sub"
  ;;
*)
  echo "usage: feeds_test.sh CLI README influx|prom|mqtt"
  exit 2
  ;;
esac
