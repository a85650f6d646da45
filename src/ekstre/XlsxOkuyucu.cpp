#include "XlsxOkuyucu.h"

#include "EkstreSayilari.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QXmlStreamReader>

#include <unzip.h>

#include <functional>

namespace
{

const QString kitapDegil = QStringLiteral("Excel çalışma kitabı değil.");

// One part of the package as it unpacks: minizip never gives more than the part's stated size,
// and bytes that do not match that size or its checksum make the part broken.
class ZipParcasi : public QIODevice
{
    Q_OBJECT
public:
    explicit ZipParcasi(unzFile paket) : zip(paket)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

    // Reads what the XML reader left, then whether the part was whole.
    bool butun(qint64 beklenen)
    {
        char artik[1 << 14];
        while (readData(artik, sizeof artik) > 0) {
        }
        return !bozuk && okunan == beklenen && unzCloseCurrentFile(zip) == UNZ_OK;
    }

protected:
    qint64 readData(char* veri, qint64 enCok) override
    {
        const int n = unzReadCurrentFile(zip, veri, unsigned(std::min<qint64>(enCok, 1 << 16)));
        if (n < 0) {
            bozuk = true;
            return 0;
        }
        okunan += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    unzFile zip;
    qint64 okunan = 0;
    bool bozuk = false;
};

class Paket
{
public:
    explicit Paket(const QString& dosya)
        : yol(dosya), zip(unzOpen64(QFile::encodeName(dosya).constData()))
    {
        if (!zip)
            throw EkstreOkuyucu::hata(
                yol, QStringLiteral("dosya bozuk ya da yarım (zip dizini okunamadı)."));
    }
    ~Paket() { unzClose(zip); }
    Paket(const Paket&) = delete;
    Paket& operator=(const Paket&) = delete;

