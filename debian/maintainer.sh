#!/bin/sh
# SPDX-License-Identifier: MIT
# The Maintainer of a package built here is whoever builds it, named as dch names them: DEBEMAIL
# (or EMAIL), either "Name <address>" or an address with the name in DEBFULLNAME (or NAME, or
# the account's full name). Prints nothing when no address is set: debian/control's fallback,
# which is no real address, stays.
set -eu
email=${DEBEMAIL:-${EMAIL:-}}
case $email in
  "") ;;
  *"<"*">"*) echo "$email" ;;
  *)
    name=${DEBFULLNAME:-${NAME:-$(getent passwd "$(id -un)" | cut -d: -f5 | cut -d, -f1)}}
    echo "$name <$email>"
    ;;
esac
