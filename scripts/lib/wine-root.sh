# Wine 10 from Debian 13 in a root of its own, whose WoW64 mode runs i686 programs on this 64-bit
# only kernel. scripts/lib/env.sh sources it (ensure_wine_root installs with its ensure_packages).
#
# Nothing is ever mounted in the host's view of the root: each run binds what it needs in a mount
# namespace of its own, where the binds vanish with its last process however it ends. The root
# can therefore be removed or replaced at any time. Wine runs as the user who ran the script; the
# root belongs to that user once made (making it needs root, through sudo).

BRENVIC_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE_ROOT=${BRENVIC_WINE_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/brenvic/wine10}
# Liberation is what Debian's Wine recommends for Arial and its kin, as on the host.
WINE_ROOT_PACKAGES="wine64 libwine fonts-wine fonts-liberation locales"
# Wine names files in the Unix locale's character set: the locales that the tests run Wine in are
# made, or a name beyond ASCII could not be written as UTF-8.
WINE_ROOT_LOCALES="en_US ru_RU"
# What the root holds, kept in its stamp: a root whose stamp reads otherwise is made anew. Raise
# the recipe's number whenever the making below changes in a way the other lines do not show.
WINE_ROOT_STAMP="recipe 2
suite trixie minbase
packages $WINE_ROOT_PACKAGES
locales $WINE_ROOT_LOCALES (UTF-8)
i386-windows from libwine:i386"

# Runs "$@" as root: as it stands for root, else through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo -- "$@"
  fi
}

