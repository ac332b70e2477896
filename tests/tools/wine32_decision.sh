#!/usr/bin/env bash
# tools/wine32-decision against simulated dpkg and apt answers: the 32-bit Wine installed,
# installable, refused for the mirror's skew (the only case in which the rest goes on
# without it), and refused for other reasons.
set -uo pipefail
decision=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
# dpkg-query prints $DPKG; apt-get prints $WITH_WINE32 (or $WITHOUT_WINE32 when wine32:i386 is
# not asked for) and exits 100 when that text holds an "E:" line.
cat >"$fake/dpkg-query" <<'FAKE'
#!/bin/sh
printf '%s' "$DPKG"
FAKE
cat >"$fake/apt-get" <<'FAKE'
#!/usr/bin/env bash
answer=$WITHOUT_WINE32
[[ " $* " == *" wine32:i386 "* ]] && answer=$WITH_WINE32
printf '%s\n' "$answer"
[[ $answer != *"E: "* ]] || exit 100
FAKE
chmod +x "$fake/dpkg-query" "$fake/apt-get"

index_failure='E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]'
network_failure='E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/InRelease  Temporary failure resolving '"'"'deb.debian.org'"'"
held=$' libcurl4:i386 : Depends: libssl3:i386 (>= 3.0.0) but it is not going to be installed\nE: Unable to correct problems, you have held broken packages.'
skew_line='skew "E: Unable to correct problems, you have held broken packages." after apt-get update: "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz File has unexpected size (374820 != 376004). Mirror sync in progress?"'
held_line='refused "E: Unable to correct problems, you have held broken packages."'
none=''
installed_line=installed
installable_line=installable

failures=0
# name | dpkg | apt-get update's output | apt's answer with wine32:i386 | without it | expected line
while IFS='|' read -r name dpkg update with without expected; do
  printf '%s\n' "${!update}" >"$fake/update.log"
  actual=$(PATH=$fake:$PATH DPKG=$dpkg WITH_WINE32=${!with} WITHOUT_WINE32=${!without} \
    "$decision" "$fake/update.log" wine64 libgnustep-gui-dev)
  if [[ $actual == "${!expected}" ]]; then
    echo "ok: $name"
  else
    echo "FAILED: $name: got [$actual], expected [${!expected}]"
    failures=$((failures + 1))
  fi
done <<'CASES'
installed: nothing asked of apt|install ok installed|index_failure|held|held|installed_line
installable: apt would install it|install ok not-installed|index_failure|none|none|installable_line
skew: an i386 index failed, only wine32 refused|install ok not-installed|index_failure|held|none|skew_line
refused: the amd64 packages refused as well|install ok not-installed|index_failure|held|held|held_line
refused: the lists agree, the refusal is real|install ok not-installed|none|held|none|held_line
refused: a network failure is no skew|install ok not-installed|network_failure|held|none|held_line
CASES
exit $((failures > 0))
