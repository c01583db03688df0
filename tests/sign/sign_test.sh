#!/usr/bin/env bash
# scripts/sign on copies of both programs: sign_test.sh WIN32_SETUP WIN64_SETUP.
# Under a throwaway self-signed code-signing certificate, it signs the copies
# as the script does by default (build/win32 and build/win64 below
# SETUP_BUILD_DIR), checks each signature with osslsigncode (SHA-256, the
# certificate as the only trusted CA), and runs each signed program under Wine
# with a year that is no release, which it refuses with exit code 5. A wrong
# password must leave a program as it was. Exits 77 (skipped) without
# osslsigncode or openssl.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in osslsigncode openssl; do
  if ! command -v "$tool" >/dev/null; then
    echo "sign_test: $tool not found; skipped" >&2
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
password='throwaway password'
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj '/CN=B-PlotSweep throwaway signer' \
  -addext 'keyUsage=critical,digitalSignature' -addext 'extendedKeyUsage=codeSigning' \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
  -passout "pass:$password"

failures=0
fail() {
  echo "sign_test: FAILED: $*" >&2
  failures=$((failures + 1))
}

mkdir -p "$work/build/win32" "$work/build/win64"
cp "$1" "$work/build/win32/SetUp.exe"
cp "$2" "$work/build/win64/SetUp.exe"
cp "$1" "$work/unsigned.exe"

if "$root/scripts/sign" --pfx "$work/cert.pfx" --password 'not the password' "$work/unsigned.exe"; then
  fail "signed with a wrong password"
fi
cmp -s "$1" "$work/unsigned.exe" || fail "a failed signing changed the program"

SETUP_BUILD_DIR=$work/build SETUP_SIGN_PASSWORD=$password \
  "$root/scripts/sign" --pfx "$work/cert.pfx" --ca-file "$work/cert.pem" || fail "scripts/sign"

ran=0
for arch in win32 win64; do
  program=$work/build/$arch/SetUp.exe
  if ! report=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$program" 2>&1); then
    printf '%s\n' "$report" >&2
    fail "the $arch program's signature does not verify"
  fi
  grep -q '^Message digest algorithm *: SHA256' <<<"$report" || fail "the $arch program: no SHA-256 digest"
  status=0
  "$root/scripts/wine-run" "$arch" "$program" /S /R=2099 || status=$?
  case $status in
    5) ran=$((ran + 1)) ;;
    77) echo "sign_test: $arch programs do not run here; the signed one was not started" >&2 ;;
    *) fail "the signed $arch program ended with $status, not 5" ;;
  esac
done

[ "$failures" -eq 0 ] || exit 1
echo "sign_test: both programs signed and verified; $ran of them ran signed"
