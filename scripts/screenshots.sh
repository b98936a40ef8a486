#!/usr/bin/env bash
# Screenshots of the real zevo.exe under Wine's X11 driver on a private Xvfb
# display, written to docs/screenshots/:
#   main-dialog.png      the main dialog during a run at the slowest speed
#   restart-confirm.png  the question before a restart of Windows (/E), answered with Cancel
#   file-chooser.png     the file chooser of the data file's browse button
#   restart-notice.png   the notice of a restart without asking (/EY)
#
# Usage: scripts/screenshots.sh
#   ZEVO_EXE=path/zevo.exe   take this program instead of building build/windows/zevo.exe
#   ZEVO_JOBS=n              parallel build jobs (default: all cores)
#
# Everything runs in its own prefix, build/wineprefix-shots (made on the first
# run), never in the test prefix: the restart notice asks Wine to end the
# prefix's programs. Every wait has a time limit; Xvfb and the prefix's
# wineserver are ended on every exit.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out_dir="$root/docs/screenshots"
work="$root/build/screenshots"

scripts/install-deps.sh xvfb x11-utils x11-apps imagemagick fonts-vlgothic
convert=/usr/bin/convert   # ImageMagick's own, whatever else is on PATH
import=/usr/bin/import

if [ -n "${ZEVO_EXE:-}" ]; then
    exe=$(realpath "$ZEVO_EXE")
else
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j"${ZEVO_JOBS:-$(nproc)}" --target zevo >/dev/null
    exe="$root/build/windows/zevo.exe"
fi
[ -f "$exe" ] || { echo "screenshots: $exe not found" >&2; exit 1; }

# The helper that finds the program's windows and posts button clicks to them.
mkdir -p "$work" "$out_dir"
helper="$work/shot_window.exe"
if [ ! -f "$helper" ] || [ tools/shot_window.c -nt "$helper" ]; then
    x86_64-w64-mingw32-gcc -O2 -Wall -static -o "$helper" tools/shot_window.c
fi

export ZEVO_WINEPREFIX="$root/build/wineprefix-shots"
source scripts/wine-env.sh   # prefix, Japanese locale (code page 932), quiet Wine

xvfb_pid=""
zevo_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "$zevo_pid" ]; then
        kill "$zevo_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
wineserver -k 2>/dev/null || true   # left over from an interrupted run

# A display of our own: the first free number from 99 on.
display_number=99
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
    display_number=$((display_number + 1))
    [ "$display_number" -lt 200 ] || { echo "screenshots: no free X display" >&2; exit 1; }
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + 15))
until timeout 5 xdpyinfo >/dev/null 2>&1; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
        echo "screenshots: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.2
done

# Texts of the data and registry files: UTF-8 here, Shift-JIS with CR LF for
# the program and for regedit.
to_sjis() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }

# The prefix, made once under the Japanese locale (the caption font depends on
# it) with the normal graphics driver.
prefix_version=1
if [ "$(cat "$WINEPREFIX/.zevo-shots-ready" 2>/dev/null)" != "$prefix_version" ]; then
    echo "Making the Wine prefix $WINEPREFIX ..."
    rm -rf "$WINEPREFIX"
    timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 || true
    # Without a window manager Wine draws the title bars itself.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Wine's own fonts (Marlett for the title-bar buttons, Tahoma) are not
    # found where this Wine build looks for them; the prefix gets copies.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # The dialogs ask for MS (P)Gothic; the VL fonts have the closest shapes.
    mkdir -p "$WINEPREFIX/drive_c/見本"
    to_sjis >"$WINEPREFIX/drive_c/見本/fonts.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="VL PGothic"
"ＭＳ ゴシック"="VL Gothic"
"MS PGothic"="VL PGothic"
"MS Gothic"="VL Gothic"
"MS UI Gothic"="VL PGothic"

