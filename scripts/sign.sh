#!/usr/bin/env bash
# Signs the release with the releaser's code-signing key, and lets anyone check a signed release
# against a build of its sources.
#
#   sign.sh [OUT_DIR [DIST_DIR DIST64_DIR ASSET_DIR]]
#       Signs, when the environment gives a key (below); without one it signs nothing and says so.
#       From the unsigned release (defaults: build/dist, build/dist64, build/win32/assets), it
#       writes to OUT_DIR (default build/signed): both application folders with their programs
#       signed, the release files packed from them (the uninstaller and the installer signed while
#       the installer is built), the signed uninstaller as setup writes it (uninstall.exe), and
#       ZelvoDrives-V-signatures.zip: every signature alone, for checking the release.
#       OUT_DIR is replaced only when it is missing, empty or holds nothing but what sign.sh
#       writes; the release is signed into a new folder beside it, which takes its place only
#       once everything succeeded, so that a failure leaves OUT_DIR as it was. The key and its
#       certificate are checked before anything is signed.
#   sign.sh --verify RELEASE_DIR [CA_FILE [DIST_DIR DIST64_DIR ASSET_DIR]]
#       Checks a signed release (its installer, archives and signatures archive in RELEASE_DIR):
#       the unsigned release built here, with the release's signatures attached, must give every
#       release file byte for byte, and each signature must verify against CA_FILE (default: the
#       system's certificate authorities).
#
# The key: ZELVO_SIGN_PKCS12, a PKCS#12 file holding the key and its certificates; or
# ZELVO_SIGN_PKCS11_MODULE, ZELVO_SIGN_PKCS11_KEY (the key's pkcs11: URI) and ZELVO_SIGN_CERTS
# (its certificates, PEM) for a key on a PKCS#11 token (ZELVO_SIGN_PKCS11_ENGINE names the
# OpenSSL engine if osslsigncode does not find it). ZELVO_SIGN_PASSWORD is the file's password
# or the token's PIN.
#
# Authenticode with SHA-256, signed at the source time (source_epoch in release.sh) instead of
# now, so that two signings of the same build give the same bytes; no time-stamp server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/release.sh"
version=$release_display_version
releases=("ZelvoDrivesSetup-$version.exe" "ZelvoDrives-$version.zip" "ZelvoDrives-$version-x64.zip")
signatures_archive="ZelvoDrives-$version-signatures.zip"

die() {
    echo "sign.sh: $*" >&2
    exit 1
}

# The key's arguments to osslsigncode, in key; false when the environment names no key.
key_arguments() {
    if [ -n "${ZELVO_SIGN_PKCS12:-}" ]; then
        key=(-pkcs12 "$ZELVO_SIGN_PKCS12")
    elif [ -n "${ZELVO_SIGN_PKCS11_KEY:-}" ]; then
        [ -n "${ZELVO_SIGN_PKCS11_MODULE:-}" ] && [ -n "${ZELVO_SIGN_CERTS:-}" ] ||
            die "a PKCS#11 key needs ZELVO_SIGN_PKCS11_MODULE and ZELVO_SIGN_CERTS too"
        key=(-pkcs11module "$ZELVO_SIGN_PKCS11_MODULE" -key "$ZELVO_SIGN_PKCS11_KEY"
             -certs "$ZELVO_SIGN_CERTS")
        [ -z "${ZELVO_SIGN_PKCS11_ENGINE:-}" ] || key+=(-pkcs11engine "$ZELVO_SIGN_PKCS11_ENGINE")
    else
        return 1
    fi
    # The password from a file of this run, not from the command line that others can list.
    [ -z "${ZELVO_SIGN_PASSFILE:-}" ] || key+=(-readpass "$ZELVO_SIGN_PASSFILE")
}

# The names that sign.sh writes into OUT_DIR: an OUT_DIR that holds anything else is not ours to
# replace.
is_signed_release_entry() {
    case "$1" in
    dist | dist64 | uninstall.exe | ZelvoDrivesSetup-*.exe | ZelvoDrives-*.zip) return 0 ;;
    *) return 1 ;;
    esac
}

