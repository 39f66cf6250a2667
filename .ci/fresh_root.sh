# Fresh Debian 12 roots for CI, made and entered from this machine.
# Sourced by .ci/run.

# What reaches the registries from here is passed into every root.
CI_PASSED_VARIABLES=(http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY
  SSL_CERT_FILE SSL_CERT_DIR CURL_CA_BUNDLE NODE_EXTRA_CA_CERTS REQUESTS_CA_BUNDLE)

# as_root COMMAND...: as root, through sudo unless this is root already.
as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

# can_make_roots: root (or sudo without a password) and private mount and
# process namespaces are to be had here.
can_make_roots() {
  { [[ $(id -u) -eq 0 ]] || sudo -n true 2> /dev/null; } && as_root unshare --mount --pid --fork true 2> /dev/null
}

# make_fresh_root DIR [PACKAGE...]: a minimal Debian 12 (bookworm) in DIR
# from this machine's apt sources and apt settings (a proxy among them),
# with this machine's name servers, certificate authorities and npm settings.
make_fresh_root() {
  local dir=$1; shift
  command -v mmdebstrap > /dev/null || as_root apt-get install -y -q --no-install-recommends mmdebstrap
  local sources=() options=() file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [[ -s $file ]] && sources+=("$file")
  done
  for file in /etc/apt/apt.conf.d/*; do
    grep -qi '^[^/#]*Acquire' "$file" 2> /dev/null && options+=("--aptopt=$file")
  done
  local include=ca-certificates
  (($#)) && include+=,$(IFS=,; echo "$*")
  as_root env $(passed_variables) \
    mmdebstrap --quiet --variant=apt --include="$include" "${options[@]}" bookworm "$dir" "${sources[@]}"
  as_root cp /etc/resolv.conf /etc/hosts "$dir/etc/"
  [[ -d /usr/local/share/ca-certificates ]] && as_root cp -r /usr/local/share/ca-certificates/. "$dir/usr/local/share/ca-certificates/"
  as_root cp /etc/ssl/certs/ca-certificates.crt "$dir/etc/ssl/certs/ca-certificates.crt"
  for file in /etc/npmrc /usr/etc/npmrc; do
    [[ -f $file ]] && as_root install -D -m 644 "$file" "$dir$file"
  done
  return 0
}

# The passed variables that are set here, as NAME=VALUE words.
passed_variables() {
  local name
  for name in "${CI_PASSED_VARIABLES[@]}"; do
    [[ -n "${!name:-}" ]] && printf '%s=%s\n' "$name" "${!name}"
  done
  return 0
}

# root_package_count DIR: how many packages the root has installed.
root_package_count() {
  dpkg-query --admindir="$1/var/lib/dpkg" -W -f='${Status}\n' | grep -c '^install ok installed$'
}

# add_user DIR NAME: an ordinary user of the root, who may use sudo
# without a password where sudo is installed (as on a developer's machine).
add_user() {
  local dir=$1 name=$2
  as_root chroot "$dir" useradd --create-home --shell /bin/bash "$name"
  [[ -x "$dir/usr/bin/sudo" ]] || return 0
  printf '%s ALL=(ALL) NOPASSWD:ALL\nDefaults env_keep += "%s"\n' "$name" "${CI_PASSED_VARIABLES[*]}" |
    as_root tee "$dir/etc/sudoers.d/$name" > /dev/null
  as_root chmod 440 "$dir/etc/sudoers.d/$name"
}

# copy_checkout DEST DIR USER: the checkout's files (what git tracks or
# would, never build trees) copied to DEST inside the root DIR, the user's.
copy_checkout() {
  local dest=$1 dir=$2 user=$3
  as_root mkdir -p "$dir$dest"
  git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | as_root tar -xf - -C "$dir$dest"
  as_root chroot "$dir" chown -R "$user:" "$dest"
}

# in_root DIR USER SCRIPT: runs the bash script in the root as the user,
# with its own /proc, the machine's /dev and /sys, and the root as the
# whole file system (pivot_root, not chroot, so that the user may make the
# namespaces the tests use).
in_root() {
  local dir=$1 user=$2 script=$3
  printf '%s\n' "$script" | as_root tee "$dir/tmp/ci-step.sh" > /dev/null
  as_root chmod 755 "$dir/tmp/ci-step.sh"
  local home=/root
  [[ $user != root ]] && home=/home/$user
  as_root unshare --mount --pid --fork --propagation private bash -c '
    set -e
    dir=$1; shift
    mount --bind "$dir" "$dir"
    mount -t proc proc "$dir/proc"
    mount --rbind /dev "$dir/dev"
    mount --rbind /sys "$dir/sys"
    cd "$dir"
    mkdir -p .host
    pivot_root . .host
    /.host/usr/bin/umount -l /.host
    rmdir /.host
    exec "$@"' _ "$dir" runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin LANG=C.UTF-8 $(passed_variables) bash /tmp/ci-step.sh
}
