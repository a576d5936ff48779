#!/usr/bin/env bash
# Signing the release (scripts/sign.sh) with a throw-away code-signing certificate: two signings
# give the same bytes, every signature verifies against the certificate, a program with its
# signature removed is the unsigned build's again, and the check anyone can run (sign.sh
# --verify) accepts the signed release and names a release file that is not it. Without a key
# nothing is signed.
#   sign_test.sh DIST_DIR DIST64_DIR ASSET_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sign="$here/../../scripts/sign.sh"
source "$here/../../scripts/release.sh"
dist=$(realpath "$1")
dist64=$(realpath "$2")
unsigned=("$dist" "$dist64" "$(realpath "$3")")
v=$release_display_version

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Zelvo Drives test signer" -addext keyUsage=critical,digitalSignature \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/key.p12" \
    -passout "pass:a test password"

bash "$sign" "$work/none" "${unsigned[@]}" >/dev/null
[ ! -e "$work/none" ] || fail "signed without a key"

export ZELVO_SIGN_PKCS12=$work/key.p12 ZELVO_SIGN_PASSWORD="a test password"
for run in one two; do
    bash "$sign" "$work/$run" "${unsigned[@]}" >/dev/null
done
diff -r -q "$work/one" "$work/two" >&2 || fail "two signings differ"

cd "$work/one"
declare -A archives=([dist]="ZelvoDrives-$v.zip" [dist64]="ZelvoDrives-$v-x64.zip")
for folder in dist dist64; do
    for f in "${signed_files[@]}"; do
        osslsigncode remove-signature -in "$folder/$f" -out "$work/stripped" >/dev/null
        cmp -s "$work/stripped" "${!folder}/$f" ||
            fail "$folder/$f without its signature is not the unsigned build's"
        rm -f "$work/stripped"
        unzip -p "${archives[$folder]}" "Zelvo Drives/$f" | cmp -s - "$folder/$f" ||
            fail "${archives[$folder]} does not carry the signed $f"
    done
done
for f in "${signed_files[@]/#/dist/}" "${signed_files[@]/#/dist64/}" "ZelvoDrivesSetup-$v.exe" \
    uninstall.exe; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >/dev/null 2>&1 ||
        fail "the signature of $f does not verify"
done

# A release whose 64-bit archive was changed after signing.
mkdir "$work/release"
cp "ZelvoDrivesSetup-$v.exe" "ZelvoDrives-$v.zip" "ZelvoDrives-$v-x64.zip" \
    "ZelvoDrives-$v-signatures.zip" "$work/release/"
printf 'changed' >>"$work/release/ZelvoDrives-$v-x64.zip"
if report=$(bash "$sign" --verify "$work/release" "$work/cert.pem" "${unsigned[@]}" 2>&1); then
    fail "the check accepted a changed archive"
fi
[ "$(grep -c '^verified: ' <<<"$report")" -eq 2 ] &&
    grep -q "^FAIL: ZelvoDrives-$v-x64.zip " <<<"$report" || fail "the check reports:"$'\n'"$report"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "signing: all checks passed"
