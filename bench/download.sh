#!/usr/bin/env bash
# Downloads a 1 GiB file from nginx on 127.0.0.1 with tunelark-cli (thread limits 1 and 4),
# curl -o and aria2c (-x1; -x4 -s4 -k1M), and prints per tool the median of several runs:
# wall time, MB/s, CPU seconds per GiB, peak RSS, and the throughput ratios to curl and to
# aria2c -x4. Not a test: it prints figures and checks only that every download is byte-exact.
#
#   bench/download.sh [RUNS]        (default 3)
#   TUNELARK_CLI=path/to/tunelark-cli bench/download.sh
set -euo pipefail

runs=${1:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${TUNELARK_CLI:-$root/build/cli/tunelark-cli}
[[ -x $cli ]] || { echo "build tunelark-cli first (or set TUNELARK_CLI): $cli" >&2; exit 1; }

need=()
command -v nginx >/dev/null || [[ -x /usr/sbin/nginx ]] || need+=(nginx-light)
command -v aria2c >/dev/null || need+=(aria2)
[[ -x /usr/bin/time ]] || need+=(time)
if [[ ${#need[@]} -gt 0 ]]; then
    echo "installing ${need[*]}" >&2
    sudo_cmd=(); [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
nginx_bin=$(command -v nginx || echo /usr/sbin/nginx)

work=$(mktemp -d /var/tmp/tunelark-bench.XXXXXX)
chmod 755 "$work"
mkdir -p "$work/www" "$work/out" "$work/nginx"
nginx_pid=""
cleanup() {
    [[ -n $nginx_pid ]] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

echo "making a 1 GiB file of random bytes" >&2
head -c $((1024 * 1024 * 1024)) /dev/urandom > "$work/www/file.bin"
chmod 644 "$work/www/file.bin"
size=$(stat -c %s "$work/www/file.bin")

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat > "$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes 2;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 64; }
http {
    access_log off;
    sendfile on;
    tcp_nopush on;
    client_body_temp_path $work/nginx/body;
    proxy_temp_path $work/nginx/proxy;
    fastcgi_temp_path $work/nginx/fastcgi;
    uwsgi_temp_path $work/nginx/uwsgi;
    scgi_temp_path $work/nginx/scgi;
    types { application/octet-stream bin; }
    server {
        listen 127.0.0.1:$port;
        root $work/www;
    }
}
CONF
"$nginx_bin" -e "$work/nginx/error.log" -p "$work/nginx" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
url="http://127.0.0.1:$port/file.bin"
for _ in $(seq 50); do curl -sfI "$url" >/dev/null && break; sleep 0.1; done
curl -sfI "$url" >/dev/null || { echo "nginx did not start" >&2; cat "$work/nginx/error.log" >&2; exit 1; }

out="$work/out/file.bin"
# Each tool: a label and the command that fetches $url into $out.
labels=("tunelark-cli --threads 1" "tunelark-cli --threads 4" "curl -o" "curl -o + fsync"
        "aria2c -x1" "aria2c -x4 -s4 -k1M")
command_for() {
    local aria=(aria2c -q --allow-overwrite=true --auto-file-renaming=false -d "$work/out" -o file.bin)
    case $1 in
        0) echo "$cli" download "$url" "$out" --threads 1 ;;
        1) echo "$cli" download "$url" "$out" --threads 4 ;;
        2) echo curl -s -o "$out" "$url" ;;
        3) echo sh -c "'curl -s -o $out $url && sync $out'" ;;
        4) echo "${aria[@]}" -x1 -s1 "$url" ;;
        5) echo "${aria[@]}" -x4 -s4 -k1M "$url" ;;
    esac
}

# One run: prints "wall_seconds cpu_seconds peak_rss_kib".
measure() {
    rm -f "$out"
    local log="$work/time.log"
    eval "/usr/bin/time -v -o $log $(command_for "$1")" >/dev/null 2>"$work/stderr.log" || {
        echo "run failed: $(command_for "$1")" >&2; cat "$work/stderr.log" >&2; exit 1; }
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); wall = (n == 3) ? p[1]*3600 + p[2]*60 + p[3] : p[1]*60 + p[2] }
        /User time/ { cpu += $2 } /System time/ { cpu += $2 }
        /Maximum resident set size/ { rss = $2 }
        END { printf "%.3f %.3f %d\n", wall, cpu, rss }' "$log"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Rounds outer, tools inner: a change in the machine's load between rounds then touches every
# tool alike.
declare -a wall cpu rss
for r in $(seq "$runs"); do
    for i in "${!labels[@]}"; do
        echo "round $r: ${labels[$i]}" >&2
        measure "$i" >> "$work/runs.$i"
        if [[ $r -eq 1 ]]; then
            cmp -s "$out" "$work/www/file.bin" || { echo "${labels[$i]}: the file differs" >&2; exit 1; }
        fi
    done
done
for i in "${!labels[@]}"; do
    wall[$i]=$(awk '{ print $1 }' "$work/runs.$i" | median)
    cpu[$i]=$(awk '{ print $2 }' "$work/runs.$i" | median)
    rss[$i]=$(awk '{ print $3 }' "$work/runs.$i" | median)
done

mbps() { awk -v s="$size" -v t="$1" 'BEGIN { printf "%.0f", s / 1e6 / t }'; }
curl_mbps=$(mbps "${wall[2]}")
aria_mbps=$(mbps "${wall[5]}")
gib=$(awk -v s="$size" 'BEGIN { print s / 1073741824 }')
echo
echo "1 GiB from nginx on 127.0.0.1, median of $runs runs"
printf "%-26s %8s %8s %12s %10s %9s %10s\n" tool "wall s" "MB/s" "CPU s/GiB" "peak RSS" "x curl" "x aria2-4"
for i in "${!labels[@]}"; do
    rate=$(mbps "${wall[$i]}")
    printf "%-26s %8.2f %8d %12.2f %7.1f MiB %9.2f %10.2f\n" "${labels[$i]}" "${wall[$i]}" "$rate" \
        "$(awk -v c="${cpu[$i]}" -v g="$gib" 'BEGIN { print c / g }')" \
        "$(awk -v k="${rss[$i]}" 'BEGIN { print k / 1024 }')" \
        "$(awk -v a="$rate" -v b="$curl_mbps" 'BEGIN { print a / b }')" \
        "$(awk -v a="$rate" -v b="$aria_mbps" 'BEGIN { print a / b }')"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "targets (in this run):"
echo "  threads 1, wall of curl -o + fsync / ours:       $(ratio "${wall[3]}" "${wall[0]}")  (want >= 1.0)"
echo "  threads 1, CPU per GiB, ours / curl -o:          $(ratio "${cpu[0]}" "${cpu[2]}")  (want <= 1.0)"
echo "  threads 4, throughput / aria2c -x4 -s4 -k1M's:   $(ratio "${wall[5]}" "${wall[1]}")  (want >= 2.0)"
echo "  peak RSS, threads 1 and 4:                       $((rss[0] / 1024)) and $((rss[1] / 1024)) MiB  (want < 64)"
