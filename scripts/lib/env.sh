# Shared by the scripts: installs what is missing, and starts Wine and a virtual display.
# Source it from the repository's root.

# Installs the Debian packages among "$@" that are not there yet (apt-get update once, only then).
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(cmake make g++ libgtest-dev googletest g++-mingw-w64-i686-win32
  g++-mingw-w64-x86-64-posix wine64 xvfb clang libclang-rt-14-dev)

export PATH="$PATH:/usr/lib/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

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

# Makes a fresh Wine prefix at "$1", booted, with windows unmanaged (no window manager under Xvfb:
# managed windows stall two seconds on every close), and keeps its server warm.
start_wine() {
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  wine64 wineboot -i >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver64 -w
  # Drive Q: is an empty folder, for the tests that need a drive whose root lists nothing; the
  # tests wipe it only when named here.
  mkdir "$WINEPREFIX/empty-drive"
  ln -s ../empty-drive "$WINEPREFIX/dosdevices/q:"
  export BRENVIC_SCRATCH_DRIVE=Q:
  wineserver64 -p >/dev/null 2>&1
  # Wine's own services start with the first program and outlive it: start them here, away from
  # the pipes of the test runner, which would otherwise wait for them to close.
  wine64 cmd /c exit >/dev/null 2>&1 </dev/null
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver64 -k 2>/dev/null || true
}
