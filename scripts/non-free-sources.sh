#!/usr/bin/env bash
# Writes apt sources for Debian's non-free component, copied from the
# machine's own source for the main component of the release (its address,
# keyring and options, so a mirror or proxy stays in use).
#   non-free-sources.sh APT_DIR CODENAME OUT_DIR
# APT_DIR is where sources.list and sources.list.d/ live (/etc/apt). Writes
# OUT_DIR/vendrel-non-free.sources (deb822 form) and/or
# OUT_DIR/vendrel-non-free.list (one-line form); exits 1 when no source of
# the release's main component is configured.
set -euo pipefail
apt_dir=$1
codename=$2
out_dir=$3

# Every configured source file but the ones this script wrote before.
deb822=() oneline=()
for f in "$apt_dir"/sources.list "$apt_dir"/sources.list.d/*; do
  case $f in
    */vendrel-non-free.*) ;;
    *.sources) [ -f "$f" ] && deb822+=("$f") ;;
    *.list) [ -f "$f" ] && oneline+=("$f") ;;
  esac
done
found=0

# deb822 stanzas: a field may go on over lines that start with a blank
# (an inline keyring does); stanzas are separated by empty lines.
if [ ${#deb822[@]} -gt 0 ]; then
  awk -v codename="$codename" '
    function has(list, word,   n, i, w) {
      n = split(list, w, /[ \t]+/)
      for (i = 1; i <= n; i++) if (w[i] == word) return 1
      return 0
    }
    function flush(   i) {
      if (n > 0 && has(types, "deb") && has(suites, codename) && has(comps, "main") && tolower(enabled) != "no") {
        if (printed++) print ""
        for (i = 1; i <= n; i++) {
          if (line[i] ~ /^Components:/) print "Components: non-free"
          else if (line[i] ~ /^Types:/) print "Types: deb"
          else print line[i]
        }
      }
      n = 0; types = suites = comps = enabled = ""
    }
    FNR == 1 { flush() }
    /^[ \t]*#/ { next }
    /^[ \t]*$/ { flush(); next }
    {
      line[++n] = $0
      if (match($0, /^[A-Za-z-]+:/)) {
        key = tolower(substr($0, 1, RLENGTH - 1)); value = substr($0, RLENGTH + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        if (key == "types") types = value
        else if (key == "suites") suites = value
        else if (key == "components") comps = value
        else if (key == "enabled") enabled = value
      }
    }
    END { flush(); exit printed ? 0 : 1 }
  ' "${deb822[@]}" >"$out_dir/vendrel-non-free.sources" && found=1 || rm -f "$out_dir/vendrel-non-free.sources"
fi

# One-line entries: deb [options] address suite component...
if [ ${#oneline[@]} -gt 0 ]; then
  awk -v codename="$codename" '
    /^[ \t]*deb[ \t]/ {
      sub(/#.*/, "")
      options = ""
      if (match($0, /\[[^]]*\]/)) { options = substr($0, RSTART, RLENGTH) " "; $0 = substr($0, 1, RSTART - 1) substr($0, RSTART + RLENGTH) }
      if ($3 != codename) next
      for (i = 4; i <= NF; i++) if ($i == "main") { print "deb " options $2 " " $3 " non-free"; printed++; next }
    }
    END { exit printed ? 0 : 1 }
  ' "${oneline[@]}" >"$out_dir/vendrel-non-free.list" && found=1 || rm -f "$out_dir/vendrel-non-free.list"
fi

[ $found -eq 1 ]
