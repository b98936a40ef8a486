# Sourced by the Wine scripts: a private prefix (never ~/.wine), no debug
# chatter, and a Japanese locale so that the ANSI code page is 932.
zevo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZEVO_WINEPREFIX:-$zevo_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$zevo_root/build/locale"
# Japanese file names need the generated locale; made privately, /etc stays untouched.
if [ ! -d "$LOCPATH/ja_JP.UTF-8" ]; then
    mkdir -p "$LOCPATH"
    localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null || true
fi
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null  # bash itself may not find the private locale
unset DISPLAY WAYLAND_DISPLAY
