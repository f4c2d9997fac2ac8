# shellcheck shell=bash
# Sourced by every script that runs wine: what a build is, wine's variables, private prefixes, a private Xvfb and
# Windows paths. Nothing here starts wine by itself.

# Reads what CMake wrote about the build in $1 (its build-env.sh): PLUGINSWITCH_ARCH, PLUGINSWITCH_TRIPLE,
# PLUGINSWITCH_WINE and the folders; sets wine and wineserver.
load_build() {
  if [ ! -f "$1/build-env.sh" ]; then
    echo "$(basename "$0"): $1 is not a configured build (no build-env.sh)" >&2
    exit 1
  fi
  # shellcheck source=/dev/null
  . "$1/build-env.sh"
  wine=$PLUGINSWITCH_WINE
  wineserver=$(dirname "$wine")/wineserver
}

# Wine's variables for quiet, unattended runs in the private prefix $1, never the user's own ~/.wine.
use_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all,err+winediag}
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
  case "$wine" in
    */wine64) export WINEARCH=win64 ;;
    *) export WINEARCH=win32 ;;
  esac
}

# use_prefix for a prefix that one of these scripts makes for itself under the build: its registry and desktop are
# nobody's own, so the programs started in it may write them (PLUGINSWITCH_DISPOSABLE_PROFILE). A prefix given from
# outside is a user's own unless that variable already says otherwise.
use_disposable_prefix() {
  use_prefix "$1"
  export PLUGINSWITCH_DISPOSABLE_PROFILE=1
}

# The Windows name of a Unix path, on wine's drive Z:.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# Creates the prefix of use_prefix on first use and sets it up for unattended runs. Safe to call from several
# processes at once; does nothing when the prefix is ready.
make_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.ready" ] && exit 0
    echo "env.sh: creating $WINEPREFIX" >&2
    "$wine" wineboot -i >/dev/null 2>&1 </dev/null
    # Wine's own Windows fonts, where wine looks for a face asked for by name: Debian's wine does not find them in
    # /usr/share/wine/fonts, and text would otherwise be measured in Linux fonts of other metrics.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    settings=$(mktemp --suffix=.reg)
    # Managed=N: without a window manager wine would wait ~2 s for one whenever a window is hidden.
    # No crash dialog: a crashing test must end, not wait for a click.
    cat >"$settings" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    "$wine" regedit /S "$(winpath "$settings")" >/dev/null 2>&1 </dev/null
    rm -f "$settings"
    "$wineserver" -w 2>/dev/null || true
    touch "$WINEPREFIX/.ready"
  ) 9>"$WINEPREFIX.lock"
}

# Ends the prefix's wine session, if one runs.
end_session() { "$wineserver" -k 2>/dev/null || true; }

# Runs the calling script again, with the same arguments, on a private Xvfb with a screen of $1 (say 1280x1024),
# unless it already runs on one: windows opened and input sent by scripts never reach the user's own display.
in_xvfb() {
  local screen=$1
  shift
  [ -n "${PLUGINSWITCH_XVFB:-}" ] && return 0
  export PLUGINSWITCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" "$0" "$@"
}
