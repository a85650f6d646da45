#!/usr/bin/env python3
# Makes the damaged files tst_ekstre reads, from ../a-hesap-hareketleri.xlsx; run from this folder.
# The output is the same on every run.
import struct
import zipfile

KAYNAK = '../a-hesap-hareketleri.xlsx'
TARIH = (2025, 1, 31, 0, 0, 0)


def boyutu_yaz(veri, imza, ad_yeri, boyut_yeri, ad, boyut):
    """Writes `boyut` as the stated size of the entry `ad` in the headers of that signature."""
    i = veri.find(imza)
    while veri[i + ad_yeri:i + ad_yeri + len(ad)] != ad:
        i = veri.find(imza, i + 4)
    struct.pack_into('<I', veri, i + boyut_yeri, boyut)


# The sheet unpacks to more than its entry states: its stated size (in its local header and in the
# central directory alike) cut to 4096 bytes, its checksum left as the whole part's.
with zipfile.ZipFile(KAYNAK) as z, zipfile.ZipFile('parca-buyuk.xlsx', 'w') as y:
    for bilgi in z.infolist():
        yeni = zipfile.ZipInfo(bilgi.filename, date_time=TARIH)
        yeni.compress_type = zipfile.ZIP_DEFLATED
        y.writestr(yeni, z.read(bilgi.filename))
veri = bytearray(open('parca-buyuk.xlsx', 'rb').read())
sayfa = b'xl/worksheets/sheet1.xml'
boyutu_yaz(veri, b'PK\x03\x04', 30, 22, sayfa, 4096)
boyutu_yaz(veri, b'PK\x01\x02', 46, 24, sayfa, 4096)
open('parca-buyuk.xlsx', 'wb').write(bytes(veri))

# A zip that is no workbook.
with zipfile.ZipFile('kitap-degil.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr(zipfile.ZipInfo('not.txt', date_time=TARIH), 'Merhaba\n')

# What a workbook saved with a password is: a compound file holding "EncryptedPackage".
imza = b'\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1'
open('sifreli.xlsx', 'wb').write(
    imza + bytes(504) + 'EncryptedPackage'.encode('utf-16-le') + bytes(480))

# A compound file's signature and nothing a workbook holds.
open('bozuk.xls', 'wb').write(imza + bytes(range(256)) * 8)
