#!/usr/bin/env bash
# Runs a command (tests) and fails if it changed the user's own Quib
# settings file: every process a test starts must have settings of its own.
#   keeps-settings.sh COMMAND [ARGUMENT]...
set -uo pipefail
settings="${XDG_CONFIG_HOME:-$HOME/.config}/Local AppWizard-Generated Applications/Quib.conf"
fingerprint() {
    if [[ -e $settings ]]; then
        echo "sha256 $(sha256sum <"$settings" | cut -c1-16)"
    else
        echo absent
    fi
}
before=$(fingerprint)
status=0
"$@" || status=$?
after=$(fingerprint)
if [[ $after != "$before" ]]; then
    echo "keeps-settings: FAILED: '$*' changed the user's settings file '$settings'" \
        "($before before, $after after): a test started a program without a private" \
        "XDG_CONFIG_HOME" >&2
    exit 1
fi
exit "$status"
