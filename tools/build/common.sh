# Shared by ./run and ./test: install the Debian packages the build and the
# tests need (only when something is missing), configure and build, build
# the data.

# What ./run needs to build the programs and their data.
CELVARO_BUILD_PACKAGES=(
  g++ cmake make pkg-config
  libnova-dev libstb-dev qt6-base-dev nlohmann-json3-dev zlib1g-dev
  liberfa-dev  # the IAU's astrometry: frames, sidereal time, refraction, proper motion
  libfontconfig-dev  # the chart command's label fonts
  libturbojpeg0-dev libpng-dev  # photos: decoders made for files from outside
  libindi-dev  # the client library of the INDI mount type
  libgtest-dev libbenchmark-dev  # the test and benchmark programs are part of the tree
  qt6-translations-l10n  # Qt's own texts (file dialogs, standard buttons) in Hungarian and German
  librsvg2-bin  # the icon's picture
  dpkg-dev  # dpkg-buildflags: every build is hardened as a Debian package is
  tzdata  # the city list's time zones
  ca-certificates  # the data builder fetches one source from the npm registry
)
# npm from Debian, unless the machine has an npm of its own (Node.js's own
# packages conflict with Debian's).
command -v npm > /dev/null || CELVARO_BUILD_PACKAGES+=(npm)

# What ./test needs besides: the independent checkers and real peers.
CELVARO_TEST_PACKAGES=(
  qpdf poppler-utils libxml2-utils ghostscript  # independent checks of printed maps
  clang libclang-rt-14-dev llvm  # the fuzz targets: libFuzzer, the sanitizers' runtimes, the symbolizer
  indi-bin  # INDI: the LX200 driver guiding on the guider port, the server and telescope simulator
  xvfb xauth x11-utils  # the installed program's window on a virtual display
  desktop-file-utils appstream man-db file lintian  # the installed tree and the package
)

# missing_packages PKG...: those of the packages that are not installed.
missing_packages() {
  local pkg status
  for pkg in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || echo "$pkg"
  done
}

# install_packages PKG...: installs those missing, as root or through sudo;
# a user without sudo is told in one line what to install as root.
install_packages() {
  local missing
  missing=$(missing_packages "$@" | tr '\n' ' ')
  [[ -z "${missing// }" ]] && return 0
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo > /dev/null; then
      echo "Missing packages; as root, run: apt-get install --no-install-recommends ${missing% }" >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing missing packages: ${missing% }"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  # shellcheck disable=SC2086
  "${sudo[@]}" apt-get install -y -q --no-install-recommends $missing
}

# build_tree DIR [cmake args...]: configure and build with both cores.
build_tree() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j2
}

# build_fuzz_tree DIR: configures a clang tree with the fuzzer's coverage,
# AddressSanitizer and UndefinedBehaviorSanitizer, and builds the fuzz
# targets and their seed corpora.
build_fuzz_tree() {
  local dir=$1
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCELVARO_FUZZ=ON -DCELVARO_BENCHMARKS=OFF
  cmake --build "$dir" --target fuzz_all -j2
}

# test_under_sanitizers: the whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan (the data come from build/), then
# the threaded suites built with ThreadSanitizer in build-tsan: the
# telescope controller with its simulated mounts, the INDI mount against the
# real simulator, the mount simulator, the application model (clock and
# hand-over), celvaro-scope's scripts against the simulated mounts, and
# celvaro-chart, whose data are read on threads of their own. A finding
# fails the run; tools/build/lsan.supp and tools/build/tsan.supp name the
# only leaks and races let through, those inside the libraries the program
# links.
test_under_sanitizers() {
  build_tree build
  build_data build
  build_tree build-asan -DCELVARO_SANITIZE=ON -DCELVARO_BENCHMARKS=OFF
  link_data build-asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS=suppressions=$PWD/tools/build/lsan.supp:print_suppressions=0 \
    ctest --test-dir build-asan --output-on-failure -j2
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCELVARO_THREAD_SANITIZE=ON -DCELVARO_BENCHMARKS=OFF
  local programs=(telescope_tests indi_mount_tests mountsim_tests app_tests scope_tests)
  cmake --build build-tsan -j2 --target "${programs[@]}" celvaro-chart
  link_data build-tsan
  local program
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tools/build/tsan.supp"
  for program in "${programs[@]}"; do
    "build-tsan/tests/$program"
  done
  tests/install/chart_files_test.sh "$PWD/build-tsan/run/celvaro-chart"
}

# link_data TREE: the tree's program directory reads the data of build/.
link_data() {
  rm -rf "$1/run/data"
  ln -s "$PWD/build/run/data" "$1/run/data"
}

# build_data BUILD_DIR: builds the program directory's data files when they
# are missing or older than the builder, which fetches one source with npm.
build_data() {
  "$1/tools/catalogs/celvaro-catalogs" --data "$1/run/data" --if-missing
}
