# apt_get ARGS...: apt-get, waiting while another apt or dpkg run (an
# unattended upgrade, say) holds the package manager's lock: it looks again
# every VK_LOCK_POLL seconds (5), at most VK_LOCK_TRIES times (120, ten
# minutes). Runs as root or through $SUDO. VK_APT_GET names another apt-get
# (for the tests).
apt_get() {
  local err tries=0 limit=${VK_LOCK_TRIES:-120} poll=${VK_LOCK_POLL:-5}
  err=$(mktemp)
  while true; do
    if ${SUDO:-} "${VK_APT_GET:-apt-get}" "$@" 2>"$err"; then
      cat "$err" >&2
      rm -f "$err"
      return 0
    fi
    if ! grep -q 'Could not get lock\|Unable to lock\|Unable to acquire the dpkg frontend lock' "$err" ||
      [ "$tries" -ge "$limit" ]; then
      cat "$err" >&2
      rm -f "$err"
      return 1
    fi
    if [ "$tries" -eq 0 ]; then
      echo "Another package manager is at work; waiting for it to finish (up to $limit checks, ${poll} s apart)..."
    fi
    sleep "$poll"
    tries=$((tries + 1))
  done
}