# Refuses an OUT_DIR that sign.sh may not replace.
check_out_dir() {
    local entry
    [ -e "$1" ] || [ -L "$1" ] || return 0
    [ -d "$1" ] && [ ! -L "$1" ] || die "$1 is not a folder that sign.sh wrote: name a new one"
    for entry in "$1"/* "$1"/.[!.]* "$1"/..?*; do
        [ -e "$entry" ] || [ -L "$entry" ] || continue
        is_signed_release_entry "$(basename "$entry")" ||
            die "$1 holds $(basename "$entry"), which sign.sh did not write: name a new or" \
                "empty folder, or one of an earlier signing"
    done
}

# The certificates of the key, PEM, into ZELVO_SIGN_CHAIN, the signer's first. A PKCS#12 file is
# opened with the password here, so that a wrong one stops before anything is signed; a token's PIN
# is never tried on its own (each try counts against its lockout): the first signing tries it.
key_certificates() {
    local pass=(-passin pass:) legacy
    [ -z "${ZELVO_SIGN_PASSFILE:-}" ] || pass=(-passin "file:$ZELVO_SIGN_PASSFILE")
    if [ -n "${ZELVO_SIGN_PKCS12:-}" ]; then
        [ -f "$ZELVO_SIGN_PKCS12" ] || die "$ZELVO_SIGN_PKCS12: no such file"
        # Files of older tools use ciphers that OpenSSL 3 keeps among its legacy ones.
        for legacy in "" -legacy; do
            if openssl pkcs12 $legacy -in "$ZELVO_SIGN_PKCS12" -noout "${pass[@]}" 2>/dev/null; then
                openssl pkcs12 $legacy -in "$ZELVO_SIGN_PKCS12" -nokeys -clcerts "${pass[@]}" \
                    2>/dev/null >"$ZELVO_SIGN_CHAIN"
                openssl pkcs12 $legacy -in "$ZELVO_SIGN_PKCS12" -nokeys -cacerts "${pass[@]}" \
                    2>/dev/null >>"$ZELVO_SIGN_CHAIN"
                return 0
            fi
        done
        die "$ZELVO_SIGN_PKCS12 cannot be opened with the password given (ZELVO_SIGN_PASSWORD)"
    fi
    [ -f "$ZELVO_SIGN_CERTS" ] || die "$ZELVO_SIGN_CERTS: no such file"
    cp "$ZELVO_SIGN_CERTS" "$ZELVO_SIGN_CHAIN"
}

# Seconds since the epoch of one of a certificate's dates (startdate or enddate).
certificate_time() {
    date -u -d "$(openssl x509 -in "$ZELVO_SIGN_CHAIN" -noout "-$1" | cut -d= -f2-)" +%s
}

# Stops unless the signer's certificate allows code signing and is valid at the source time and
# now: the signatures carry the source time and no time stamp, so Windows checks the
# certificate's dates itself.
check_certificate() {
    local extensions from until now epoch
    openssl x509 -in "$ZELVO_SIGN_CHAIN" -noout 2>/dev/null ||
        die "no certificate found for the key (ZELVO_SIGN_PKCS12 or ZELVO_SIGN_CERTS)"
    extensions=$(openssl x509 -in "$ZELVO_SIGN_CHAIN" -noout -ext extendedKeyUsage,keyUsage 2>/dev/null)
    if grep -q 'Extended Key Usage' <<<"$extensions" &&
        ! grep -q -E 'Code Signing|Any Extended Key Usage' <<<"$extensions"; then
        die "the certificate is not for code signing (its extended key usage:" \
            "$(grep -A1 'Extended Key Usage' <<<"$extensions" | tail -1 | sed 's/^ *//')):" \
            "Windows would not accept its signatures"
    fi
    if grep -q 'X509v3 Key Usage' <<<"$extensions" && ! grep -q 'Digital Signature' <<<"$extensions"; then
        die "the certificate's key usage does not allow digital signatures:" \
            "Windows would not accept its signatures"
    fi
    from=$(certificate_time startdate)
    until=$(certificate_time enddate)
    now=$(date -u +%s)
    epoch=$(source_epoch)
    [ "$from" -le "$epoch" ] && [ "$epoch" -le "$until" ] ||
        die "the certificate is not valid at the source time ($(date -u -d "@$epoch")), which" \
            "the signatures carry"
    [ "$from" -le "$now" ] && [ "$now" -le "$until" ] || die "the certificate is not valid now"
}

