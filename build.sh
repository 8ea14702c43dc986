#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   ./build.sh run    install what is missing, build, generate the stock installation, start the editor
#   ./build.sh test   the same set-up, then the whole test suite (AddressSanitizer + UBSan build)
#   ./build.sh bench  the same set-up, then the benchmarks (optimised build)
#   ./build.sh package  the same set-up, then the Debian package (optimised build, CPack) in build/package
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          fonts-liberation2 fonts-cardo fonts-klaudia-berenika fonts-blankenburg
          dpkg-dev file lintian desktop-file-utils appstream shared-mime-info clang-format)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run this, then try again:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "${missing[@]}" >/dev/null 2>&1 || { apt-get update -q >/dev/null && apt-get install -y -q "${missing[@]}"; }
fi

jobs=${K2_JOBS:-2}
configure() { # dir, build type, extra options
    local dir=$1 type=$2; shift 2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
}

make_package() {
    configure build/package Release -DK2_BUILD_TESTS=OFF
    cmake --build build/package -j "$jobs" --target package
}

case "$mode" in
run)
    configure build/release Release -DK2_BUILD_TESTS=OFF
    cmake --build build/release -j "$jobs"
    cd build/release/install
    exec ../keldmar2-editor
    ;;
test)
    # Every source file as the repository's .clang-format writes it.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    configure build/test RelWithDebInfo -DK2_SANITIZE=ON -DK2_BUILD_TESTS=ON
    cmake --build build/test -j "$jobs"
    # The package is checked from outside by one of the tests (tests/package/check_package.sh).
    make_package
    cd build/test
    exec ctest --output-on-failure -j "$jobs" --timeout 600
    ;;
bench)
    configure build/bench Release -DK2_BUILD_TESTS=OFF -DK2_BUILD_BENCH=ON
    cmake --build build/bench -j "$jobs"
    for b in build/bench/bench/k2_bench_*; do "$b" --benchmark_min_time=0.2; done
    ;;
package)
    make_package
    ls build/package/keldmar2-editor_*.deb
    ;;
*)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
