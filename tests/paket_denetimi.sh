#!/usr/bin/env bash
# paket_denetimi.sh KLASÖR SÜRÜM: builds the Debian package with ./scripts/package into KLASÖR and
# checks it without installing it: its files, its control fields, the desktop entry, the AppStream
# file, and that the packaged tool keeps the budget file in the user's data folder.
set -euo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)
cikis=$1
surum=$2
rm -rf "$cikis"
mkdir -p "$cikis"
if ! "$kok/scripts/package" "$cikis" >"$cikis/package.log" 2>&1; then
  cat "$cikis/package.log"
  exit 1
fi
mimari=$(dpkg --print-architecture)
deb="$cikis/morvane_${surum}_${mimari}.deb"
[ -f "$deb" ] || { echo "$deb yok:"; ls "$cikis"; exit 1; }

hatalar=0
hata() {
  echo "HATA: $*"
  hatalar=$((hatalar + 1))
}
ayni() { # ne beklenen bulunan
  [ "$2" = "$3" ] || hata "$1:"$'\n'"$(diff <(echo "$2") <(echo "$3"))"
}

ayni "files" "$(sort <<'EOF'
-rwxr-xr-x root/root ./usr/bin/morvane
-rwxr-xr-x root/root ./usr/bin/varnel-aktar
-rwxr-xr-x root/root ./usr/bin/varnel-disa-aktar
-rwxr-xr-x root/root ./usr/bin/varnel-ekstre
-rwxr-xr-x root/root ./usr/bin/varnel-olustur
-rw-r--r-- root/root ./usr/share/applications/morvane.desktop
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/morvane.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/morvane.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/morvane.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/morvane.svg
-rw-r--r-- root/root ./usr/share/metainfo/tr.morvane.morvane.metainfo.xml
EOF
)" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)"

ayni "control fields" "morvane $surum $mimari" \
  "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version) $(dpkg-deb -f "$deb" Architecture)"
bagimliliklar=$(dpkg-deb -f "$deb" Depends)
for p in libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libqt6charts6 libqt6sql6 libsqlite3-0 \
  libmdb3 libxlsxwriter4 libminizip1 libfreexl1 libc6; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$bagimliliklar" || hata "Depends lacks $p: $bagimliliklar"
done

acik="$cikis/acik"
dpkg-deb -x "$deb" "$acik"
masaustu="$acik/usr/share/applications/morvane.desktop"
sonuc=$(desktop-file-validate "$masaustu" 2>&1) || hata "desktop-file-validate failed"
[ -z "$sonuc" ] || hata "desktop-file-validate: $sonuc"
ayni "desktop entry" "Name=Morvane
GenericName=Ev Bütçesi
Exec=morvane
Icon=morvane
Categories=Office;Finance;
StartupWMClass=morvane" \
  "$(grep -E '^(Name|GenericName|Exec|Icon|Categories|StartupWMClass)=' "$masaustu")"
grep -q '^Comment=.*bütçe' "$masaustu" || hata "no Turkish Comment"
grep -q '^Comment\[en\]=.*budget' "$masaustu" || hata "no English Comment"
grep -q '^Keywords=.*bütçe;' "$masaustu" || hata "no Turkish Keywords"
bilgi="$acik/usr/share/metainfo/tr.morvane.morvane.metainfo.xml"
appstreamcli validate --no-net "$bilgi" || hata "appstreamcli validate failed"
grep -q "<release version=\"$surum\"" "$bilgi" || hata "the AppStream release is not $surum"
for boyut in 48 128 256; do
  file "$acik/usr/share/icons/hicolor/${boyut}x${boyut}/apps/morvane.png" |
    grep -q "PNG image data, $boyut x $boyut," || hata "morvane.png is not ${boyut}x${boyut}"
done

# Built for installing: even from a writable folder the tool uses the user's data folder.
ev="$cikis/ev"
ayni "--version" "varnel-olustur $surum" "$("$acik/usr/bin/varnel-olustur" --version)"
HOME="$ev" XDG_DATA_HOME="$ev/veri" "$acik/usr/bin/varnel-olustur" >/dev/null ||
  hata "varnel-olustur failed"
ayni "created folder and file modes" "700 600" \
  "$(stat -c %a "$ev/veri/Morvane" "$ev/veri/Morvane/Varnel.mdb" 2>&1 | xargs)"
[ ! -e "$acik/usr/bin/Varnel.mdb" ] || hata "a file was created beside the packaged tool"

[ "$hatalar" -eq 0 ] || { echo "$hatalar hata"; exit 1; }
echo "$(basename "$deb"): her denetim geçti"
