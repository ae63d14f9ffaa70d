#!/usr/bin/env bash
# The install script waits while another package manager holds the lock,
# says so once, and gives up on other errors at once and on a lock held
# past its limit.
set -u
. "$(dirname "$0")/../../scripts/apt-get-waiting.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A stand-in apt-get: fails with the lock message while the count in
# $work/locked lasts, then with $work/error if there is one, else succeeds.
cat >"$work/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$(dirname "$0")/calls"
n=$(cat "$(dirname "$0")/locked")
if [ "$n" -gt 0 ]; then
  echo $((n - 1)) >"$(dirname "$0")/locked"
  echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 1 (apt-get)" >&2
  exit 100
fi
[ -f "$(dirname "$0")/error" ] && { cat "$(dirname "$0")/error" >&2; exit 100; }
echo "installed $*"
FAKE
chmod +x "$work/apt-get"
export VK_APT_GET="$work/apt-get" VK_LOCK_POLL=0.01 VK_LOCK_TRIES=3
passed=0 failed=0
case_() {  # case_ NAME LOCKED ERROR EXPECTED-EXIT EXPECTED-CALLS EXPECTED-WAIT-LINES
  echo "$2" >"$work/locked"
  rm -f "$work/calls" "$work/error"
  [ -n "$3" ] && echo "$3" >"$work/error"
  out=$(apt_get install -y x 2>/dev/null)
  rc=$?
  calls=$(wc -l <"$work/calls")
  waits=$(grep -c 'waiting for it to finish' <<<"$out")
  if [ "$rc $calls $waits" = "$4 $5 $6" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $1: exit, calls, wait lines = $rc $calls $waits, not $4 $5 $6"; fi
}
case_ "free at once" 0 "" 0 1 0
case_ "held twice, then free" 2 "" 0 3 1
case_ "another error" 0 "E: Unable to locate package x" 1 1 0
case_ "held past the limit" 9 "" 1 4 1
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
