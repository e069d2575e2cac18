#!/usr/bin/env bash
# Builds the Debian package from an existing build folder, unpacks it into a staging
# folder as dpkg would install it, and runs the installed programs from there: they must
# find their pictures and sounds relative to their own folder, fill a new user's picture
# folder, run a subject through a cluster on a real (virtual) screen, and read and write
# the same files as the build tree's programs. Also checks a
# relocated `cmake --install` and validates the desktop, file-type and AppStream files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
root=$(mktemp -d /tmp/kelvane-package.XXXXXX)
trap 'rm -rf "$root"' EXIT
export QT_QPA_PLATFORM=offscreen

fail() { echo "package test: $*" >&2; exit 1; }

echo "== package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/kelvane_*.deb | head -1)
# Read whole before matching: grep -q stopping early would fail the pipe under pipefail.
info=$(dpkg-deb -I "$deb")
grep -q 'Depends:.*libqt6widgets6' <<<"$info" || fail "no shared-library dependencies in $deb"
dpkg-deb -x "$deb" "$root/stage"
usr=$root/stage/usr

for file in bin/kelvane bin/kelvane-check bin/kelvane-analyze bin/kelvane-analyzer \
            share/kelvane/sound.wav share/kelvane/click.wav share/kelvane/ico/Box1.ico \
            share/applications/org.kelvane.Kelvane.desktop \
            share/applications/org.kelvane.KelvaneAnalyzer.desktop \
            share/mime/packages/kelvane.xml share/metainfo/org.kelvane.Kelvane.metainfo.xml \
            share/doc/kelvane/index.md share/doc/kelvane/images/editor.png \
            share/doc/kelvane/examples/first-cluster.box \
            share/icons/hicolor/scalable/apps/kelvane.svg share/icons/hicolor/48x48/apps/kelvane-analyzer.png; do
  [[ -e $usr/$file ]] || fail "the package lacks /usr/$file"
done
[[ $(ls "$usr/share/kelvane/ico" | wc -l) -eq 14 ]] || fail "the package does not hold the 14 default pictures"

echo "== validators"
desktop-file-validate "$usr"/share/applications/*.desktop
appstreamcli validate --no-net "$usr/share/metainfo/org.kelvane.Kelvane.metainfo.xml"
mkdir -p "$root/mime/packages" && cp "$usr/share/mime/packages/kelvane.xml" "$root/mime/packages/"
update-mime-database "$root/mime"
grep -q 'application/x-kelvane-results' "$root/mime/magic" 2>/dev/null || fail "the result file type has no magic"
for page in kelvane kelvane-check kelvane-analyze; do
  [[ -e $usr/share/man/man1/$page.1 ]] || fail "no man page for $page"
  man --warnings -l "$usr/share/man/man1/$page.1" >/dev/null 2>"$root/man.err" || fail "man page $page does not format"
  [[ ! -s $root/man.err ]] || { cat "$root/man.err"; fail "man page $page has formatting warnings"; }
  # Every option the program's --help offers is described in its man page.
  MANWIDTH=200 man -l "$usr/share/man/man1/$page.1" 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g; s/.\x08//g' >"$root/man.txt"
  for option in $("$usr/bin/$page" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -qF -- "$option" "$root/man.txt" || fail "the man page of $page does not describe $option"
  done
done

echo "== installed programs"
export HOME=$root/home XDG_DATA_HOME=$root/home/.local/share XDG_CONFIG_HOME=$root/home/.config
mkdir -p "$HOME" "$root/work"
cp tests/data/packaging/sample.box "$root/work/sample.box"
"$usr/bin/kelvane-check" "$root/work/sample.box" >"$root/check.out" || { cat "$root/check.out"; fail "kelvane-check refused the sample before the first start"; }
# The tutorial's first step copies the installed example cluster; it must run as shipped.
"$usr/bin/kelvane-check" "$usr/share/doc/kelvane/examples/first-cluster.box" >"$root/check.out" \
  || { cat "$root/check.out"; fail "the installed example cluster has problems"; }

# A picture the researcher drew before must survive the first start. A cluster naming a
# picture nobody has is refused before the start screen, on stderr, without a person.
mkdir -p "$XDG_DATA_HOME/kelvane/ico"
printf 'drawn by hand' >"$XDG_DATA_HOME/kelvane/ico/Box1.ico"
sed 's/"EmptyBox2.ico","Content1.ico"/"EmptyBox2.ico","Nowhere.ico"/' tests/data/packaging/sample.box >"$root/work/missing.box"
status=0
"$usr/bin/kelvane" --run-cluster "$root/work/missing.box" 2>"$root/run.err" || status=$?
[[ $status -eq 1 ]] || { cat "$root/run.err"; fail "a cluster with a missing picture gave exit status $status, not 1"; }
grep -q 'Nowhere.ico' "$root/run.err" || { cat "$root/run.err"; fail "the missing picture is not named"; }
[[ $(ls "$XDG_DATA_HOME/kelvane/ico" | wc -l) -eq 14 ]] || fail "the first start did not fill the picture folder"
[[ $(cat "$XDG_DATA_HOME/kelvane/ico/Box1.ico") == 'drawn by hand' ]] || fail "the first start replaced a picture of the researcher's"
cp "$usr/share/kelvane/ico/Box1.ico" "$XDG_DATA_HOME/kelvane/ico/Box1.ico"

# A subject plays the sample cluster through the installed kelvane on a real screen
# (Xvfb, real mouse clicks); its result line must be in the result file.
QT_QPA_PLATFORM=xcb timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" \
  bash scripts/package-subject.sh "$usr/bin/kelvane" "$root/work/sample.box" \
  || { cat "$root/work/sample.err"; fail "the installed kelvane did not run the sample cluster to its end"; }
last=$(tail -n 1 "$root/work/sample.bof")
[[ $last == $' 0 \tsample.box\t 2 \t 1 \t 2 \t'*$'\t 2 \t 1 2\t 1@ '*' 2@ '*$'\t\r' ]] \
  || fail "the sample run's result line is not as played: $(cat -A <<<"$last")"

"$usr/bin/kelvane-analyze" -o "$root/work/table.dat" tests/data/analyzer/worked.bof
grep -q '^worked' "$root/work/table.dat" || fail "kelvane-analyze wrote no row for the worked example"
# The command line is a Qt Core program: Qt Gui comes only with the report's library,
# which it loads from the installed library folder when a report is asked for.
linked=$(ldd "$usr/bin/kelvane-analyze")
! grep -qE 'libQt6(Widgets|Gui)' <<<"$linked" || fail "the installed kelvane-analyze links Qt Gui or Widgets: $linked"
"$usr/bin/kelvane-analyze" --report "$root/work/report.pdf" tests/data/analyzer/worked.bof 2>"$root/report.err" \
  || { cat "$root/report.err"; fail "the installed kelvane-analyze wrote no report"; }
[[ $(head -c 5 "$root/work/report.pdf") == '%PDF-' ]] || fail "the installed kelvane-analyze's report is not a PDF"

echo "== relocated install"
DESTDIR=$root/relocated cmake --install "$build" --prefix /opt/kelvane >/dev/null
HOME=$root/home2 XDG_DATA_HOME=$root/home2/share "$root/relocated/opt/kelvane/bin/kelvane-check" "$root/work/sample.box" >/dev/null \
  || fail "kelvane-check installed under /opt does not find its pictures"

echo "Package test passed: $(basename "$deb")"
