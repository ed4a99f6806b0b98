#!/usr/bin/env bash
# make-signature-fixtures.sh OUT_DIR : the packages and signatures the
# package signature tests check, made afresh by every build with openssl
# and the release script (scripts/sign-package.sh) from the test key pair.
#   package.bin, other-package.bin  two packages of random bytes
#   test-key.der                     the test public key as DER SubjectPublicKeyInfo
#   package.sig                      package.bin signed with the test key (base64)
#   other-key.sig                    package.bin signed with a key made here
#   truncated.sig                    package.sig's DER cut short by five bytes
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
key=$root/tests/data/test-update-key.pem
mkdir -p "$out"
cd "$out"
openssl rand -out package.bin 150000
openssl rand -out other-package.bin 150000
openssl ecparam -name prime256v1 -genkey -noout -out other-key.pem
openssl pkey -pubin -in "$root/tests/data/test-update-key.pub.pem" -outform DER -out test-key.der
signature() { bash "$root/scripts/sign-package.sh" "$1" "$2" | sed 's/^signature=//' | tr -d '\n'; }
signature "$key" package.bin > package.sig
signature other-key.pem package.bin > other-key.sig
base64 -d < package.sig > package.sig.der
head -c $(($(stat -c %s package.sig.der) - 5)) package.sig.der | base64 -w0 > truncated.sig
