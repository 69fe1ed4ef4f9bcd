#!/bin/bash
# Prepares a Debian 12 (bookworm, amd64) machine to build and test VQgauge:
#  - installs the compilers (g++ -m32, i686-w64-mingw32), CMake, GoogleTest,
#    Wine with wine32:i386, qemu-user, clang for fuzzing, and, if it can be
#    installed, Google Benchmark for i386; zip and unzip for the pilots' package;
#  - makes 32-bit x86 programs runnable: where the kernel cannot run them, it
#    registers qemu-user with binfmt_misc;
#  - prepares the Wine prefix that tools/wine-run.sh uses.
# Runs again in well under a second when everything is in place. Needs root for
# the installs and the binfmt registration: as another user it runs that part
# through sudo, and prepares the Wine prefix for the calling user.
#
#   tools/setup.sh            everything
#   tools/setup.sh --system   only the parts that need root
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
say() { echo "setup: $*"; }
die() { echo "setup: error: $*" >&2; exit 1; }

# Qemu 7.2 of bookworm runs Wine, but each Wine process then needs about a
# minute of CPU to start and prefix creation stalls; qemu 9.1 and later (from
# bookworm-backports) start one in well under a second.
QEMU_MIN_VERSION="1:9.1"
QEMU_I386=/usr/bin/qemu-i386
BASE_PACKAGES=(make cmake g++ gcc-multilib g++-multilib g++-mingw-w64-i686 zip unzip
  binutils-mingw-w64-i686 googletest fonts-liberation libstb-dev clang libclang-rt-14-dev)
I386_PACKAGES=(wine wine32:i386)
OPTIONAL_PACKAGES=(libbenchmark-dev:i386)
# Where an optional package could not be installed: tried again after a week.
OPTIONAL_MARK=/var/lib/vqgauge-setup/optional-unavailable
BINFMT_ENTRY=/proc/sys/fs/binfmt_misc/qemu-i386
BINFMT_RULE=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU_I386"':F'
# A 93-byte static i386 program that exits with status 42.
PROBE_I386='f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAMduzKjHAQM2A'

native_arch="$(dpkg --print-architecture)"
[ "$native_arch" = amd64 ] || die "this script prepares amd64 machines; this one is $native_arch"
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

# ---------------------------------------------------------------- checks

declare -A installed=()
read_installed() {
  installed=()
  local status name version
  while read -r status name version; do
    if [ "$status" = ii ]; then installed[$name]=$version; fi
  done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}:${Architecture} ${Version}\n' 2>/dev/null)
}

# Prints the packages of the arguments that are not installed.
missing_from() {
  local p
  for p in "$@"; do
    case $p in
      *:*) [ -n "${installed[$p]:-}" ] || echo "$p" ;;
      *) [ -n "${installed[$p:$native_arch]:-}${installed[$p:all]:-}" ] || echo "$p" ;;
    esac
  done
}

qemu_ok() {
  local v="${installed[qemu-user:$native_arch]:-}"
  [ -n "$v" ] && dpkg --compare-versions "$v" ge "$QEMU_MIN_VERSION" && [ -x "$QEMU_I386" ]
}

i386_runs() {
  local probe="$workdir/probe-i386" status=0
  [ -f "$probe" ] || { echo "$PROBE_I386" | base64 -d >"$probe" && chmod +x "$probe"; }
  "$probe" 2>/dev/null || status=$?
  [ "$status" -eq 42 ]
}

# binfmt is right when 32-bit programs run and, if qemu-user runs them, it is
# ours: an older registration keeps the qemu it was made with open.
binfmt_ok() {
  i386_runs || return 1
  [ ! -e "$BINFMT_ENTRY" ] || grep -qx "interpreter $QEMU_I386" "$BINFMT_ENTRY"
}

# ---------------------------------------------------------------- apt

