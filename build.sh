#!/usr/bin/env bash
# Sets up, builds and runs the NUV editor on a Debian machine.
#   ./build.sh test    install what is missing; build, check that every header compiles on its own, run every
#                      test, then the same under AddressSanitizer and UndefinedBehaviorSanitizer, then each
#                      fuzz target for a minute
#   ./build.sh run     install what is missing, build, convert the sample map with tobrel
set -euo pipefail
cd "$(dirname "$0")"

BUILD_DIR=${BUILD_DIR:-build}
SANITIZE_BUILD_DIR=${SANITIZE_BUILD_DIR:-build-asan}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
# clang, its sanitizer and libFuzzer runtimes and llvm-symbolizer serve the sanitizer build and the fuzzers;
# xmllint and poppler's tools read back what the tests write; the editor and its printouts draw Japanese text
# with the IPA Gothic face; the toolkit's own texts (standard buttons, file dialogs) come in Japanese from its
# translations; links in a document open through the desktop's opener, xdg-open; a FAT image mounted through FUSE
# (dosfstools, fusefat) gives the tests a file system that cannot set permission bits.
PACKAGES=(g++ cmake ninja-build qt6-base-dev libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev
          libxml2-utils clang libclang-rt-14-dev llvm poppler-utils fonts-ipafont-gothic qt6-translations-l10n
          xdg-utils dosfstools fusefat)

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD_DIR" --parallel
}

# The same sources with clang under the sanitizers, plus the fuzz targets.
build_sanitized() {
    cmake -S . -B "$SANITIZE_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_COMPILER=clang++ -DNUV_SANITIZE=ON -DNUV_FUZZ=ON >/dev/null
    cmake --build "$SANITIZE_BUILD_DIR" --parallel
}

case "${1:-}" in
test)
    install_missing_packages
    build
    # Every public header compiles on its own.
    cmake --build "$BUILD_DIR" --parallel --target all_verify_interface_header_sets
    ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
    build_sanitized
    ctest --test-dir "$SANITIZE_BUILD_DIR" --output-on-failure --parallel "$(nproc)"
    fuzz/run.sh "$SANITIZE_BUILD_DIR" "$FUZZ_SECONDS"
    ;;
run)
    install_missing_packages
    build
    # The sample is converted as a copy in the build directory, so the repository stays clean.
    mkdir -p "$BUILD_DIR/samples"
    cp samples/rice-cooker.mm "$BUILD_DIR/samples/"
    "$BUILD_DIR/tobrel" "$BUILD_DIR/samples/rice-cooker.mm"
    echo "Written: $(realpath "$BUILD_DIR/samples/rice-cooker.nuv")"
    ;;
*)
    echo "usage: $0 test|run" >&2
    exit 2
    ;;
esac
