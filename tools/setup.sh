#!/usr/bin/env bash
# Installs whatever tools/deps.txt lists and the machine lacks, then builds
# the program into build/ (the program folder is build/oravians/).
#   bash tools/setup.sh              install and build
#   bash tools/setup.sh install      install only
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export DEBIAN_FRONTEND=noninteractive

install_missing() {
    local wanted=() missing=() pkg
    read -r -a wanted <<<"$(sed 's/#.*//' tools/deps.txt | tr '\n' ' ')"
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]} == 0)); then
        echo "== All ${#wanted[@]} packages are installed."
        return 0
    fi
    echo "== Installing ${#missing[@]} missing packages: ${missing[*]}"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        command -v sudo >/dev/null || { echo "Run as root (or install sudo) to install packages." >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

build_program() {
    echo "== Building build/ (program and content)"
    # In batches of source files (a unity build): each batch reads the Qt
    # headers once, which takes a third off the build.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON
    cmake --build build -j2
}

case ${1:-all} in
    install) install_missing ;;
    build) build_program ;;
    all) install_missing; build_program ;;
    *) echo "usage: $0 [install|build|all]" >&2; exit 2 ;;
esac