# The Debian mirror that the machine's apt uses, so that a local mirror or a proxy serves the root
# too: the first "URIs:" of its deb822 sources, else the first "deb" line of sources.list.
apt_mirror() {
  local uri
  uri=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' \
    /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1)
  [ -n "$uri" ] || uri=$(sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\{0,1\}\([^[:space:]]*\).*/\2/p' \
    /etc/apt/sources.list 2>/dev/null | head -n1)
  echo "$uri"
}

wine_root_ready() {
  [ "$(cat "$WINE_ROOT/.brenvic-stamp" 2>/dev/null)" = "$WINE_ROOT_STAMP" ]
}

# Run as root in a mount namespace by its caller: debootstrap and the packages' scripts mount
# /proc and more, and an interrupted build must leave none of it behind on the host.
_wine_root_make='
  root=$1 mirror=$2 packages=$3 locales=$4
  debootstrap --variant=minbase trixie "$root" "$mirror"
  for d in /proc /dev /sys; do mount --rbind "$d" "$root$d"; done
  in_root() { chroot "$root" env -i -C /tmp PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"; }
  in_root apt-get update -q
  in_root apt-get install -y -q --no-install-recommends $packages
  for locale in $locales; do in_root localedef -i "$locale" -f UTF-8 "$locale.UTF-8"; done
  # Debian packs the 32-bit Windows side of Wine with its 32-bit Linux side, which this kernel
  # cannot run: only the Windows DLLs are taken, where the 64-bit Wine looks for them.
  in_root dpkg --add-architecture i386
  in_root apt-get update -q
  version=$(in_root dpkg-query -W --showformat=\${Version} libwine)
  in_root apt-get download -q "libwine:i386=$version"
  dpkg-deb -x "$root"/tmp/libwine_*_i386.deb "$root/tmp/libwine-i386"
  cp -a "$root/tmp/libwine-i386/usr/lib/i386-linux-gnu/wine/i386-windows" \
    "$root/usr/lib/x86_64-linux-gnu/wine/"
  rm -rf "$root"/tmp/libwine*
  in_root apt-get clean
  rm -rf "$root"/var/lib/apt/lists/*'

# Makes the root unless its stamp shows it complete and current. Built beside its place and
# renamed into it at the end: an interrupted build never looks complete.
ensure_wine_root() {
  wine_way || return 1
  wine_root_ready && return 0
  ensure_packages debootstrap || return 1
  local mirror=${BRENVIC_DEBIAN_MIRROR:-$(apt_mirror)}
  if [ -z "$mirror" ]; then
    echo "No Debian mirror in apt's sources: name one in BRENVIC_DEBIAN_MIRROR." >&2
    return 1
  fi
  mkdir -p "$(dirname "$WINE_ROOT")" || return 1
  (
    # One build at a time; a waiter finds the root made by the one before it.
    flock 9 || exit 1
    wine_root_ready && exit 0
    echo "== making the Wine 10 root at $WINE_ROOT from $mirror"
    # Left by an interrupted build or replacement: nothing can be mounted in them here.
    as_root rm -rf "$WINE_ROOT".new.* "$WINE_ROOT".old.* || exit 1
    # mktemp's mode 700 would shut apt's own user out of the root's /.
    tmp=$(mktemp -d "$WINE_ROOT.new.XXXXXX") && chmod 755 "$tmp" || exit 1
    as_root unshare --mount --propagation private -- bash -euo pipefail -c "$_wine_root_make" \
      bash "$tmp" "$mirror" "$WINE_ROOT_PACKAGES" "$WINE_ROOT_LOCALES" || exit 1
    # Made as root, kept by the user who runs Wine in it.
    [ "$(id -u)" -eq 0 ] || sudo chown -R "$(id -u):$(id -g)" "$tmp" || exit 1
    printf '%s\n' "$WINE_ROOT_STAMP" >"$tmp/.brenvic-stamp" || exit 1
    if [ -e "$WINE_ROOT" ]; then
      mv "$WINE_ROOT" "$(mktemp -u "$WINE_ROOT.old.XXXXXX")" || exit 1
    fi
    mv "$tmp" "$WINE_ROOT" && as_root rm -rf "$WINE_ROOT".old.*
  ) 9>"$WINE_ROOT.lock"
}

# How Wine runs, found once and handed down to the scripts' children in BRENVIC_WINE_WAY (which a
# caller may also set): "root" for root; for anyone else, as that user, "userns" in a user
# namespace of their own where the kernel allows one, else "sudo", which makes the namespace and
# the chroot and drops back to the user's ids for Wine. Says which in one line.
wine_way() {
  [ -n "${BRENVIC_WINE_WAY:-}" ] && return 0
  local user way how
  user=$(id -un)
  if [ "$(id -u)" -eq 0 ]; then
    way=root how="as root"
  elif unshare --user --map-root-user --mount true 2>/dev/null; then
    way=userns how="as $user, in a user namespace"
  elif command -v sudo >/dev/null && sudo -v; then
    way=sudo how="as $user, its namespace made through sudo (no user namespaces here)"
  else
    echo "Wine cannot run here as $user: the kernel allows no user namespace and sudo is not" \
      "at hand; allow unprivileged user namespaces (sysctl user.max_user_namespaces)," \
      "give $user sudo, or run as root." >&2
    return 1
  fi
  echo "== Wine runs $how" >&2
  export BRENVIC_WINE_WAY=$way
}

# Run in the mount namespace: binds what Wine needs into the root, then becomes "$@" there (its
# environment's NAME=VALUE, then the command).
_wine_root_enter='
  root=$1 repo=$2 userspec=$3 cwd=$4
  shift 4
  PATH=/usr/sbin:/sbin:$PATH
  for d in /proc /dev /sys /tmp "$repo"; do
    mkdir -p "$root$d"
    mount --rbind "$d" "$root$d"
  done
  exec chroot ${userspec:+--userspec="$userspec"} "$root" env -i -C "$cwd" "$@"'

# Replaces the shell with "$@", a command of the root, run there with the caller's environment
# and folder. The root sees the host's /proc, /dev, /sys, /tmp (the X socket and the tests'
# prefixes) and this repository at their own paths, so Unix paths, and Wine's Z: drive, read
# the same inside. The wineserver that a run leaves keeps its namespace alive, and later runs
# reach it through its socket in a folder of /tmp that its prefix names.
wine_root_exec() {
  wine_way || exit 1
  local userspec="" vars
  # Passed as arguments: sudo would not pass the environment on.
  mapfile -d '' -t vars < <(env -0)
  vars+=(PATH=/usr/lib/wine:/usr/bin:/bin "LC_ALL=${WINE_LC_ALL:-en_US.UTF-8}")
  local enter=(unshare --mount --propagation private)
  case $BRENVIC_WINE_WAY in
    userns) enter=(unshare --user --map-root-user --mount --propagation private) ;;
    sudo) enter=(sudo -- "${enter[@]}") userspec=$(id -u):$(id -g) ;;
  esac
  exec "${enter[@]}" -- bash -euc "$_wine_root_enter" bash "$WINE_ROOT" "$BRENVIC_REPO" \
    "$userspec" "$PWD" "${vars[@]}" "$@"
}

wine() { (wine_root_exec wine64 "$@"); }
wineserver() { (wine_root_exec wineserver64 "$@"); }

# Makes a fresh booted prefix at "$1" (with its 32-bit side; the root is made on first use) and
# keeps its server warm: windows unmanaged (no window manager under Xvfb: managed windows stall two
# seconds on every close), and drive Q: an empty folder, for the tests that need a drive whose root
# lists nothing (they wipe it only when named here). stop_wine ends its server.
start_wine() {
  ensure_wine_root || return 1
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  mkdir "$WINEPREFIX/empty-drive"
  ln -s ../empty-drive "$WINEPREFIX/dosdevices/q:"
  export BRENVIC_SCRATCH_DRIVE=Q:
  # Links, as Wine shows a Unix symbolic link: to a folder of the tests' scratch folder, and to Q:.
  mkdir "$WINEPREFIX/drive_c/brenvic-links"
  ln -s ../brenvic-unit/target "$WINEPREFIX/drive_c/brenvic-links/folder"
  ln -s ../../empty-drive "$WINEPREFIX/drive_c/brenvic-links/root"
  wineserver -p >/dev/null 2>&1
  # Wine's own services start with the first program and outlive it: start them here, away from
  # the pipes of the test runner, which would otherwise wait for them to close.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
