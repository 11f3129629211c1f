# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# Shared by scripts/run and scripts/test: the repository root, and installing missing Debian
# packages (as root directly, otherwise through sudo).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# What building the game needs.
build_packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins
                libgl-dev fonts-liberation fonts-dejavu-core)

ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep 'install ok installed' >/dev/null \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

jobs() { nproc 2>/dev/null || echo 2; }
