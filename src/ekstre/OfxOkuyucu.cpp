#include "OfxOkuyucu.h"

#include "EkstreSayilari.h"

#include <QXmlStreamReader>

namespace
{

// The heading of the rows, in the words the layout is found by.
const QStringList basliklar{QStringLiteral("Tarih"), QStringLiteral("Açıklama"),
                            QStringLiteral("Tutar"), QStringLiteral("Not"),
                            QStringLiteral("Tür"),   QStringLiteral("İşlem No")};

Hucre metinHucresi(const QString& metin)
{
    return {metin.isEmpty() ? Hucre::Tur::Bos : Hucre::Tur::Metin, metin};
}

// Elements as they open, take text and close, from either form of OFX.
class Toplayici
{
public:
    Toplayici(const QString& dosya, EkstreTablosu& hedef) : yol(dosya), tablo(hedef)
    {
        TabloSatiri baslik;
        for (const QString& b : basliklar)
            baslik.hucreler << metinHucresi(b);
        tablo.satirlar << baslik;
        tablo.kayitlar = true;
    }

    void ac(const QString& ad)
    {
        // An SGML leaf is not closed: the next element after its text closes it.
        if (!yigin.isEmpty() && !yigin.last().cocuklu && !yigin.last().metin.trimmed().isEmpty())
            kapa(yigin.last().ad);
        if (yigin.size() >= EkstreSiniri::derinlik)
            throw EkstreOkuyucu::hata(yol,
                                      QStringLiteral("OFX öğeleri çok derin iç içe (en çok %1).")
                                          .arg(EkstreSiniri::derinlik));
        if (!yigin.isEmpty())
            yigin.last().cocuklu = true;
        yigin.append({ad, {}, false});
        ofx = ofx || ad == u"OFX";
        if (ad == u"STMTTRN") {
            alanlar.clear();
            kayitta = true;
        }
    }

    void metin(QStringView metin)
    {
        if (!yigin.isEmpty() && yigin.last().metin.size() <= EkstreSiniri::hucre)
            yigin.last().metin += metin;
    }

    // Closes the element and whatever was left open within it; a closing tag of no open element
    // is passed over.
    void kapa(const QString& ad)
    {
        qsizetype yer = yigin.size() - 1;
        while (yer >= 0 && yigin[yer].ad != ad)
            --yer;
        while (yer >= 0 && yigin.size() > yer) {
            const Oge oge = yigin.takeLast();
            if (!oge.cocuklu)
                yaprak(oge.ad, oge.metin.trimmed());
            if (oge.ad == u"STMTTRN")
                kayitBitti(false);
        }
    }

    // The end of the file: a record still open was cut short.
    void bitir()
    {
        if (kayitta)
            kayitBitti(true);
        if (!ofx)
            throw EkstreOkuyucu::hata(yol, QStringLiteral("OFX dosyası değil (<OFX> öğesi yok)."));
    }

private:
    struct Oge {
        QString ad;
        QString metin;
        bool cocuklu = false;
    };

    void yaprak(const QString& ad, const QString& deger)
    {
        const QString ust = yigin.isEmpty() ? QString() : yigin.last().ad;
        if (kayitta && (ust == u"STMTTRN" || (ust == u"PAYEE" && ad == u"NAME")))
            alanlar.insert(ust == u"PAYEE" ? ust : ad, deger);
        else if (ust == u"LEDGERBAL" && ad == u"BALAMT")
            tablo.kapanisBakiyesi = EkstreSayilari::sayiKurusu(sayi(deger));
    }

    // OFX writes amounts with a point or, in some countries, a comma; never with groups.
    static QString sayi(QString metin)
    {
        if (!metin.contains(u'.') && metin.count(u',') == 1)
            metin.replace(u',', u'.');
        return metin;
    }

    void kayitBitti(bool yarim)
    {
        kayitta = false;
        EkstreOkuyucu::satirSiniri(yol, tablo);
        TabloSatiri s{++kayitNo, {}, {}};
        if (yarim)
            s.sorun = QStringLiteral("kayıt yarım kalmış (dosya yarım olabilir)");
        const QString tarihMetni = alanlar.value(QStringLiteral("DTPOSTED"));
        const std::optional<QDate> tarih = EkstreSayilari::tarih(tarihMetni.left(8));
        const QString tutar = sayi(alanlar.value(QStringLiteral("TRNAMT")));
        QString aciklama = alanlar.value(QStringLiteral("NAME"));
        for (const char* yedek : {"PAYEE", "MEMO"})
            if (aciklama.isEmpty())
                aciklama = alanlar.value(QString::fromLatin1(yedek));
        s.hucreler = {tarih ? Hucre{Hucre::Tur::Tarih, tarih->toString(Qt::ISODate)}
                            : metinHucresi(tarihMetni),
                      metinHucresi(aciklama),
                      EkstreSayilari::sayiKurusu(tutar) ? Hucre{Hucre::Tur::Sayi, tutar}
                                                        : metinHucresi(tutar),
                      metinHucresi(alanlar.value(QStringLiteral("MEMO"))),
                      metinHucresi(alanlar.value(QStringLiteral("TRNTYPE"))),
                      metinHucresi(alanlar.value(QStringLiteral("FITID")))};
        for (Hucre& h : s.hucreler)
            h.metin = EkstreOkuyucu::hucreMetni(std::move(h.metin), s);
        tablo.satirlar << s;
    }

