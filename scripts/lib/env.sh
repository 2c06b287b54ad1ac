# Shared by the scripts: installs what is missing, and starts a virtual display and Wine.
# Source it from the repository's root.

# Installs the Debian packages among "$@" that are not there yet (apt-get update once, only then).
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# GoogleTest comes as sources (googletest), built by the Windows presets; clang builds the fuzz
# targets.
BUILD_PACKAGES=(cmake make googletest g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix xvfb
  clang libclang-rt-14-dev)

# Wine (10, in a root of its own: scripts/lib/wine-root.sh) quiet and without Mono or Gecko
# prompts, and in the code page that the tests assume, 1252, which Wine takes from LC_ALL.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE_LC_ALL=en_US.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/wine-root.sh"

# Starts Xvfb on a free display and exports DISPLAY; stop_display ends it. Fails when no display
# comes up within 10 s.
start_display() {
  local fdfile number=""
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    number=$(head -n1 "$fdfile")
    [ -n "$number" ] && break
    sleep 0.1
  done
  rm -f "$fdfile"
  if [ -z "$number" ]; then
    echo "start_display: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
