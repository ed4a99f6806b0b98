#!/usr/bin/env bash
# bench_updater.sh BUILD_DIR : download and unpack throughput of the updater's
# steps against curl and unzip on the same loopback server and archive.
# Runs the Windows side through with-wine.sh; prints both ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(realpath "$1")
work=$(mktemp -d /tmp/corvane-upd-bench-XXXX)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

# 64 MiB of mixed data: half incompressible, half text-like, in 64 entries.
python3 - "$work/pkg.zip" <<'PY'
import os, sys, zipfile, random
rng = random.Random(7)
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(64):
        if i % 2:
            data = os.urandom(1 << 20)
        else:
            words = [b"frame", b"stream", b"video", b"audio", b"join", b"codec"]
            data = b" ".join(rng.choice(words) for _ in range(200000))[: 1 << 20]
        z.writestr(f"dir{i % 4}/file{i}.bin", data)
PY
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
(cd "$work" && exec python3 -m http.server "$port" --bind 127.0.0.1 >/dev/null 2>&1) &
server=$!
sleep 1
url="http://127.0.0.1:$port/pkg.zip"

best() { sort -n | head -n1; }
curl_s=$(for i in 1 2 3; do curl -s -o /dev/null -w '%{time_total}\n' "$url"; done | best)
unzip_s=$(for i in 1 2 3; do rm -rf "$work/u"; /usr/bin/time -f %e unzip -q -o "$work/pkg.zip" -d "$work/u" 2>&1; done | best)

bench="$build/updater/updater_bench.exe"
wine_runs=$(bash "$root/scripts/with-wine.sh" "$build/wineprefix" bash -c '
  for i in 1 2 3; do rm -f "$2/dl.zip"; wine "$1" download "$3" "Z:$2/dl.zip" | sed "s/^/download /"; done
  for i in 1 2 3; do rm -rf "$2/w"; wine "$1" unpack "Z:$2/pkg.zip" "Z:$2/w\\" | sed "s/^/unpack /"; done
' bench "$bench" "$work" "$url")
dl_s=$(echo "$wine_runs" | awk '$1=="download"{print $2}' | tr -d '\r' | best)
up_s=$(echo "$wine_runs" | awk '$1=="unpack"{print $2}' | tr -d '\r' | best)
size=$(stat -c %s "$work/pkg.zip")
echo "package: $size bytes"
echo "download: curl ${curl_s}s, updater ${dl_s}s, ratio (curl time / updater time) $(python3 -c "print(round($curl_s/$dl_s, 2))")"
echo "unpack:   unzip ${unzip_s}s, CUnzipper ${up_s}s, ratio (unzip time / CUnzipper time) $(python3 -c "print(round($unzip_s/$up_s, 2))")"
