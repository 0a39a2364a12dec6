#!/usr/bin/env bash
# Builds the Debian package of the game from this checkout: a Release build
# with Debian's default build flags (dpkg-buildflags, all hardening), installed
# as Debian's games policy has it, and OUT/plumfizz_<version>_<arch>.deb,
# checked by lintian (no error, no warning).
#
#   scripts/package-deb.sh OUT
#
# The build directory is build-deb in the checkout (PLUMFIZZ_DEB_BUILD_DIR
# names another). Installs what it needs itself, as scripts/setup.sh does.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 OUT  (the directory the .deb is written to)" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${PLUMFIZZ_DEB_BUILD_DIR:-$source_dir/build-deb}
packaging=$source_dir/data/deb

# --- What the build and the packaging need.
"$source_dir/scripts/setup.sh"
needs=(dpkg-dev lintian)
missing=()
for pkg in "${needs[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || {
            echo "Missing: ${missing[*]}; as root run: apt-get install --no-install-recommends ${missing[*]}" >&2
            exit 1
        }
        SUDO=(sudo)
    fi
    echo "Installing missing packages: ${missing[*]}"
    "${SUDO[@]}" apt-get update -q
    "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# --- The Release build with Debian's flags. CMake reads no CPPFLAGS (where
# _FORTIFY_SOURCE is), so they go with the compiler's flags; the build type
# adds only NDEBUG, leaving the optimisation level to Debian's flags.
cd "$source_dir"
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$source_dir" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
cmake --build "$build" -j"$(nproc)"

# --- The package's tree.
stage=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-deb.XXXXXX")
trap 'rm -rf "$stage"' EXIT
root=$stage/root
DESTDIR=$root cmake --install "$build" >"$stage/install.log"
# Stripped as dh_strip does it.
for program in "$root"/usr/games/*; do
    strip --remove-section=.comment --remove-section=.note --strip-unneeded "$program"
done
gzip -9n "$root"/usr/share/man/man6/*.6
doc=$root/usr/share/doc/plumfizz
install -d "$doc"
install -m 644 "$packaging/copyright" "$doc/copyright"
gzip -9n <"$packaging/changelog" >"$doc/changelog.Debian.gz"
chmod 644 "$doc/changelog.Debian.gz"
if [ -f "$packaging/lintian-overrides" ]; then
    install -d "$root/usr/share/lintian/overrides"
    install -m 644 "$packaging/lintian-overrides" "$root/usr/share/lintian/overrides/plumfizz"
fi

# The version is the project's with the package's revision.
project_version=$(sed -n 's/^project(Plumfizz VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
mkdir -p "$stage/debian"
cp "$packaging/control" "$stage/debian/control"
cp "$packaging/changelog" "$stage/debian/changelog"
version=$(cd "$stage" && dpkg-parsechangelog -S Version)
[ "${version%-*}" = "$project_version" ] ||
    { echo "data/deb/changelog is at $version; the project is at $project_version" >&2; exit 1; }

# --- Depends from the libraries the programs link, then the control file.
mkdir -p "$root/DEBIAN"
(
    cd "$stage"
    dpkg-shlibdeps -Tdebian/substvars "$root"/usr/games/*
    dpkg-gencontrol -pplumfizz -P"$root" -Tdebian/substvars
)
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
package=$out/plumfizz_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$package" >/dev/null
echo "wrote $package"

# --- lintian: no error and no warning.
lintian --fail-on error,warning --info "$package"
echo "lintian: no errors or warnings"