# Signs FILE in place (or, when verifying, attaches the release's signature of NAME to it) and
# keeps its signature as $ZELVO_SIGNATURES/NAME.p7s. A signed file made outside the output folder
# (the uninstaller, while the installer is built) is also copied into it as NAME.
sign_file() {
    local file=$1 name=$2 signature="$ZELVO_SIGNATURES/$2.p7s" key log
    rm -f "$file.signed"
    if [ -n "${ZELVO_SIGN_CA_FILE:-}" ]; then
        [ -f "$signature" ] || die "the release has no signature of $name"
        if ! log=$(osslsigncode attach-signature -sigin "$signature" -CAfile "$ZELVO_SIGN_CA_FILE" \
            -in "$file" -out "$file.signed" 2>&1); then
            rm -f "$file.signed"
            grep -i -E 'fail|error|mismatch' <<<"$log" >&2 || true
            die "the release's signature of $name does not verify, for this build against" \
                "$ZELVO_SIGN_CA_FILE"
        fi
    else
        key_arguments
        mkdir -p "$(dirname "$signature")"
        # The first signing is also the first use of a token's PIN: a failure stops at once.
        if ! log=$(osslsigncode sign "${key[@]}" -h sha256 -time "$(source_epoch)" \
            -n "Zelvo Drives" -in "$file" -out "$file.signed" 2>&1); then
            rm -f "$file.signed"
            printf '%s\n' "$log" >&2
            die "signing $name failed (above): nothing was signed into the output folder"
        fi
        rm -f "$signature"
        osslsigncode extract-signature -in "$file.signed" -out "$signature" >/dev/null
        verify_first_signature "$file.signed" "$name"
    fi
    mv -f "$file.signed" "$file"
    [ "$file" -ef "$ZELVO_SIGNED_DIR/$name" ] || cp "$file" "$ZELVO_SIGNED_DIR/$name"
}

# The first signature made is checked against the releaser's certificates (and the system's
# authorities, for a chain that stops short of its root), as Windows would check it.
verify_first_signature() {
    local log trusted=$ZELVO_SIGN_CHAIN.trusted
    [ ! -f "$trusted" ] || return 0
    cat "$ZELVO_SIGN_CHAIN" >"$trusted.new"
    [ ! -f /etc/ssl/certs/ca-certificates.crt ] || cat /etc/ssl/certs/ca-certificates.crt >>"$trusted.new"
    if ! log=$(osslsigncode verify -CAfile "$trusted.new" -in "$1" 2>&1); then
        grep -i -E 'fail|error|unsupported|mismatch' <<<"$log" >&2 || true
        die "the signature of $2 does not verify against the key's certificates:" \
            "Windows would not accept it"
    fi
    mv "$trusted.new" "$trusted"
}

# A copy of an unsigned application folder, as ZELVO_SIGNED_DIR/NAME, with its programs signed.
sign_folder() {
    local name=$1 from=$2 f
    mkdir -p "$ZELVO_SIGNED_DIR/$name"
    for f in "${shipped_files[@]}"; do
        cp "$from/$f" "$ZELVO_SIGNED_DIR/$name/$f"
    done
    for f in "${signed_files[@]}"; do
        sign_file "$ZELVO_SIGNED_DIR/$name/$f" "$name/$f"
    done
}

# The signed release in ZELVO_SIGNED_DIR, a new folder, from the unsigned application folders.
sign_release() {
    sign_folder dist "$1"
    sign_folder dist64 "$2"
    ZELVO_INSTALLER_SIGN="bash $(printf '%q' "$root/scripts/sign.sh") --file" \
        bash "$root/scripts/package.sh" "$ZELVO_SIGNED_DIR/dist" "$ZELVO_SIGNED_DIR/dist64" \
        "$ZELVO_SIGNED_DIR" "$3" >/dev/null
}

