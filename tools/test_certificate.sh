#!/usr/bin/env bash
# Makes a code-signing certificate for the tests, once, in DIR: tandrel-test.p12 (password tandrel-test) to
# sign with, and tandrel-test.pem, the certificate alone, to verify against. Never for release.
set -euo pipefail
dir=$1
[ -e "$dir/tandrel-test.p12" ] && exit 0
mkdir -p "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$dir/tandrel-test.key" -out "$dir/tandrel-test.pem" -days 3650 \
  -subj "/CN=Tandrel test signing, not for release" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$dir/tandrel-test.key" -in "$dir/tandrel-test.pem" -out "$dir/tandrel-test.p12" \
  -passout pass:tandrel-test
rm "$dir/tandrel-test.key"
