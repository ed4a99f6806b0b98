#!/usr/bin/env bash
# sign-package.sh KEY.pem PACKAGE : prints the version file's line
# "signature=<base64>" for an update package: the base64 text of the DER
# ECDSA P-256 signature over SHA-256 of the package's bytes, made with the
# maker's private key (README: "Signing a release").
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: sign-package.sh KEY.pem PACKAGE" >&2
  exit 2
fi
key=$1
package=$2
for file in "$key" "$package"; do
  if [ ! -f "$file" ] || [ ! -r "$file" ]; then
    echo "sign-package.sh: cannot read $file" >&2
    exit 1
  fi
done
# The programs check with a P-256 key only: any other key's signature would
# be refused by every updater.
if ! openssl pkey -in "$key" -noout -text 2>/dev/null | grep -q "ASN1 OID: prime256v1"; then
  echo "sign-package.sh: $key is not an ECDSA P-256 private key" >&2
  exit 1
fi
# The package comes in on standard input: no file name is read as an option.
signature=$(openssl dgst -sha256 -sign "$key" < "$package" | base64 -w0)
echo "signature=$signature"