# The unsigned release this signs or checks against; built by scripts/build.sh.
unsigned_release() {
    dist=$(realpath "${1:-$root/build/dist}")
    dist64=$(realpath "${2:-$root/build/dist64}")
    assets=$(realpath "${3:-$root/build/win32/assets}")
    local f
    for f in "${shipped_files[@]/#/$dist/}" "${shipped_files[@]/#/$dist64/}"; do
        [ -f "$f" ] || die "$f is missing: build the release first (scripts/build.sh)"
    done
}

if [ "${1:-}" = --file ]; then
    sign_file "$2" "$3"
    exit 0
fi

command -v osslsigncode >/dev/null || die "needs osslsigncode (scripts/setup.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELVO_SIGNATURES=$work/signatures ZELVO_SIGNED_DIR

if [ "${1:-}" = --verify ]; then
    release=$(realpath "$2")
    export ZELVO_SIGN_CA_FILE=${3:-/etc/ssl/certs/ca-certificates.crt}
    unsigned_release "${@:4}"
    mkdir -p "$ZELVO_SIGNATURES"
    unzip -q "$release/$signatures_archive" -d "$ZELVO_SIGNATURES"
    ZELVO_SIGNED_DIR=$work/signed
    sign_release "$dist" "$dist64" "$assets"
    failures=0
    for f in "${releases[@]}"; do
        if cmp -s "$release/$f" "$ZELVO_SIGNED_DIR/$f"; then
            echo "verified: $f"
        else
            echo "FAIL: $f is not this build with the release's signatures" >&2
            failures=$((failures + 1))
        fi
    done
    [ "$failures" -eq 0 ] || exit 1
    osslsigncode verify -CAfile "$ZELVO_SIGN_CA_FILE" -in "$release/${releases[0]}" 2>/dev/null |
        sed -n 's/^[[:space:]]*Subject: /signed by: /p' | head -1
    exit 0
fi

unset ZELVO_SIGN_CA_FILE ZELVO_SIGN_PASSFILE
if ! key_arguments; then
    echo "sign.sh: no key given (ZELVO_SIGN_PKCS12 or ZELVO_SIGN_PKCS11_KEY): nothing signed"
    exit 0
fi
if [ -n "${ZELVO_SIGN_PASSWORD+set}" ]; then
    export ZELVO_SIGN_PASSFILE=$work/password
    (umask 077 && printf '%s' "$ZELVO_SIGN_PASSWORD" >"$ZELVO_SIGN_PASSFILE")
fi
out=$(realpath -m "${1:-$root/build/signed}")
check_out_dir "$out"
unsigned_release "${@:2}"
export ZELVO_SIGN_CHAIN=$work/chain.pem
key_certificates
check_certificate
# Signed beside OUT_DIR, on its file system, so that the finished release moves into its place.
mkdir -p "$(dirname "$out")"
ZELVO_SIGNED_DIR=$(mktemp -d "$(dirname "$out")/.$(basename "$out").signing.XXXXXX")
trap 'rm -rf "$work" "$ZELVO_SIGNED_DIR"' EXIT
sign_release "$dist" "$dist64" "$assets"

# The signatures alone, packed as the archives are: one time, sorted names, no extras.
epoch=$(source_epoch)
find "$ZELVO_SIGNATURES" -type f -exec chmod 0644 {} +
find "$ZELVO_SIGNATURES" -exec touch -h -d "@$epoch" {} +
(cd "$ZELVO_SIGNATURES" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
    TZ=UTC zip -q -X -D -9 "$ZELVO_SIGNED_DIR/$signatures_archive" -@)

# Everything succeeded: the new release takes OUT_DIR's place, and the earlier one goes.
old=""
if [ -e "$out" ]; then
    old=$(mktemp -u "$(dirname "$out")/.$(basename "$out").old.XXXXXX")
    mv "$out" "$old"
fi
if ! mv "$ZELVO_SIGNED_DIR" "$out"; then
    [ -z "$old" ] || mv "$old" "$out"
    die "the signed release could not take the place of $out, which stays as it was"
fi
[ -z "$old" ] || rm -rf "$old"
for f in "${releases[@]}" "$signatures_archive"; do
    echo "Signed release file: $out/$f"
done
