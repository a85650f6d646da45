#include "JetKaynagi.h"

#include "CYereli.h"
#include "DosyaHatasi.h"
#include "EskiBicim.h"
#include "JetDegeri.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <mdbtools.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{

constexpr qint64 sayfaBoyutu = 4096;

[[noreturn]] void reddet(const QString& yol, const QString& neden)
{
    throw VeriHatasi(QString(), QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(yol), neden));
}

void bicimiDenetle(const QString& yol)
{
    const QFileInfo bilgi(yol);
    if (!bilgi.exists())
        reddet(yol, QStringLiteral("Dosya bulunamadı."));
    if (!bilgi.isFile())
        reddet(yol, QStringLiteral("Bu bir dosya değil."));
    QFile dosya(yol);
    if (!dosya.open(QIODevice::ReadOnly))
        reddet(yol, QStringLiteral("Dosya okunamadı: %1.").arg(DosyaHatasi::neden(dosya)));
    if (bilgi.size() == 0)
        reddet(yol, QStringLiteral("Dosya boş."));
    switch (eskiBicim(yol)) {
    case EskiBicim::Jet4:
        break;
    case EskiBicim::Jet3:
        reddet(yol, QStringLiteral("Dosya Access 97 (Jet 3) biçiminde; yalnızca Access 2000 "
                                   "(Jet 4) biçimindeki dosyalar aktarılabilir."));
    case EskiBicim::Ace:
        reddet(yol, QStringLiteral("Dosya yeni Access (ACE, .accdb) biçiminde; yalnızca Access "
                                   "2000 (Jet 4) biçimindeki dosyalar aktarılabilir."));
    case EskiBicim::Degil:
        if (dosya.read(16) == QByteArrayView("SQLite format 3\0", 16))
            reddet(yol, QStringLiteral("Dosya zaten Morvane'nin (SQLite) biçiminde; aktarılacak "
                                       "bir şey yok."));
        reddet(yol, QStringLiteral("Dosya bir Access 2000 (Jet 4) veritabanı değil."));
    }
    // A Jet 4 file is made of whole 4 KiB pages.
    if (bilgi.size() % sayfaBoyutu != 0)
        reddet(yol, QStringLiteral("Dosya eksik ya da bozuk: boyutu (%1 bayt) sayfa boyutunun "
                                   "katı değil.")
                        .arg(bilgi.size()));
}

struct TabloSilici {
    void operator()(MdbTableDef* tablo) const { mdb_free_tabledef(tablo); }
};
using TabloTanimi = std::unique_ptr<MdbTableDef, TabloSilici>;

// libmdb re-reads its catalogue here and frees what it held: read tables one at a time.
TabloTanimi tabloyuAc(MdbHandle* mdb, const QString& yol, const QString& ad)
{
    QByteArray adi = ad.toUtf8();
    TabloTanimi tablo(mdb_read_table_by_name(mdb, adi.data(), MDB_TABLE));
    if (!tablo || !mdb_read_columns(tablo.get()))
        reddet(yol, QStringLiteral("%1 tablosu okunamadı; dosya bozuk olabilir.").arg(ad));
    return tablo;
}

MdbColumn* sutun(MdbTableDef* tablo, unsigned int sira)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(tablo->columns, sira));
}

// One field the import asks for: where it stands in the table and how its value is read.
struct Secilen {
    unsigned int sira;
    const MdbColumn* sutun;
    JetDegeri::Tur tur;
    QString ad;
};

// The table's columns for the fields asked for, in their order; refuses a missing field and one
// of a kind a budget has no use for.
std::vector<Secilen> alanlariSec(MdbTableDef* tanim, const QString& yol, const QString& tablo,
                                 const QStringList& alanlar)
{
    std::vector<Secilen> secilenler;
    secilenler.reserve(size_t(alanlar.size()));
    for (const QString& alan : alanlar) {
        unsigned int sira = 0;
        while (sira < tanim->num_cols &&
               QString::fromUtf8(sutun(tanim, sira)->name).compare(alan, Qt::CaseInsensitive))
            ++sira;
        if (sira == tanim->num_cols)
            reddet(yol, QStringLiteral("%1.%2 alanı yok.").arg(tablo, alan));
        const MdbColumn* kolon = sutun(tanim, sira);
        if (JetDegeri::tur(kolon->col_type) == JetDegeri::Tur::Okunmaz)
            reddet(yol, QStringLiteral("%1.%2 alanı %3 türünde; aktarılamaz.")
                            .arg(tablo, alan, JetDegeri::turAdi(kolon->col_type)));
        secilenler.push_back({sira, kolon, JetDegeri::tur(kolon->col_type), alan});
    }
    return secilenler;
}

// libmdb's text for a field, as it hands it to a bound column. It prints floating values with the
// C library, in the "C" locale here whatever the process's.
QByteArray metin(MdbHandle* mdb, const Secilen& secilen, const MdbField& alan)
{
    if (alan.siz == 0)
        return {};
    const CYereli::Kapsam c;
    const MdbColumn* k = secilen.sutun;
    char* metin = k->col_type == MDB_NUMERIC
                      ? mdb_numeric_to_string(mdb, alan.start, k->col_scale, k->col_prec)
                      : mdb_col_to_string(mdb, mdb->pg_buf, alan.start, k->col_type, alan.siz);
    QByteArray sonuc(metin);
    g_free(metin);
    return sonuc;
}