    // Hands the part's XML to `isle`; false when the package has no such part.
    bool oku(const QString& ad, const std::function<void(QXmlStreamReader&)>& isle)
    {
        if (unzLocateFile(zip, ad.toUtf8().constData(), 2) != UNZ_OK)
            return false;
        unz_file_info64 bilgi{};
        if (unzGetCurrentFileInfo64(zip, &bilgi, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            throw bozuk(ad);
        if (bilgi.flag & 1)
            throw EkstreOkuyucu::hata(yol, QStringLiteral("çalışma kitabı parolayla şifrelenmiş."));
        if (bilgi.uncompressed_size > quint64(EkstreSiniri::zipGirdisi))
            throw EkstreOkuyucu::hata(
                yol,
                QStringLiteral("çalışma kitabının «%1» bölümü okunamayacak kadar büyük.").arg(ad));
        if (unzOpenCurrentFile(zip) != UNZ_OK)
            throw bozuk(ad);
        ZipParcasi parca(zip);
        QXmlStreamReader xml(&parca);
        isle(xml);
        while (!xml.atEnd() && !xml.hasError())
            xml.readNext();
        // A part cut at its stated size breaks its XML too; the size is the cause to name.
        if (!parca.butun(qint64(bilgi.uncompressed_size)))
            throw bozuk(ad);
        if (xml.hasError())
            throw EkstreOkuyucu::hata(yol,
                                      QStringLiteral("çalışma kitabının «%1» bölümü bozuk (%2).")
                                          .arg(ad, EkstreOkuyucu::xmlHatasi(xml)));
        return true;
    }

    VeriHatasi bozuk(const QString& ad) const
    {
        return EkstreOkuyucu::hata(
            yol, QStringLiteral("çalışma kitabının «%1» bölümü bozuk ya da yarım (boyutu veya "
                                "sağlama toplamı tutmuyor).")
                     .arg(ad));
    }

private:
    QString yol;
    unzFile zip;
};

bool ad(const QXmlStreamReader& xml, QStringView beklenen)
{
    return xml.name() == beklenen;
}

bool basladi(const QXmlStreamReader& xml, QStringView beklenen)
{
    return xml.isStartElement() && xml.name() == beklenen;
}

// Calls `isle` at the start of each element, to the end of the part.
void herOge(QXmlStreamReader& xml, const std::function<void()>& isle)
{
    while (!xml.atEnd() && !xml.hasError())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            isle();
}

// The sheet's part and whether dates count from 1904.
struct Kitap {
    QString sayfa;
    bool tarih1904 = false;
};

Kitap kitap(Paket& paket, const QString& yol)
{
    Kitap k;
    QString sayfaKimligi;
    const bool var = paket.oku(QStringLiteral("xl/workbook.xml"), [&](QXmlStreamReader& xml) {
        herOge(xml, [&] {
            if (ad(xml, u"workbookPr")) {
                const QStringView d = xml.attributes().value(QLatin1String("date1904"));
                k.tarih1904 = d == u"1" || d == u"true";
            } else if (ad(xml, u"sheet") && sayfaKimligi.isEmpty() &&
                       !xml.attributes().value(QLatin1String("state")).endsWith(u"idden")) {
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == u"id")
                        sayfaKimligi = a.value().toString();
            }
        });
    });
    if (!var)
        throw EkstreOkuyucu::hata(yol, kitapDegil);
    paket.oku(QStringLiteral("xl/_rels/workbook.xml.rels"), [&](QXmlStreamReader& xml) {
        herOge(xml, [&] {
            if (ad(xml, u"Relationship") &&
                xml.attributes().value(QLatin1String("Id")) == sayfaKimligi) {
                const QString hedef = xml.attributes().value(QLatin1String("Target")).toString();
                k.sayfa = hedef.startsWith(u'/') ? hedef.mid(1) : QStringLiteral("xl/") + hedef;
            }
        });
    });
    if (k.sayfa.isEmpty())
        k.sayfa = QStringLiteral("xl/worksheets/sheet1.xml");
    return k;
}

QStringList paylasilanMetinler(Paket& paket)
{
    QStringList metinler;
    paket.oku(QStringLiteral("xl/sharedStrings.xml"), [&](QXmlStreamReader& xml) {
        herOge(xml, [&] {
            if (ad(xml, u"si"))
                metinler.append(QString());
            else if (ad(xml, u"rPh")) // a phonetic reading, not the cell's text
                xml.skipCurrentElement();
            else if (ad(xml, u"t") && !metinler.isEmpty() &&
                     metinler.last().size() <= EkstreSiniri::hucre)
                metinler.last() += xml.readElementText();
        });
    });
    return metinler;
}

bool tarihBicimi(int kimlik, const QString& kod)
{
    // Excel's own date formats; the times (18-21, 45-47) stay numbers.
    if ((kimlik >= 14 && kimlik <= 17) || kimlik == 22 || (kimlik >= 27 && kimlik <= 36) ||
        (kimlik >= 50 && kimlik <= 58))
        return true;
    // A format of the workbook's own is a date when, outside quoted text, [sections] and
    // escaped characters, it shows a day or a year.
    bool tirnak = false;
    bool koseli = false;
    for (qsizetype i = 0; i < kod.size(); ++i) {
        const QChar c = kod[i];
        if (c == u'"')
            tirnak = !tirnak;
        else if (tirnak)
            continue;
        else if (c == u'[')
            koseli = true;
        else if (c == u']')
            koseli = false;
        else if (c == u'\\' || c == u'_' || c == u'*')
            ++i;
        else if (!koseli && (c == u'd' || c == u'D' || c == u'y' || c == u'Y'))
            return true;
    }
    return false;
}

// For each cell style, whether it shows a date.
QList<bool> tarihStilleri(Paket& paket)
{
    QList<bool> stiller;
    paket.oku(QStringLiteral("xl/styles.xml"), [&](QXmlStreamReader& xml) {
        QHash<int, QString> kodlar;
        herOge(xml, [&] {
            if (ad(xml, u"numFmt"))
                kodlar.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                              xml.attributes().value(QLatin1String("formatCode")).toString());
            else if (ad(xml, u"cellXfs"))
                while (xml.readNextStartElement()) {
                    const int kimlik = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                    stiller.append(tarihBicimi(kimlik, kodlar.value(kimlik)));
                    xml.skipCurrentElement();
                }
        });
    });
    return stiller;
}

// "BC12" → column 54 (from 0) and row 12; none for anything else.
std::optional<std::pair<int, qint64>> hucreAdresi(QStringView adres)
{
    int sutun = 0;
    qsizetype i = 0;
    for (; i < adres.size() && adres[i] >= u'A' && adres[i] <= u'Z'; ++i) {
        sutun = sutun * 26 + (adres[i].unicode() - u'A' + 1);
        if (sutun > EkstreSiniri::sutun)
            return std::nullopt;
    }
    bool tamam = false;
    const qint64 satir = adres.mid(i).toLongLong(&tamam);
    if (i == 0 || !tamam || satir < 1)
        return std::nullopt;
    return std::pair{sutun - 1, satir};
}

class SayfaOkuma
{
public:
    SayfaOkuma(const QString& dosya, EkstreTablosu& hedef, const QStringList& paylasilan,
               const QList<bool>& tarihStilleri, bool bin904)
        : yol(dosya), tablo(hedef), metinler(paylasilan), tarihler(tarihStilleri), tarih1904(bin904)
    {
    }

