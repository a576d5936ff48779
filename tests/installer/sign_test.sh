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
source "$here/../checks.sh"
dist=$(realpath "$1")
dist64=$(realpath "$2")
unsigned=("$dist" "$dist64" "$(realpath "$3")")
v=$release_display_version

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A throw-away self-signed key as NAME.p12 (and its certificate as NAME.pem), for the extended
# key usage given, valid from 2000 on: before the source time that the signatures carry.
make_key() {
    local name=$1 usage=$2 ca="$work/ca-$1"
    mkdir -p "$ca"
    : >"$ca/index.txt"
    printf '[ca]\ndefault_ca=own\n[own]\ndatabase=%s/index.txt\nnew_certs_dir=%s\n' "$ca" "$ca" \
        >"$ca/ca.cnf"
    printf 'rand_serial=yes\ndefault_md=sha256\npolicy=any\nunique_subject=no\n[any]\n' >>"$ca/ca.cnf"
    printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$usage" >"$ca/ext.cnf"
    openssl req -new -newkey rsa:2048 -nodes -keyout "$ca/key.pem" -out "$ca/req.pem" \
        -subj "/CN=Zelvo Drives test $name" 2>/dev/null
    openssl ca -batch -selfsign -config "$ca/ca.cnf" -keyfile "$ca/key.pem" -in "$ca/req.pem" \
        -startdate 20000101000000Z -enddate 20991231000000Z -extfile "$ca/ext.cnf" \
        -out "$work/$name.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$ca/key.pem" -in "$work/$name.pem" -out "$work/$name.p12" \
        -passout "pass:a test password"
}
make_key signer codeSigning
make_key server serverAuth

bash "$sign" "$work/none" "${unsigned[@]}" >/dev/null
[ ! -e "$work/none" ] || fail "signed without a key"

export ZELVO_SIGN_PKCS12=$work/signer.p12 ZELVO_SIGN_PASSWORD="a test password"
# The second signing replaces what the first wrote in the same folder.
for run in one two two; do
    bash "$sign" "$work/$run" "${unsigned[@]}" >/dev/null
done
diff -r -q "$work/one" "$work/two" >&2 || fail "two signings differ"

# Refusals: each before anything is written, leaving the folder named as it was.
snapshot() {
    (cd "$work" && find "$1" -printf '%p\n' -type f -exec md5sum {} + 2>/dev/null || true) | sort
}
mkdir "$work/foreign"
echo "the releaser's own" >"$work/foreign/notes.txt"
declare -A refused=(
    [foreign]="a folder of other files|$work/signer.p12|a test password"
    [server]="a certificate not for code signing|$work/server.p12|a test password"
    [wrong]="a wrong password|$work/signer.p12|not the password"
    [two]="a wrong password over an earlier signing|$work/signer.p12|not the password"
)
for out in "${!refused[@]}"; do
    IFS='|' read -r case p12 password <<<"${refused[$out]}"
    before=$(snapshot "$out")
    if ZELVO_SIGN_PKCS12=$p12 ZELVO_SIGN_PASSWORD=$password \
        bash "$sign" "$work/$out" "${unsigned[@]}" >/dev/null 2>&1; then
        fail "signed with $case"
    fi
    [ "$(snapshot "$out")" = "$before" ] ||
        fail "$case changed $out"
done
[ -z "$(find "$work" -maxdepth 1 -name '.*.signing.*')" ] || fail "a failed signing left its folder"

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
    osslsigncode verify -CAfile "$work/signer.pem" -in "$f" >/dev/null 2>&1 ||
        fail "the signature of $f does not verify"
done

# A release whose 64-bit archive was changed after signing.
mkdir "$work/release"
cp "ZelvoDrivesSetup-$v.exe" "ZelvoDrives-$v.zip" "ZelvoDrives-$v-x64.zip" \
    "ZelvoDrives-$v-signatures.zip" "$work/release/"
printf 'changed' >>"$work/release/ZelvoDrives-$v-x64.zip"
if report=$(bash "$sign" --verify "$work/release" "$work/signer.pem" "${unsigned[@]}" 2>&1); then
    fail "the check accepted a changed archive"
fi
[ "$(grep -c '^verified: ' <<<"$report")" -eq 2 ] &&
    grep -q "^FAIL: ZelvoDrives-$v-x64.zip " <<<"$report" || fail "the check reports:"$'\n'"$report"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "signing: all checks passed"
