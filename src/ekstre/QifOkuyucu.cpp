#include "QifOkuyucu.h"

#include "EkstreSayilari.h"
#include "TurkceMetin.h"

#include <QHash>

namespace
{

// The record's fields in the heading's order, under the heading's words.
constexpr char16_t alanlar[] = {u'D', u'P', u'T', u'M', u'L', u'N'};
const QStringList basliklar{QStringLiteral("Tarih"),    QStringLiteral("Açıklama"),
                            QStringLiteral("Tutar"),    QStringLiteral("Not"),
                            QStringLiteral("Kategori"), QStringLiteral("Numara")};

bool hareketBolumu(const QString& satir)
{
    const QString tur = satir.mid(6).trimmed().toUpper();
    return tur == u"BANK" || tur == u"CCARD" || tur == u"CASH" || tur == u"OTH A" ||
           tur == u"OTH L";
}

bool acilisBakiyesi(const QHash<QChar, QString>& kayit)
{
    const QString alici = kayit.value(u'P').trimmed();
    return (TurkceMetin::esit(alici, QStringLiteral("Opening Balance")) ||
            TurkceMetin::esit(alici, QStringLiteral("Açılış Bakiyesi"))) &&
           kayit.value(u'L').startsWith(u'[');
}

} // namespace

EkstreTablosu QifOkuyucu::oku(const QString& yol, const OkumaSecenekleri& secenekler) const
{
    const QByteArray veri = dosyayiOku(yol);
    EkstreTablosu tablo;
    const QString metin = EkstreOkuyucu::metin(yol, veri, secenekler, tablo);
    tablo.bicim = QStringLiteral("QIF");
    tablo.kayitlar = true;
    TabloSatiri baslik;
    for (const QString& b : basliklar)
        baslik.hucreler << Hucre{Hucre::Tur::Metin, b};
    tablo.satirlar << baslik;

    bool okunur = false;      // in a section of movements
    bool bolumunIlki = false; // its next record is its first
    qint64 kayitNo = 0;
    QHash<QChar, QString> kayit;
    const auto kayitBitti = [&](bool yarim) {
        ++kayitNo;
        if (bolumunIlki && acilisBakiyesi(kayit) && !yarim) {
            tablo.acilisBakiyesi = EkstreSayilari::tutarKurusu(kayit.value(u'T'));
        } else {
            EkstreOkuyucu::satirSiniri(yol, tablo);
            TabloSatiri s{kayitNo, {}, {}};
            if (yarim)
                s.sorun = QStringLiteral("kayıt «^» ile bitmiyor (dosya yarım olabilir)");
            for (const char16_t alan : alanlar) {
                const QString deger = kayit.value(alan).trimmed();
                s.hucreler << Hucre{deger.isEmpty() ? Hucre::Tur::Bos : Hucre::Tur::Metin,
                                    EkstreOkuyucu::hucreMetni(deger, s)};
            }
            tablo.satirlar << s;
        }
        bolumunIlki = false;
        kayit.clear();
    };
    for (QStringView satir : QStringView(metin).split(u'\n')) {
        if (satir.endsWith(u'\r'))
            satir.chop(1);
        if (satir.isEmpty())
            continue;
        if (satir.front() == u'!') {
            const QString komut = satir.toString();
            if (komut.startsWith(u"!Type:", Qt::CaseInsensitive)) {
                okunur = hareketBolumu(komut);
                bolumunIlki = true;
            } else if (komut.startsWith(u"!Account", Qt::CaseInsensitive)) {
                okunur = false;
            }
            kayit.clear();
        } else if (satir.front() == u'^') {
            if (okunur && !kayit.isEmpty())
                kayitBitti(false);
            kayit.clear();
        } else if (okunur && !kayit.contains(satir.front())) {
            // The first line of each field; the split lines (S, E, $) are the same money again.
            kayit.insert(satir.front(), satir.mid(1).left(EkstreSiniri::hucre + 1).toString());
        }
    }
    if (okunur && !kayit.isEmpty())
        kayitBitti(true);
    return tablo;
}