    void oku(QXmlStreamReader& xml)
    {
        while (!xml.atEnd() && !xml.hasError()) {
            xml.readNext();
            if (basladi(xml, u"dimension")) {
                // "A1:D50008": room for the rows at once, within the limit.
                const auto son =
                    hucreAdresi(xml.attributes().value(QLatin1String("ref")).split(u':').last());
                if (son)
                    tablo.satirlar.reserve(std::min<qint64>(son->second, EkstreSiniri::satir));
            } else if (basladi(xml, u"row")) {
                EkstreOkuyucu::satirSiniri(yol, tablo);
                const qint64 no = xml.attributes().value(QLatin1String("r")).toLongLong();
                satir = {no > 0 ? no : satir.no + 1, {}, {}};
                sutun = -1;
            } else if (basladi(xml, u"c")) {
                hucre(xml);
            } else if (xml.isEndElement() && ad(xml, u"row")) {
                tablo.satirlar.append(std::move(satir));
            } else if (basladi(xml, u"mergeCell")) {
                birlesikler << xml.attributes().value(QLatin1String("ref")).toString();
            }
        }
        for (const QString& b : std::as_const(birlesikler))
            birlesik(b);
    }

private:
    void hucre(QXmlStreamReader& xml)
    {
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView adres = a.value(QLatin1String("r"));
        const auto yer = hucreAdresi(adres);
        if (!adres.isEmpty() && !yer)
            throw EkstreOkuyucu::hata(
                yol, QStringLiteral("satır %1: «%2» hücresi okunamadı (en çok %3 sütun okunur).")
                         .arg(satir.no)
                         .arg(adres.left(20))
                         .arg(EkstreSiniri::sutun));
        sutun = yer ? yer->first : sutun + 1;
        if (sutun >= EkstreSiniri::sutun)
            throw EkstreOkuyucu::hata(yol, QStringLiteral("satır %1: en çok %2 sütun okunur.")
                                               .arg(satir.no)
                                               .arg(EkstreSiniri::sutun));
        const QString tur = a.value(QLatin1String("t")).toString();
        const int stil = a.value(QLatin1String("s")).toInt();
        QString deger;
        QString satirIci;
        bool formul = false;
        while (!xml.atEnd() && !xml.hasError() && !(xml.isEndElement() && ad(xml, u"c"))) {
            xml.readNext();
            if (basladi(xml, u"v"))
                deger = xml.readElementText();
            else if (basladi(xml, u"t") && satirIci.size() <= EkstreSiniri::hucre)
                satirIci += xml.readElementText();
            else if (basladi(xml, u"f"))
                formul = true;
        }
        // A formula is never evaluated here: without the value it was saved with, the row is named.
        if (formul && deger.isEmpty())
            satir.sorun = QStringLiteral("bir formülün kaydedilmiş değeri yok");
        Hucre h = hucreDegeri(tur, stil, deger, satirIci);
        h.metin = EkstreOkuyucu::hucreMetni(std::move(h.metin), satir);
        if (h.tur == Hucre::Tur::Bos)
            return;
        satir.hucreler.resize(std::max<qsizetype>(satir.hucreler.size(), sutun + 1));
        satir.hucreler[sutun] = std::move(h);
    }

