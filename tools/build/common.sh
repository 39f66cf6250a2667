# Shared by ./run and ./test: install the Debian packages the build needs
# (only when something is missing), then configure and build.

CELVARO_PACKAGES=(
  g++ cmake make pkg-config
  libnova-dev libstb-dev qt6-base-dev
  libgtest-dev libbenchmark-dev
)

missing_packages() {
  local pkg status
  for pkg in "${CELVARO_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || echo "$pkg"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages)
  [[ -z "$missing" ]] && return 0
  echo "Installing missing packages:" $missing
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  # shellcheck disable=SC2086
  "${sudo[@]}" apt-get install -y -q --no-install-recommends $missing
}

# build_tree DIR [cmake args...]: configure (once) and build with both cores.
build_tree() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j2
}