apt_log="$workdir/apt.log"
apt_opts=(-y -q --no-install-recommends -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
export DEBIAN_FRONTEND=noninteractive

apt_update() {
  local try status
  for try in 1 2 3; do
    status=0
    apt-get -q update >"$apt_log" 2>&1 || status=$?
    [ "$status" -eq 0 ] && return 0
    [ "$try" -lt 3 ] && sleep $((try * 3))
  done
  # Exit code 100 with some index missing (a mirror in the middle of a sync)
  # still leaves usable lists; the installs below cope with what is missing.
  if [ "$status" -eq 100 ] && grep -q 'Some index files failed to download' "$apt_log"; then
    say "warning: apt-get update could not fetch every index:"
    grep -E '^(E|W): Failed to fetch' "$apt_log" | sed 's/^/  /' || true
    return 0
  fi
  cat "$apt_log" >&2
  die "apt-get update failed"
}

pin_file() {
  local parts
  eval "$(apt-config shell parts Dir::Etc::PreferencesParts/d)"
  echo "${parts:-/etc/apt/preferences.d/}vqgauge-i386-versions"
}

# When the i386 index of a suite (typically the security updates) could not
# be fetched, apt offers i386 libraries at other versions than the installed
# amd64 ones, and "Multi-Arch: same" libraries must have the same version on
# both. Pin each such library to its i386 candidate, so that apt moves the
# amd64 one to that version too. Packages built from the same source as a
# pinned library (tools, data) are pinned along where that version exists,
# so that they are moved with it rather than removed.
write_pins() {
  local lists=() f
  while read -r f; do [ -f "$f" ] && lists+=("$f"); done \
    < <(apt-get indextargets --format '$(FILENAME)' 'Created-By: Packages' 'Architecture: i386')
  [ ${#lists[@]} -gt 0 ] || return 1
  for f in "${lists[@]}"; do /usr/lib/apt/apt-helper cat-file "$f"; done |
    awk '/^Package: /{p=$2; s=$2} /^Source: /{s=$2} /^Multi-Arch: same/{print p, s}' |
    sort -u >"$workdir/same.txt"
  # apt-cache policy names the native package without its architecture.
  cut -d' ' -f1 "$workdir/same.txt" | sort -u |
    awk -v a="$native_arch" '{print $1 ":" a; print $1 ":i386"}' |
    xargs apt-cache policy >"$workdir/policy.txt" 2>/dev/null
  awk -v a="$native_arch" '
    /^[^ ].*:$/ { n = substr($0, 1, length($0) - 1); sub(":" a "$", "", n); next }
    /^  Candidate: / { c[n] = $2 }
    END {
      for (k in c) if (k ~ /:i386$/) {
        b = substr(k, 1, length(k) - 5)
        if (c[k] != "(none)" && (b in c) && c[b] != "(none)" && c[b] != c[k]) print b, c[k]
      }
    }' "$workdir/policy.txt" | sort >"$workdir/pins.txt"
  [ -s "$workdir/pins.txt" ] || return 1

  # Installed packages of the same sources that are not pinned themselves.
  awk 'NR == FNR { src[$1] = $2; next } ($1 in src) { print src[$1], $2 }' \
    "$workdir/same.txt" "$workdir/pins.txt" | sort -u >"$workdir/srcver.txt"
  dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${source:Package}\n' 2>/dev/null |
    awk -F'|' 'NR == FNR { split($0, f, " "); v[f[1]] = f[2]; next }
               FILENAME == ARGV[2] { split($0, f, " "); pinned[f[1]] = 1; next }
               $1 ~ /^ii/ && ($3 in v) && !($2 in pinned) { print $2, v[$3] }' \
      "$workdir/srcver.txt" "$workdir/pins.txt" - | sort -u >"$workdir/siblings.txt"
  if [ -s "$workdir/siblings.txt" ]; then
    cut -d' ' -f1 "$workdir/siblings.txt" | xargs apt-cache policy >"$workdir/policy2.txt" 2>/dev/null
    awk 'NR == FNR { want[$1] = $2; next }
         /^[^ ].*:$/ { n = substr($0, 1, length($0) - 1); next }
         /^ (\*\*\*|   ) [^ ]+ -?[0-9]+$/ { v = ($1 == "***") ? $2 : $1; if (want[n] == v) print n, v }' \
      "$workdir/siblings.txt" "$workdir/policy2.txt" >>"$workdir/pins.txt"
  fi

  awk '{ printf "Package: %s\nPin: version %s\nPin-Priority: 1001\n\n", $1, $2 }' \
    "$workdir/pins.txt" >"$(pin_file)"
  say "pinned $(wc -l <"$workdir/pins.txt") packages to the versions of their i386 index"
}

# Tells which packages an install has removed, if any.
report_removed() {
  if grep -q '^The following packages will be REMOVED' "$apt_log"; then
    say "apt removed:$(sed -n '/^The following packages will be REMOVED/,/^[^ ]/{/^ /p}' "$apt_log" | tr -s ' \n' ' ')"
  fi
}

# Installs the packages; if apt cannot resolve them, retries with the pins above.
apt_install() {
  if apt-get install "${apt_opts[@]}" "$@" >"$apt_log" 2>&1; then
    report_removed
    return 0
  fi
  if [ ! -f "$(pin_file)" ]; then
    say "apt could not install $*; retrying with i386 version pins"
    grep -E '^ |^E:' "$apt_log" | head -n 8 | sed 's/^/  /' || true
    if ! write_pins; then
      cat "$apt_log" >&2
      return 1
    fi
  fi
  if ! apt-get install "${apt_opts[@]}" --allow-downgrades "$@" >"$apt_log" 2>&1; then
    cat "$apt_log" >&2
    return 1
  fi
  report_removed
}

add_backports() {
  [ "$codename" = bookworm ] || return 0
  local uri list parts
  eval "$(apt-config shell list Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)"
  grep -qsE '^[^#]*bookworm-backports' "$list" "$parts"* && return 0
  uri="$(apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages' |
    awk '$1 == "bookworm" { print $2; exit }')"
  cat >"${parts:-/etc/apt/sources.list.d/}vqgauge-backports.sources" <<EOF
# Added by VQgauge tools/setup.sh for qemu-user >= 9.1 (see there).
Types: deb
URIs: ${uri:-http://deb.debian.org/debian/}
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  say "added bookworm-backports to the apt sources"
}

# ---------------------------------------------------------------- binfmt

register_binfmt() {
  [ -x "$QEMU_I386" ] || die "$QEMU_I386 is missing"
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
      die "cannot mount binfmt_misc"
  fi
  if [ -e "$BINFMT_ENTRY" ]; then
    if grep -qx "interpreter $QEMU_I386" "$BINFMT_ENTRY"; then
      grep -qx enabled "$BINFMT_ENTRY" || echo 1 >"$BINFMT_ENTRY"
      return 0
    fi
    say "replacing the binfmt_misc entry qemu-i386 ($(sed -n 's/^interpreter //p' "$BINFMT_ENTRY"))"
    echo -1 >"$BINFMT_ENTRY"
  elif i386_runs; then
    return 0 # the kernel runs 32-bit programs itself
  fi
  echo "$BINFMT_RULE" >/proc/sys/fs/binfmt_misc/register
  say "registered $QEMU_I386 with binfmt_misc for 32-bit x86 programs"
}

# ---------------------------------------------------------------- system part

system_setup() {
  read_installed
  local base=() i386=() optional=()
  mapfile -t base < <(missing_from "${BASE_PACKAGES[@]}")
  qemu_ok || base+=(qemu)
  mapfile -t i386 < <(missing_from "${I386_PACKAGES[@]}")
  mapfile -t optional < <(missing_from "${OPTIONAL_PACKAGES[@]}")

  if [ ${#base[@]} -gt 0 ] || [ ${#i386[@]} -gt 0 ] || [ ${#optional[@]} -gt 0 ]; then
    say "installing: ${base[*]} ${i386[*]} ${optional[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    add_backports
    apt_update
    rm -f "$(pin_file)"
    if [ ${#base[@]} -gt 0 ]; then
      local pkgs=() p
      for p in "${base[@]}"; do
        if [ "$p" = qemu ]; then
          if [ "$codename" = bookworm ]; then
            pkgs+=(qemu-user/bookworm-backports)
          else
            pkgs+=(qemu-user)
          fi
        else
          pkgs+=("$p")
        fi
      done
      apt_install "${pkgs[@]}" || die "could not install ${pkgs[*]}"
    fi
  fi

  # Before the i386 packages: their maintainer scripts run i386 programs.
  binfmt_ok || register_binfmt
  binfmt_ok || die "32-bit x86 programs still do not run (see $BINFMT_ENTRY)"

  if [ ${#i386[@]} -gt 0 ]; then
    apt_install "${I386_PACKAGES[@]}" || die "could not install ${I386_PACKAGES[*]}"
  fi
  if [ ${#optional[@]} -gt 0 ]; then
    if apt_install "${OPTIONAL_PACKAGES[@]}"; then
      rm -f "$OPTIONAL_MARK"
    else
      say "warning: could not install ${OPTIONAL_PACKAGES[*]}; the benchmarks will not build"
      mkdir -p "$(dirname "$OPTIONAL_MARK")" && echo "${OPTIONAL_PACKAGES[*]}" >"$OPTIONAL_MARK"
    fi
  fi
  rm -f "$(pin_file)"

  read_installed
  local still=()
  mapfile -t still < <(missing_from "${BASE_PACKAGES[@]}" "${I386_PACKAGES[@]}")
  qemu_ok || still+=("qemu-user (>= $QEMU_MIN_VERSION)")
  [ ${#still[@]} -eq 0 ] || die "still missing: ${still[*]}"
}

needs_system_setup() {
  read_installed
  local optional=("${OPTIONAL_PACKAGES[@]}")
  [ -n "$(find "$OPTIONAL_MARK" -mtime -7 2>/dev/null)" ] && optional=()
  [ -z "$(missing_from "${BASE_PACKAGES[@]}" "${I386_PACKAGES[@]}" "${optional[@]}")" ] &&
    qemu_ok && binfmt_ok && return 1
  return 0
}

if [ "${1:-}" = --system ]; then
  [ "$(id -u)" -eq 0 ] || die "--system needs root"
  system_setup
  exit 0
fi

if needs_system_setup; then
  if [ "$(id -u)" -eq 0 ]; then
    system_setup
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$here/setup.sh" --system
  else
    die "packages or the binfmt registration are missing: run this as root, or install sudo"
  fi
fi

# The Wine prefix belongs to the user who runs the tests: with "sudo
# tools/setup.sh" that is the one who called sudo.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  sudo -u "$SUDO_USER" -H "$here/wine-run.sh" --prepare
else
  "$here/wine-run.sh" --prepare
fi
