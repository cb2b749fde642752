# SPDX-License-Identifier: MIT
# Sourced: install_missing PACKAGE... installs those of Debian's packages named that are not
# installed yet, with apt-get (through sudo when not run as root).
install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -n "$missing" ] || return 0
  echo "Installing:$missing" >&2
  as_root=""
  [ "$(id -u)" -eq 0 ] || as_root=sudo
  $as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing
}