    Hucre hucreDegeri(const QString& tur, int stil, const QString& deger, const QString& satirIci)
    {
        using T = Hucre::Tur;
        if (tur == u"inlineStr")
            return {T::Metin, satirIci};
        if (deger.isEmpty())
            return {};
        if (tur == u"s") {
            bool tamam = false;
            const int sira = deger.toInt(&tamam);
            if (!tamam || sira < 0 || sira >= metinler.size()) {
                satir.sorun = QStringLiteral("kitabın metin listesinde olmayan bir metin");
                return {};
            }
            return {T::Metin, metinler[sira]};
        }
        if (tur == u"b")
            return {T::Metin, deger == u"1" ? QStringLiteral("DOĞRU") : QStringLiteral("YANLIŞ")};
        if (tur == u"d")
            return {T::Tarih, deger};
        if (tur == u"str" || tur == u"e")
            return {T::Metin, deger};
        if (stil >= 0 && stil < tarihler.size() && tarihler[stil])
            if (const std::optional<QDate> t = EkstreSayilari::excelTarihi(deger, tarih1904))
                return {T::Tarih, t->toString(Qt::ISODate)};
        return {T::Sayi, deger};
    }

    // The merged range's first cell in every cell it covers, within the rows read; a range of more
    // cells than a title or a day's rows is kept for the preview only.
    void birlesik(const QString& aralik)
    {
        const QStringList uclar = aralik.split(u':');
        const auto bas = hucreAdresi(uclar.value(0));
        const auto son = hucreAdresi(uclar.value(1));
        if (uclar.size() != 2 || !bas || !son || son->first < bas->first ||
            son->second < bas->second)
            return;
        const auto satirSirasi = [&](qint64 no) {
            return std::lower_bound(tablo.satirlar.cbegin(), tablo.satirlar.cend(), no,
                                    [](const TabloSatiri& s, qint64 n) { return s.no < n; }) -
                   tablo.satirlar.cbegin();
        };
        const int ilk = int(satirSirasi(bas->second));
        const int sonraki = int(satirSirasi(son->second + 1));
        if (ilk >= sonraki || tablo.satirlar[ilk].no != bas->second)
            return;
        const EkstreTablosu::Birlesik b{ilk, bas->first, sonraki - ilk,
                                        son->first - bas->first + 1};
        tablo.birlesikler << b;
        if (qint64(b.satirSayisi) * b.sutunSayisi > 10'000)
            return;
        const Hucre ust = tablo.satirlar[ilk].hucreler.value(b.sutun);
        for (int s = ilk; s < sonraki; ++s) {
            QList<Hucre>& hucreler = tablo.satirlar[s].hucreler;
            hucreler.resize(std::max<qsizetype>(hucreler.size(), b.sutun + b.sutunSayisi));
            for (int c = b.sutun; c < b.sutun + b.sutunSayisi; ++c)
                hucreler[c] = ust;
        }
    }

    const QString& yol;
    EkstreTablosu& tablo;
    const QStringList& metinler;
    const QList<bool>& tarihler;
    const bool tarih1904;
    TabloSatiri satir;
    int sutun = -1;
    QStringList birlesikler;
};

} // namespace

EkstreTablosu XlsxOkuyucu::oku(const QString& yol, const OkumaSecenekleri&) const
{
    if (QFileInfo(yol).size() > EkstreSiniri::dosya)
        throw hata(yol, QStringLiteral("dosya okunamayacak kadar büyük."));
    Paket paket(yol);
    const Kitap k = kitap(paket, yol);
    const QStringList metinler = paylasilanMetinler(paket);
    const QList<bool> tarihler = tarihStilleri(paket);
    EkstreTablosu tablo;
    tablo.bicim = QStringLiteral("Excel çalışma kitabı (.xlsx)");
    SayfaOkuma okuma(yol, tablo, metinler, tarihler, k.tarih1904);
    if (!paket.oku(k.sayfa, [&](QXmlStreamReader& xml) { okuma.oku(xml); }))
        throw hata(yol, kitapDegil);
    return tablo;
}

#include "XlsxOkuyucu.moc"
