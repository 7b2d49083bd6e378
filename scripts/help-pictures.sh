#!/usr/bin/env bash
# Makes the pictures of the program that the help page and the README show, the same
# way every time:
#   docs/help/main-dialog.png  the main dialog, ready for a new shortcut
#   docs/editor.png            the same with a text shortcut of the list viewed
#   docs/help/edit-dialog.png  the Edit dialog on that shortcut
#   docs/help/popup.png        the confirmation popup after a text shortcut
#   docs/printout.png          page 1 of the printed sheet, at 96 dpi
#   docs/help/printout.png     the top of that page
# The programs are built, installed with a keyset.ini of example shortcuts in
# C:\Tools\Tarnwick of a Wine prefix of its own (build/pictures-prefix, at 96 dpi), and
# driven by a small helper program as a user would: the tray's Open, a click on a row,
# Edit, Print, a text shortcut pressed. Each window is cut to its client area: the
# title bars are Wine's, drawn without the fonts Windows has. The sheet comes from the
# private PDF printer of scripts/print-session.sh.
#   scripts/help-pictures.sh
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --programs
BIN="$ROOT/build/cross/bin"
DOCS="$ROOT/docs"

work=$(mktemp -d)
# The printer's backend runs as another user, who must reach the PDF folder in it.
chmod 711 "$work"
export TARNWICK_WINEPREFIX="$ROOT/build/pictures-prefix"
export TARNWICK_PDF_DIR="$work/pdf"
install_dir="$TARNWICK_WINEPREFIX/drive_c/Tools/Tarnwick"
# Called after the sessions below have stopped (the last registered is called first).
cleanup() { rm -rf "$work" "$install_dir"; }
source "$ROOT/scripts/session-exit.sh"
at_session_exit cleanup

# The helper: finds the program's windows, brings them up, and prints a window's
# client area in screen coordinates as WIDTHxHEIGHT+X+Y, which is where it is on the
# X display too (Wine's desktop fills the display from its corner).
cat >"$work/picture-helper.cpp" <<'EOF'
#include "res/resource.h"
#include "tests/wine/support/RemoteControls.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>

namespace {

constexpr DWORD kPatienceMs = 15000;
// Time for a window to paint itself after it changed.
constexpr DWORD kSettleMs = 700;

bool WaitUntil(const std::function<bool()>& done, DWORD patience = kPatienceMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= patience)
            return false;
        ::Sleep(20);
    }
    return true;
}

bool IsDialog(HWND window, const wchar_t* title)
{
    wchar_t className[64] = {}, caption[64] = {};
    ::GetClassNameW(window, className, 64);
    ::GetWindowTextW(window, caption, 64);
    return std::wcscmp(className, L"#32770") == 0 && (!title || std::wcscmp(caption, title) == 0);
}

bool IsToolWindow(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }

HWND FindTopWindow(const std::function<bool(HWND)>& wanted)
{
    struct Search {
        const std::function<bool(HWND)>& wanted;
        HWND found;
    } search{wanted, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            if (!search.wanted(window))
                return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MainDialog()
{
    return FindTopWindow([](HWND w) { return IsDialog(w, L"Tarnwick") && !IsToolWindow(w); });
}

HWND Popup()
{
    return FindTopWindow([](HWND w) { return IsDialog(w, L"Tarnwick") && IsToolWindow(w) && ::IsWindowVisible(w); });
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

// A visible dialog of the program besides its main dialog: the Edit or the print dialog.
HWND OtherDialog(HWND main)
{
    return FindTopWindow([main](HWND w) {
        return w != main && IsDialog(w, nullptr) && !IsToolWindow(w) && ::IsWindowVisible(w) &&
               ProcessOf(w) == ProcessOf(main);
    });
}

// The window has handled everything sent and posted to it before.
void Settle(HWND window)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored);
    ::Sleep(kSettleMs);
}

// Clicks a button of the main dialog and waits for the dialog it opens; nullptr when
// none came.
HWND OpenWith(HWND main, int button)
{
    ::PostMessageW(::GetDlgItem(main, button), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = OtherDialog(main)) != nullptr; }))
        return nullptr;
    Settle(dialog);
    return dialog;
}

