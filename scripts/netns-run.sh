#!/usr/bin/env bash
# Runs a command in a private network namespace that has only loopback, with
# a default route over loopback: the search broadcast to 255.255.255.255 then
# reaches a simulator on this machine and nothing can leave it. The program's
# local address list is then 127.0.0.1 alone; a test that needs a PC on a LAN
# adds an interface with a documentation address (192.0.2.0/24) inside the
# namespace, where nothing can leave either. The machine's host name is mapped
# to 127.0.0.1 there, so resolving it never asks a DNS server. As root the
# namespace is made directly, otherwise inside a user namespace. If no
# namespace can be made, the command does not run at all.
set -euo pipefail

if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    export NVX_IN_NETNS=1
    if [ "$(id -u)" = "0" ]; then
        exec unshare --net --mount "$0" "$@"
    else
        exec unshare --user --map-root-user --net --mount "$0" "$@"
    fi
fi

ip link set lo up
ip route add default dev lo 2>/dev/null || true
hosts=$(mktemp)
printf '127.0.0.1\tlocalhost %s\n' "$(hostname)" > "$hosts"
mount --bind "$hosts" /etc/hosts 2>/dev/null || true
exec "$@"
