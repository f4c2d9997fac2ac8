# shellcheck shell=bash
# Sourced by every script that runs wine: what a build is, wine's variables, private prefixes, a private Xvfb and
# Windows paths. Nothing here starts wine by itself.

# Reads what CMake wrote about the build in $1 (its build-env.sh): PLUGINSWITCH_ARCH, PLUGINSWITCH_TRIPLE,
# PLUGINSWITCH_WINE and the folders; sets wineserver and how wine starts.
load_build() {
  if [ ! -f "$1/build-env.sh" ]; then
    echo "$(basename "$0"): $1 is not a configured build (no build-env.sh)" >&2
    exit 1
  fi
  # shellcheck source=/dev/null
  . "$1/build-env.sh"
  wineserver=$(dirname "$PLUGINSWITCH_WINE")/wineserver
  # Where a sandbox refuses the personality (a container's seccomp filter may), wine starts as it is.
  fixed_layout=()
  if setarch -R true 2>/dev/null; then fixed_layout=(setarch -R); fi
}

# Starts the build's wine with the arguments given, its address space laid out without randomisation. Debian's
# x86_64 wine has no preloader, the program that reserves Windows' address ranges before anything else is mapped:
# wine64 sits at 0x7d000000 and Linux puts its C heap anywhere in the gigabyte above, so about one start in 8,000
# finds the heap over 0x7ffe0000, where wine must map the shared user data, and ends at once with status 1, printing
# nothing (err:virtual "failed to map the shared user data" is hidden by WINEDEBUG=-all). The processes wine starts
# from it inherit the layout.
wine() { "${fixed_layout[@]}" "$PLUGINSWITCH_WINE" "$@"; }

# Wine's variables for quiet, unattended runs in the private prefix $1, never the user's own ~/.wine.
use_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all,err+winediag}
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
  case "$PLUGINSWITCH_WINE" in
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
# processes at once; does nothing when the prefix is ready. Each step waits for wine's session to end, so the prefix is
# whole before anything runs in it; one that comes up broken (a busy machine can keep wine's desktop process from
# starting in time) is made again once, with a note, and a second failure fails.
make_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.ready" ] && exit 0
    for attempt in 1 2; do
      echo "env.sh: creating $WINEPREFIX" >&2
      if set_up_prefix; then
        touch "$WINEPREFIX/.ready"
        exit 0
      fi
      end_session
      rm -rf "$WINEPREFIX"
      [ $attempt -eq 2 ] || echo "env.sh: $WINEPREFIX came up broken ($broken); making it again" >&2
    done
    echo "env.sh: $WINEPREFIX came up broken twice ($broken)" >&2
    exit 1
  ) 9>"$WINEPREFIX.lock"
}

# One try at make_prefix's work; on failure says in $broken what was wrong.
set_up_prefix() {
  local log
  log=$(mktemp)
  wine wineboot -i >"$log" 2>&1 </dev/null
  local booted=$?
  "$wineserver" -w 2>/dev/null
  broken=
  if [ $booted -ne 0 ] || grep -q "failed to start" "$log"; then
    broken="wineboot: status $booted, $(grep -m1 "failed to start" "$log")"
  elif [ ! -f "$WINEPREFIX/.update-timestamp" ] || [ ! -f "$WINEPREFIX/user.reg" ]; then
    broken="wineboot left no registry"
  fi
  rm -f "$log"
  [ -z "$broken" ] || return 1
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
  wine regedit /S "$(winpath "$settings")" >/dev/null 2>&1 </dev/null
  rm -f "$settings"
  "$wineserver" -w 2>/dev/null
  # The settings are read back from the registry file itself, where the next session will find them.
  grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" || broken="the settings were not saved"
  [ -z "$broken" ]
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
