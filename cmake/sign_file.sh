#!/usr/bin/env bash
# Signs a Windows file (a DLL, a program or a Windows Installer package) in place with Authenticode:
#   sign_file.sh OSSLSIGNCODE CERT.p12 FILE [TIMESTAMP_URL]
# The certificate's password comes from TANDREL_SIGN_PASSWORD in the environment, through a file only this user
# can read, removed at once, so that it never appears on a command line. Without a TIMESTAMP_URL (or with an
# empty one) it signs without a timestamp.
set -euo pipefail
osslsigncode=$1 cert=$2 file=$3 timestamp=${4:-}
password=$(umask 077 && mktemp)
trap 'rm -f "$password" "$file.signed"' EXIT
printf '%s' "${TANDREL_SIGN_PASSWORD:-}" >"$password"
args=(sign -pkcs12 "$cert" -readpass "$password" -n Tandrel -h sha256 -in "$file" -out "$file.signed")
[ -z "$timestamp" ] || args+=(-ts "$timestamp")
"$osslsigncode" "${args[@]}" >/dev/null || { echo "cannot sign $file" >&2; exit 1; }
mv "$file.signed" "$file"