EOF
    timeout 60 wine regedit /s 'C:\見本\fonts.reg' >/dev/null 2>&1
    timeout 60 wineserver -w || wineserver -k
    echo "$prefix_version" >"$WINEPREFIX/.zevo-shots-ready"
fi

# The data files. The folder holds a few of them, so that the file chooser
# has something to show.
data="$WINEPREFIX/drive_c/見本"
rm -rf "$data"
mkdir -p "$data"

to_sjis >"$data/設定.zvd" <<'EOF'
REGEDIT4
// The main dialog: the slowest speed, old and new data side by side.
/!50
/Z
/L="C:\見本\ログ.zvl"
/LH="C:\見本\履歴.zvh"
/*設定を反映しています。しばらくお待ち下さい。

[HKEY_CURRENT_USER\Software\ZEVO見本\アプリケーション]
"表示名"="自動環境設定管理ツール"
"インストール先"="C:\\Program Files\\ZEVO見本"
"起動回数"=dword:00000010
"言語"="日本語"
"更新日"="1998年4月1日"
"作業フォルダ"="C:\\作業"
"保存形式"=hex:01,02,03,04
"ユーザー名"="山田太郎"
"会社名"="株式会社サンプル"
"画面の色"="青"
"フォント"="ＭＳ Ｐゴシック"
"文字サイズ"=dword:0000000c
"自動保存"="はい"
"間隔(分)"=dword:0000000a
"履歴の数"=dword:00000014
"プリンタ"="標準のプリンタ"
"用紙"="Ａ４"
"余白"="上下左右 20mm"
"最後に開いたファイル"="C:\\作業\\見積書.txt"
"ヘルプ"="C:\\Program Files\\ZEVO見本\\ZEVO.HLP"
/*設定が終わりました。
EOF

to_sjis >"$data/再起動確認.zvd" <<'EOF'
REGEDIT4
// A tracked change and /E: the question before the restart.
/Z
/E
/*設定を変更しました。

[HKEY_CURRENT_USER\Software\ZEVO見本\再起動]
"確認"="再起動の前に確認する"
EOF

to_sjis >"$data/再起動通知.zvd" <<'EOF'
REGEDIT4
// A tracked change and /EY: the notice, without a question.
/Z
/EY
/*設定を変更しました。

[HKEY_CURRENT_USER\Software\ZEVO見本\再起動]
"通知"="確認せずに再起動する"
EOF

to_sjis >"$data/ファイル選択.zvd" <<'EOF'
REGEDIT4
// A short run; the browse button is pressed after it.
[HKEY_CURRENT_USER\Software\ZEVO見本\選択]
"データ"="ファイル選択の見本"
/*参照ボタンでデータファイルを選びます。
EOF

# Before every start: the old data the first picture compares with, no values
# of the restart files (so that they change again), and no pending rerun
# after a restart ("LOOP" would make the program skip the restart).
to_sjis >"$data/reset.reg" <<'EOF'
REGEDIT4

[-HKEY_CURRENT_USER\Software\ZEVO見本]

[HKEY_CURRENT_USER\Software\PLV\ZEVO]
"LOOP"="N"

[HKEY_CURRENT_USER\Software\ZEVO見本\アプリケーション]
"表示名"="設定ツール"
"インストール先"="C:\\ZEVO"
"起動回数"=dword:00000003
"言語"="英語"
"更新日"="1997年12月24日"
"作業フォルダ"="C:\\TEMP"
"保存形式"=hex:01,02
"ユーザー名"="鈴木花子"
"会社名"="有限会社テスト"
"画面の色"="灰色"
"フォント"="ＭＳ ゴシック"
"文字サイズ"=dword:00000009
"自動保存"="いいえ"
"間隔(分)"=dword:00000005
"履歴の数"=dword:00000004
"プリンタ"="なし"
"用紙"="Ｂ５"
"余白"="なし"
"最後に開いたファイル"="C:\\TEMP\\メモ.txt"
"ヘルプ"="C:\\ZEVO\\ZEVO.HLP"

EOF

probe() { timeout 20 wine "$helper" "$@" 2>/dev/null </dev/null; }

# Starts zevo.exe on a data file (extra environment settings may come first).
start_zevo() {
    timeout 60 wine regedit /s 'C:\見本\reset.reg' >/dev/null 2>&1 </dev/null
    env "$@" wine "$exe" "$data_arg" >"$work/zevo.log" 2>&1 </dev/null &
    zevo_pid=$!
}

# Ends the program and everything else of the prefix.
stop_zevo() {
    wineserver -k 2>/dev/null || true
    local deadline=$((SECONDS + 10))
    while kill -0 "$zevo_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    kill -9 "$zevo_pid" 2>/dev/null || true
    wait "$zevo_pid" 2>/dev/null || true
    zevo_pid=""
}

# Waits until "probe ARGS" succeeds; its output goes to $probed.
probed=""
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until probed=$(probe "$@"); do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "screenshots: gave up waiting for: $*" >&2
            return 1
        fi
        sleep 0.2
    done
}

# Waits until control ID of the main dialog holds at least LINES non-empty lines.
wait_for_lines() {
    local seconds=$1 id=$2 lines=$3
    local deadline=$((SECONDS + seconds))
    while [ "$(probe text main "$id" | grep -c .)" -lt "$lines" ]; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "screenshots: gave up waiting for $lines lines in control $id" >&2
            return 1
        fi
        sleep 0.2
    done
}

# Saves the window WHICH (main or popup) as docs/screenshots/NAME, cut out of the screen.
capture() {
    local which=$1 name=$2
    local x y w h
    wait_for 10 rect "$which" || return 1
    read -r x y w h <<<"$probed"
    timeout 30 "$import" -display "$DISPLAY" -window root "$work/screen.png"
    timeout 30 "$convert" "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage -strip \
        -define png:exclude-chunks=date,time "$work/$name"
    mv "$work/$name" "$out_dir/$name"
    echo "Wrote docs/screenshots/$name (${w}x${h})"
}

failed=0

# 1. The main dialog in the middle of a slow run: every pane has its text
#    once a few values were compared and changed.
data_arg='C:\見本\設定.zvd'
start_zevo
if wait_for 60 rect main && wait_for_lines 60 1013 10 &&
    wait_for_lines 10 1005 1 && wait_for_lines 10 1006 1; then
    capture main main-dialog.png || failed=1
else
    failed=1
fi
stop_zevo

# 2. The question before the restart. Answered with Cancel: OK would ask Wine
#    to end every program of the prefix.
data_arg='C:\見本\再起動確認.zvd'
start_zevo
if wait_for 60 rect popup; then
    sleep 0.5
    capture popup restart-confirm.png || failed=1
    probe post popup 2 || true   # IDCANCEL
else
    failed=1
fi
stop_zevo

# 3. The file chooser, after a short run has put a data file in the field.
data_arg='C:\見本\ファイル選択.zvd'
start_zevo
if wait_for 60 rect main && wait_for_lines 30 1008 1; then
    sleep 0.5
    probe post main 1021 || true   # IDC_BROWSE_DATA
    if wait_for 30 rect popup; then
        sleep 2   # the tree fills in
        capture popup file-chooser.png || failed=1
        probe post popup 2 || true
    else
        failed=1
    fi
else
    failed=1
fi
stop_zevo

# 4. The restart notice. Its first paint calls ExitWindowsEx, which under Wine
#    starts "wineboot --end-session" and ends the prefix's programs, the
#    notice with them. With wineboot disabled for this one process the call
#    fails and the notice stays on the screen.
data_arg='C:\見本\再起動通知.zvd'
start_zevo WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wineboot.exe=d"
if wait_for 60 rect popup; then
    sleep 1
    capture popup restart-notice.png || failed=1
else
    failed=1
fi
stop_zevo

exit "$failed"