// The value of one field of the row in libmdb's page buffer, as mdb_crack_row found it.
QVariant deger(MdbHandle* mdb, const QString& yol, const QString& tablo, const Secilen& secilen,
               const MdbField& alan)
{
    if (alan.is_null)
        return {};
    // Currency is a whole number of ten-thousandths: read as one, it needs none of libmdb's
    // slow decimal arithmetic.
    if (secilen.sutun->col_type == MDB_MONEY && alan.siz == 8 && alan.start >= 0 &&
        alan.start + 8 <= mdb->fmt->pg_size) {
        qint64 onBinde = 0;
        std::memcpy(&onBinde, mdb->pg_buf + alan.start, 8);
        if (const auto para = JetDegeri::paradan(qFromLittleEndian(onBinde)))
            return *para;
    }
    const QByteArray yazi = metin(mdb, secilen, alan);
    if (size_t(yazi.size()) + 1 >= mdb->bind_size)
        reddet(yol, QStringLiteral("%1.%2 alanında okunamayacak kadar uzun bir metin var.")
                        .arg(tablo, secilen.ad));
    const auto sonuc = JetDegeri::donustur(secilen.tur, yazi);
    if (!sonuc)
        reddet(yol, QStringLiteral("%1.%2 alanındaki \"%3\" değeri okunamadı.")
                        .arg(tablo, secilen.ad, QString::fromUtf8(yazi)));
    return *sonuc;
}

} // namespace

struct JetKaynagi::Tutamac {
    MdbHandle* mdb;
    ~Tutamac() { mdb_close(mdb); }
};

JetKaynagi::JetKaynagi(const QString& yol) : yol_(QFileInfo(yol).absoluteFilePath())
{
    bicimiDenetle(yol_);
    // libmdb searches MDBPATH when it cannot find the file, and loops forever on an empty entry.
    qunsetenv("MDBPATH");
    MdbHandle* mdb = mdb_open(QFile::encodeName(yol_).constData(), MDB_NOFLAGS);
    if (!mdb)
        reddet(yol_, QStringLiteral("Dosya açılamadı."));
    tutamac_.reset(new Tutamac{mdb});
    // An all-zero file opens without complaint; its catalogue cannot be read.
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        reddet(yol_, QStringLiteral("Dosyanın tablo listesi okunamadı; dosya bozuk."));
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* girdi = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (girdi->object_type == MDB_TABLE && mdb_is_user_table(girdi))
            tablolar_ << QString::fromUtf8(girdi->object_name);
    }
}

JetKaynagi::~JetKaynagi() = default;

QStringList JetKaynagi::alanlar(const QString& tablo)
{
    const TabloTanimi tanim = tabloyuAc(tutamac_->mdb, yol_, tablo);
    QStringList adlar;
    for (unsigned int i = 0; i < tanim->num_cols; ++i)
        adlar << QString::fromUtf8(sutun(tanim.get(), i)->name);
    return adlar;
}

qint64 JetKaynagi::satirSayisi(const QString& tablo)
{
    return tabloyuAc(tutamac_->mdb, yol_, tablo)->num_rows;
}

void JetKaynagi::oku(const QString& tablo, const QStringList& alanlar, const SatirAlici& alici)
{
    const TabloTanimi tanim = tabloyuAc(tutamac_->mdb, yol_, tablo);
    const std::vector<Secilen> secilenler = alanlariSec(tanim.get(), yol_, tablo, alanlar);
    std::vector<MdbField> alanBilgileri(MDB_MAX_COLS);
    std::vector<const MdbField*> sirayla(tanim->num_cols);
    QVariantList degerler(alanlar.size());
    qint64 okunan = 0;
    mdb_rewind_table(tanim.get());
    while (mdb_fetch_row(tanim.get())) {
        // The row just fetched is still in libmdb's page buffer; cracking it gives each field's
        // place and NULL mark. Nothing is bound: libmdb would turn every field into text first.
        int baslangic = 0;
        size_t boy = 0;
        if (mdb_find_row(tutamac_->mdb, int(tanim->cur_row) - 1, &baslangic, &boy) != 0 ||
            mdb_crack_row(tanim.get(), baslangic, boy, alanBilgileri.data()) !=
                int(tanim->num_cols))
            reddet(
                yol_,
                QStringLiteral("%1 tablosunun %2. satırı okunamadı.").arg(tablo).arg(okunan + 1));
        std::fill(sirayla.begin(), sirayla.end(), nullptr);
        for (unsigned int i = 0; i < tanim->num_cols; ++i)
            if (alanBilgileri[i].colnum >= 0 && unsigned(alanBilgileri[i].colnum) < tanim->num_cols)
                sirayla[size_t(alanBilgileri[i].colnum)] = &alanBilgileri[i];
        for (size_t i = 0; i < secilenler.size(); ++i) {
            const MdbField* alan = sirayla[secilenler[i].sira];
            if (!alan)
                reddet(yol_, QStringLiteral("%1 tablosunun %2. satırı okunamadı.")
                                 .arg(tablo)
                                 .arg(okunan + 1));
            degerler[qsizetype(i)] = deger(tutamac_->mdb, yol_, tablo, secilenler[i], *alan);
        }
        ++okunan;
        alici(degerler);
    }
    // A cut-off file loses rows without any error from libmdb.
    if (okunan != qint64(tanim->num_rows))
        reddet(yol_, QStringLiteral("%1 tablosu %2 satır tutuyor, ancak %3 satırı okunabildi; "
                                    "dosya eksik ya da bozuk.")
                         .arg(tablo)
                         .arg(tanim->num_rows)
                         .arg(okunan));
}
