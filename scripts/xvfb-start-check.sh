#!/usr/bin/env bash
# Checks the Xvfb start against a stand-in server that, like Xvfb, writes its
# display number and the line end in two writes, here with a pause between
# them as a busy machine may make: the number must still come whole, and the
# server must be told never to reset.
#
#   scripts/xvfb-start-check.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb-start.sh
. "$here/xvfb-start.sh"
make_work_dir

mkdir "$work/bin"
cat >"$work/bin/Xvfb" <<'SERVER'
#!/usr/bin/env bash
printf '%s\n' "$*" >"$(dirname "$0")/arguments"
printf 12 >&3
sleep 0.5
printf '\n' >&3
exec sleep 30
SERVER
chmod +x "$work/bin/Xvfb"

PATH="$work/bin:$PATH" start_xvfb "$work/xvfb.log" || { echo "xvfb-start-check: no display" >&2; exit 1; }
[ "$DISPLAY" = ":12" ] || { echo "xvfb-start-check: DISPLAY=$DISPLAY, not :12" >&2; exit 1; }
grep -qw -- -noreset "$work/bin/arguments" || { echo "xvfb-start-check: the server may reset" >&2; exit 1; }
echo "xvfb-start-check: display :12 read whole, server started with -noreset"
