#include "JetKaynagi.h"

#include "EskiBicim.h"
#include "JetDegeri.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

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
        reddet(yol, QStringLiteral("Dosya okunamadı: %1").arg(dosya.errorString()));
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
    struct Baglanti {
        unsigned int sira;
        JetDegeri::Tur tur;
        std::vector<char> metin;
        int uzunluk = 0;
    };
    std::vector<Baglanti> baglantilar;
    baglantilar.reserve(size_t(alanlar.size()));
    for (const QString& alan : alanlar) {
        unsigned int sira = 0;
        while (sira < tanim->num_cols &&
               QString::fromUtf8(sutun(tanim.get(), sira)->name).compare(alan, Qt::CaseInsensitive))
            ++sira;
        if (sira == tanim->num_cols)
            reddet(yol_, QStringLiteral("%1.%2 alanı yok.").arg(tablo, alan));
        const int mdbTuru = sutun(tanim.get(), sira)->col_type;
        if (JetDegeri::tur(mdbTuru) == JetDegeri::Tur::Okunmaz)
            reddet(yol_, QStringLiteral("%1.%2 alanı %3 türünde; aktarılamaz.")
                             .arg(tablo, alan, JetDegeri::turAdi(mdbTuru)));
        baglantilar.push_back(
            {sira, JetDegeri::tur(mdbTuru), std::vector<char>(tutamac_->mdb->bind_size), 0});
    }
    for (Baglanti& b : baglantilar)
        mdb_bind_column(tanim.get(), int(b.sira) + 1, b.metin.data(), &b.uzunluk);

    std::vector<MdbField> alanBilgileri(MDB_MAX_COLS);
    std::vector<bool> bos(tanim->num_cols);
    QVariantList degerler(alanlar.size());
    qint64 okunan = 0;
    mdb_rewind_table(tanim.get());
    while (mdb_fetch_row(tanim.get())) {
        // The bound text is empty for NULL and for empty text alike; the row's own NULL marks
        // tell them apart. The row just fetched is still in libmdb's page buffer.
        int baslangic = 0;
        size_t boy = 0;
        if (mdb_find_row(tutamac_->mdb, int(tanim->cur_row) - 1, &baslangic, &boy) != 0 ||
            mdb_crack_row(tanim.get(), baslangic, boy, alanBilgileri.data()) !=
                int(tanim->num_cols))
            reddet(
                yol_,
                QStringLiteral("%1 tablosunun %2. satırı okunamadı.").arg(tablo).arg(okunan + 1));
        for (unsigned int i = 0; i < tanim->num_cols; ++i)
            bos[size_t(alanBilgileri[i].colnum)] = alanBilgileri[i].is_null;
        for (size_t i = 0; i < baglantilar.size(); ++i) {
            const Baglanti& b = baglantilar[i];
            if (bos[b.sira]) {
                degerler[qsizetype(i)] = QVariant();
                continue;
            }
            if (size_t(b.uzunluk) + 1 >= b.metin.size())
                reddet(yol_, QStringLiteral("%1.%2 alanında okunamayacak kadar uzun bir metin var.")
                                 .arg(tablo, alanlar[qsizetype(i)]));
            const auto deger =
                JetDegeri::donustur(b.tur, QByteArrayView(b.metin.data(), b.uzunluk));
            if (!deger)
                reddet(yol_, QStringLiteral("%1.%2 alanındaki \"%3\" değeri okunamadı.")
                                 .arg(tablo, alanlar[qsizetype(i)],
                                      QString::fromUtf8(b.metin.data(), b.uzunluk)));
            degerler[qsizetype(i)] = *deger;
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