// Answers a dialog with the command (IDOK, IDCANCEL); false when it stays.
bool Close(HWND dialog, WORD command)
{
    ::PostMessageW(dialog, WM_COMMAND, command, 0);
    return WaitUntil([&] { return !::IsWindow(dialog); });
}

void PrintClientArea(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    POINT corner{0, 0};
    ::ClientToScreen(window, &corner);
    std::printf("%ldx%ld+%ld+%ld\n", client.right, client.bottom, corner.x, corner.y);
}

void SendMouse(int x, int y, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(x * 65535.0 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(y * 65535.0 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    ::SendInput(1, &input, sizeof(input));
}

void Click(int x, int y)
{
    SendMouse(x, y, 0);
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
    SendMouse(x, y, MOUSEEVENTF_LEFTUP);
    // Out of the way of the next picture.
    SendMouse(0, 0, 0);
}

// CTRL+ALT+key in one burst, as a quick hand types it.
void PressChord(WORD key)
{
    const WORD keys[] = {VK_CONTROL, VK_MENU, key};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(6, inputs, sizeof(INPUT));
}

int Fail(const char* what)
{
    std::fprintf(stderr, "picture-helper: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    HWND main = nullptr;
    if (!WaitUntil([&] { return (main = MainDialog()) != nullptr; }))
        return Fail("no main dialog");

    if (command == "open") {
        ::PostMessageW(main, WM_COMMAND, ID_TRAY_OPEN, 0);
        if (!WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }))
            return Fail("the main dialog did not come up");
        Settle(main);
        PrintClientArea(main);
    } else if (command == "view-row" && argc > 2) {
        const RECT row = wt::ListRowScreenRect(::GetDlgItem(main, IDC_SHORTCUT_LIST), std::atoi(argv[2]));
        ::SetForegroundWindow(main);
        Click((row.left + row.right) / 2, (row.top + row.bottom) / 2);
        Settle(main);
        PrintClientArea(main);
    } else if (command == "edit") {
        const HWND edit = OpenWith(main, IDC_EDIT_SHORTCUT);
        if (!edit)
            return Fail("no Edit dialog");
        PrintClientArea(edit);
    } else if (command == "cancel-edit") {
        if (!Close(OtherDialog(main), IDCANCEL))
            return Fail("the Edit dialog stayed");
        Settle(main);
    } else if (command == "print") {
        const HWND print = OpenWith(main, IDC_PRINT);
        if (!print)
            return Fail("no print dialog");
        if (!Close(print, IDOK))
            return Fail("the print dialog stayed");
    } else if (command == "popup" && argc > 2) {
        // From the tray, as the shortcut is used.
        ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        if (!WaitUntil([&] { return !::IsWindowVisible(main); }))
            return Fail("the main dialog stayed");
        Settle(main);
        PressChord(static_cast<WORD>(argv[2][0]));
        HWND popup = nullptr;
        if (!WaitUntil([&] { return (popup = Popup()) != nullptr; }))
            return Fail("no popup");
        // It closes by itself after a second and a half: time enough to paint, not more.
        ::Sleep(150);
        PrintClientArea(popup);
    } else if (command == "exit") {
        ::PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
        if (!WaitUntil([&] { return !::IsWindow(main); }))
            return Fail("the program did not end");
    } else {
        return Fail("usage: picture-helper open | view-row N | edit | cancel-edit | print | popup KEY | exit");
    }
    return 0;
}
EOF
x86_64-w64-mingw32-g++-posix -std=c++17 -O1 -I"$ROOT" -o "$work/picture-helper.exe" \
    "$work/picture-helper.cpp" "$ROOT/tests/wine/support/RemoteControls.cpp" \
    -static -static-libgcc -static-libstdc++

# Sessions of their own, as the tests have them: the printer first, so that the
# programs find it.
source "$ROOT/scripts/print-session.sh"
print_session_start
source "$ROOT/scripts/wine-session.sh"
wine_session_start 1024x768
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1

# The example shortcuts, three kinds, with a picture that exists.
rm -rf "$install_dir"
mkdir -p "$install_dir/images"
cp "$BIN/Tarnwick.exe" "$BIN/ntlauncher.exe" "$BIN/keyhook.dll" "$install_dir/"
convert -size 96x32 xc:'#1f5fa8' -fill white -draw 'rectangle 8,8 24,24' -strip "BMP3:$install_dir/images/logo.bmp"
printf '%s\r\n' '[paths]' 'B=C:\Reports' 'M=mailto:desk@example.org' 'P=C:\Reports\Plan 2027.docx' \
    'F12=https://example.org' '[contents]' 'C=Café Rossi — lunch for two, 24 €' 'K=Kind regards,{}The desk' \
    'S=Please find the report attached.' '[graphics]' 'L=C:\Tools\Tarnwick\images\logo.bmp' \
    >"$install_dir/keyset.ini"

helper() { wine "$work/picture-helper.exe" "$@" </dev/null 2>&1 | tr -d '\r'; }

# The X window that shows an area of the screen: the smallest one on view that holds it.
# Wine gives each window of its desktop an X window of its own, and a dialog that
# opens over another shows in its own window but not always in the picture of the
# whole display, so each window is taken by itself.
window_at() {   # W H X Y; prints "ID LEFT TOP"
    local w=$1 h=$2 x=$3 y=$4 line id ww wh wx wy best="" best_size=0
    while read -r line; do
        [[ $line =~ ^(0x[0-9a-f]+).*\ ([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+\ +\+(-?[0-9]+)\+(-?[0-9]+)\ *$ ]] || continue
        id=${BASH_REMATCH[1]} ww=${BASH_REMATCH[2]} wh=${BASH_REMATCH[3]} wx=${BASH_REMATCH[4]} wy=${BASH_REMATCH[5]}
        ((wx <= x && wy <= y && wx + ww >= x + w && wy + wh >= y + h)) || continue
        [ -z "$best" ] || ((ww * wh < best_size)) || continue
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' || continue
        best="$id $wx $wy" best_size=$((ww * wh))
    done < <(xwininfo -root -tree)
    echo "$best"
}

# Photographs the area, WIDTHxHEIGHT+X+Y on the screen as the helper printed it, and
# writes it as a small PNG of 96 dpi without dates.
shoot() {   # area out
    local area=$1 out=$2 w h x y id wx wy
    [[ $area =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "help-pictures: $area" >&2; exit 1; }
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    read -r id wx wy < <(window_at "$w" "$h" "$x" "$y") || { echo "help-pictures: no window at $area" >&2; exit 1; }
    xwd -id "$id" -silent | convert xwd:- -crop "${w}x${h}+$((x - wx))+$((y - wy))" +repage -strip \
        -units PixelsPerInch -density 96 -define png:exclude-chunks=date,time "PNG8:$out"
    echo "$out ($area)"
}

(cd "$install_dir" && wine ntlauncher.exe </dev/null >/dev/null 2>&1 &)
shoot "$(helper open)" "$DOCS/help/main-dialog.png"
# The rows are in key order, B C K L M P S F12: row 2 is K, the text with a line break.
shoot "$(helper view-row 2)" "$DOCS/editor.png"
shoot "$(helper edit)" "$DOCS/help/edit-dialog.png"
helper cancel-edit

# The sheet of the same shortcuts, page 1 at 96 dpi (A4: 794 x 1123), and its top down to
# the last entry.
helper print
for _ in $(seq 300); do
    compgen -G "$TARNWICK_PDF_DIR/job_*.pdf" >/dev/null && break
    sleep 0.1
done
pdf=$(compgen -G "$TARNWICK_PDF_DIR/job_*.pdf" | head -n 1) || { echo "help-pictures: nothing printed" >&2; exit 1; }
pdftoppm -r 96 -gray -png -f 1 -l 1 -singlefile "$pdf" "$work/sheet"
convert "$work/sheet.png" -strip -units PixelsPerInch -density 96 -define png:exclude-chunks=date,time \
    "$DOCS/printout.png"
echo "$DOCS/printout.png (page 1)"
bottom=$(convert "$work/sheet.png" -trim -format '%[fx:page.y+h]' info:)
convert "$work/sheet.png" -crop "794x$((bottom + 24))+0+0" +repage -strip -units PixelsPerInch -density 96 \
    -define png:exclude-chunks=date,time "$DOCS/help/printout.png"
echo "$DOCS/help/printout.png (its top)"

# The popup shows for a second and a half: the helper tells where as soon as it shows.
shoot "$(helper popup K)" "$DOCS/help/popup.png"
helper exit
