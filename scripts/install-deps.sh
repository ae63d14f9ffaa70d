#!/usr/bin/env bash
# Installs the Debian packages that one use of Vendrel Korbel needs, and only
# those. Safe to run again: it does nothing when all is present.
#   install-deps.sh run        building and running the program
#   install-deps.sh package    and building its Debian package
#   install-deps.sh screenshot and making the README's screenshot
#   install-deps.sh test       and the tests, sanitizers, fuzzers, benchmarks (the default)
set -euo pipefail

use=${1:-test}
run=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev fonts-dejavu-core
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools
  libtriangle-dev libsuitesparse-dev libopenblas0-pthread libdxflib-dev
)
# CPack's dependency list comes from dpkg-shlibdeps, which needs file.
package=(dpkg-dev file)
screenshot=(xvfb xauth xdotool imagemagick)
test=(
  triangle-bin libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev libx11-dev locales
  desktop-file-utils lintian clang-14 libclang-rt-14-dev clang-format
  gmsh python3-meshio python3-gmsh python3-dolfinx-real python3-ezdxf
)
case $use in
  run) packages=("${run[@]}") ;;
  package) packages=("${run[@]}" "${package[@]}") ;;
  screenshot) packages=("${run[@]}" "${screenshot[@]}") ;;
  test) packages=("${run[@]}" "${package[@]}" "${screenshot[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [run|package|screenshot|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The tests read numbers in a Polish C library locale too.
need_locale=0
if [ "$use" = test ] && ! locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
  need_locale=1
fi

if [ ${#missing[@]} -eq 0 ] && [ $need_locale -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

export DEBIAN_FRONTEND=noninteractive

# shellcheck source=apt-get-waiting.sh
. "$(dirname "$0")/apt-get-waiting.sh"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get update -q
  # Triangle lives in Debian's non-free component, which stock sources leave off.
  if ! apt-cache show libtriangle-dev >/dev/null 2>&1 || \
     [ -z "$(apt-cache policy libtriangle-dev 2>/dev/null | sed -n 's/^ *Candidate: *//p' | grep -v '(none)')" ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "Enabling Debian's non-free component for $codename"
    generated=$(mktemp -d)
    if ! "$(dirname "$0")/non-free-sources.sh" /etc/apt "$codename" "$generated"; then
      echo "No apt source for Debian's $codename main component was found to add non-free to." >&2
      exit 1
    fi
    $SUDO cp "$generated"/vendrel-non-free.* /etc/apt/sources.list.d/
    rm -rf "$generated"
    apt_get update -q
  fi
  apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ $need_locale -eq 1 ]; then
  echo "Generating the pl_PL.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -q '^# *pl_PL.UTF-8 UTF-8' /etc/locale.gen; then
    $SUDO sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'pl_PL.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen
fi