    const QString& yol;
    EkstreTablosu& tablo;
    QList<Oge> yigin;
    QHash<QString, QString> alanlar;
    bool kayitta = false;
    bool ofx = false;
    qint64 kayitNo = 0;
};

QString varliklariCoz(QStringView metin)
{
    QString sonuc;
    sonuc.reserve(metin.size());
    for (qsizetype i = 0; i < metin.size(); ++i) {
        const qsizetype son = metin[i] == u'&' ? metin.indexOf(u';', i) : -1;
        if (son < 0 || son - i > 10) {
            sonuc += metin[i];
            continue;
        }
        const QStringView ad = metin.mid(i + 1, son - i - 1);
        bool sayiMi = false;
        const uint kod = ad.startsWith(u"#x")  ? ad.mid(2).toUInt(&sayiMi, 16)
                         : ad.startsWith(u'#') ? ad.mid(1).toUInt(&sayiMi, 10)
                                               : 0;
        const QString adlar[] = {QStringLiteral("amp"),  QStringLiteral("lt"),
                                 QStringLiteral("gt"),   QStringLiteral("quot"),
                                 QStringLiteral("apos"), QStringLiteral("nbsp")};
        const char16_t karsiliklar[] = {u'&', u'<', u'>', u'"', u'\'', 0xA0};
        const auto bilinen = std::find(std::begin(adlar), std::end(adlar), ad);
        if (bilinen != std::end(adlar))
            sonuc += QChar(karsiliklar[bilinen - std::begin(adlar)]);
        else if (sayiMi && kod > 0 && kod < 0x10000 && !QChar::isSurrogate(kod))
            sonuc += QChar(char16_t(kod));
        else {
            sonuc += metin[i];
            continue;
        }
        i = son;
    }
    return sonuc;
}

void sgmlOku(const QString& yol, QStringView govde, Toplayici& t)
{
    for (qsizetype i = 0; i < govde.size();) {
        if (govde[i] != u'<') {
            qsizetype son = govde.indexOf(u'<', i);
            if (son < 0)
                son = govde.size();
            t.metin(varliklariCoz(govde.mid(i, son - i)));
            i = son;
            continue;
        }
        const qsizetype son = govde.indexOf(u'>', i);
        if (son < 0)
            break;
        const QStringView etiket = govde.mid(i + 1, son - i - 1).trimmed();
        if (etiket.size() > 64)
            throw EkstreOkuyucu::hata(yol, QStringLiteral("OFX dosyası bozuk (bir etiketi "
                                                          "okunamadı)."));
        if (etiket.startsWith(u'/'))
            t.kapa(etiket.mid(1).trimmed().toString().toUpper());
        else if (!etiket.isEmpty() && !etiket.startsWith(u'!') && !etiket.startsWith(u'?'))
            t.ac(etiket.split(u' ').first().toString().toUpper());
        i = son + 1;
    }
    t.bitir();
}

void xmlOku(const QString& yol, const QString& metin, Toplayici& t)
{
    QXmlStreamReader xml(metin);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            t.ac(xml.name().toString().toUpper());
            break;
        case QXmlStreamReader::Characters:
            t.metin(xml.text());
            break;
        case QXmlStreamReader::EndElement:
            t.kapa(xml.name().toString().toUpper());
            break;
        default:
            break;
        }
    }
    // A file cut short is read as far as it goes: its last record, if open, is named.
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        throw EkstreOkuyucu::hata(
            yol, QStringLiteral("OFX dosyası bozuk (%1).").arg(EkstreOkuyucu::xmlHatasi(xml)));
    t.bitir();
}

// The encoding the file declares: OFX 1.x in its header ("ENCODING:UTF-8", "CHARSET:1254"),
// OFX 2.x in its XML declaration.
std::optional<Kodlama::Tur> beyan(const QByteArray& bas)
{
    const QByteArray b = bas.toUpper();
    if (b.contains("ENCODING:UTF-8") || b.contains("ENCODING=\"UTF-8\""))
        return Kodlama::Tur::Utf8;
    if (b.contains("CHARSET:1254") || b.contains("WINDOWS-1254"))
        return Kodlama::Tur::Windows1254;
    if (b.contains("8859-9"))
        return Kodlama::Tur::Iso8859_9;
    return std::nullopt;
}

} // namespace

EkstreTablosu OfxOkuyucu::oku(const QString& yol, const OkumaSecenekleri& secenekler) const
{
    const QByteArray veri = dosyayiOku(yol);
    const qsizetype govde = veri.indexOf('<');
    const bool xml = veri.mid(0, 200).contains("<?xml");
    // The header of OFX 1.x, or the XML declaration, ends where the first element begins.
    const qsizetype basSonu = xml ? veri.indexOf("?>") : govde;
    EkstreTablosu tablo;
    const QString metin = EkstreOkuyucu::metin(yol, veri, secenekler, tablo,
                                               beyan(veri.left(std::max<qsizetype>(basSonu, 0))));
    tablo.bicim = xml ? QStringLiteral("OFX 2 (XML)") : QStringLiteral("OFX 1 (SGML)");
    Toplayici t(yol, tablo);
    if (xml)
        xmlOku(yol, metin, t);
    else
        sgmlOku(yol, QStringView(metin).mid(std::max<qsizetype>(metin.indexOf(u'<'), 0)), t);
    return tablo;
}
