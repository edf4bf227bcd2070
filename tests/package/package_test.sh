#!/usr/bin/env bash
# Builds the Debian package and checks it as a school's technician would:
# its contents, the desktop entry and metainfo validators, lintian, then the
# package unpacked into a throw-away root: the launcher shows the title
# screen, and with the program folder read-only a user's imported worksheets
# go to the user's own worksheet folder.
#   package_test.sh BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/../e2e/xvfb.sh"
build=$1
source_dir=$2
chmod 0755 "$work" # the unprivileged user below reaches the unpacked root

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/deb/*.deb)
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//; s/ -> .*//' >"$work/contents"
for f in ./usr/bin/oravians ./usr/lib/oravians/oravians "./usr/lib/oravians/multiple/Edmund Quellmore.txt" \
    ./usr/lib/oravians/wmf/guide1.wmf ./usr/lib/oravians/wav/click.wav \
    ./usr/share/applications/org.oravians.Oravians.desktop ./usr/share/metainfo/org.oravians.Oravians.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.oravians.Oravians.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.oravians.Oravians.png ./usr/share/man/man1/oravians.1.gz; do
    grep -qxF "$f" "$work/contents" || fail "the package has no $f"
done
! grep -q 'track\.txt' "$work/contents" || fail "the package ships a worksheet register"
echo "ok: contents"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/as.log" 2>&1 || { cat "$work/as.log"; fail "metainfo"; }
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
grep -E '^[EW]: ' "$work/lintian.log" || true
! grep -q '^E: ' "$work/lintian.log" || fail "lintian reports errors"
echo "ok: validators and lintian"

# The launcher finds its program folder through the link and shows the title.
"$root/usr/bin/oravians" &
program_pid=$!
wait_for_window
expect_pixel "$(client_x 5520)" "$(client_y 6930)" 180 300 "192,192,192" "the installed program shows its title screen"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=

# A user who cannot write to the program folder keeps worksheets at home.
home=$work/home
mkdir -p "$home"
chown nobody "$home"
chmod -R go-w "$root/usr/lib/oravians"
env -i PATH=/usr/bin:/bin HOME="$home" setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "$root/usr/bin/oravians" --import "$source_dir/tests/data/interchange/aiken-crlf.txt" >"$work/import.log" 2>&1 \
    || { cat "$work/import.log"; fail "import as a user failed"; }
ls "$home/.local/share/oravians/worksheets/track.txt" >/dev/null 2>&1 || { cat "$work/import.log"; fail "no register in the user's worksheet folder"; }
ls "$root/usr/lib/oravians/multiple" | grep -q track.txt && fail "the import wrote into the program folder"
echo "ok: worksheets of a user go to ~/.local/share/oravians/worksheets"

# On a throw-away machine (CI, as root) the package goes through apt as a
# school's would: installed, started from its desktop entry, removed; the
# worksheets a teacher made meanwhile stay. A machine that already has the
# program installed is left alone, and ORAVIANS_TEST_APT=0 skips this.
if [[ $(id -u) != 0 || ${ORAVIANS_TEST_APT:-1} == 0 ]] || dpkg-query -W -f='${Status}' oravians 2>/dev/null | grep -q installed; then
    echo "skip: installing with apt (needs root, and no installed copy)"
    exit 0
fi
cleanup_more() { apt-get remove -y oravians >/dev/null 2>&1 || true; }
cp "$deb" "$work/oravians.deb"
apt-get install -y --no-install-recommends "$work/oravians.deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install failed"; }
launch=$(sed -n 's/^Exec=//p' /usr/share/applications/org.oravians.Oravians.desktop)
[[ $(command -v "${launch%% *}") == /usr/bin/oravians ]] || fail "the desktop entry's command is not the installed launcher"
$launch &
program_pid=$!
wait_for_window
expect_pixel "$(client_x 5520)" "$(client_y 6930)" 180 300 "192,192,192" "the program installed by apt shows its title screen"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
teacher=$work/teacher
mkdir -p "$teacher"
HOME=$teacher oravians --import "$source_dir/tests/data/interchange/aiken-crlf.txt" >"$work/import2.log" 2>&1 \
    || { cat "$work/import2.log"; fail "import with the installed program failed"; }
kept=$(ls "$teacher/.local/share/oravians/worksheets")
apt-get remove -y oravians >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove failed"; }
[[ ! -e /usr/lib/oravians && ! -e /usr/bin/oravians ]] || fail "apt-get remove left the program behind"
[[ $(ls "$teacher/.local/share/oravians/worksheets") == "$kept" ]] || fail "removing the program touched the worksheets"
echo "ok: apt installs, the desktop entry starts it, apt removes it and the worksheets stay"
