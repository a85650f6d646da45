#include "CalismaKitabiYazici.h"

#include "CYereli.h"

#include <QFile>
#include <QtEndian>

#include <xlsxwriter.h>
#include <zlib.h>

#include <cmath>

namespace
{

constexpr int enGenisSutun = 80;

int tur(TabloYazici::Tur t)
{
    return int(t);
}

void denetle(lxw_error sonuc)
{
    if (sonuc != LXW_NO_ERROR)
        throw CalismaKitabiYazici::Hata{QString::fromUtf8(lxw_strerror(sonuc))};
}

// Characters an integer part takes, with its sign and thousands separators when asked.
int basamak(double deger, bool gruplu)
{
    const double mutlak = std::abs(deger);
    const int rakam = mutlak < 10 ? 1 : int(std::floor(std::log10(mutlak))) + 1;
    return rakam + (gruplu ? (rakam - 1) / 3 : 0) + (deger < 0 ? 1 : 0);
}

// A part of the package inflated; none when it cannot be.
std::optional<QByteArray> ac(QByteArrayView veri, quint16 yontem, quint32 boyut)
{
    if (yontem == 0)
        return veri.toByteArray();
    QByteArray acik(qsizetype(boyut), Qt::Uninitialized);
    z_stream akis{};
    if (yontem != Z_DEFLATED || inflateInit2(&akis, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    akis.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(veri.data()));
    akis.avail_in = uInt(veri.size());
    akis.next_out = reinterpret_cast<Bytef*>(acik.data());
    akis.avail_out = uInt(acik.size());
    const int sonuc = inflate(&akis, Z_FINISH);
    inflateEnd(&akis);
    return sonuc == Z_STREAM_END ? std::optional(acik) : std::nullopt;
}

// Whether an XML part ends with the end tag of its root element.
bool xmlTam(QByteArrayView xml)
{
    qsizetype kok = xml.startsWith("<?xml") ? xml.indexOf("?>") + 2 : 0;
    while (kok < xml.size() && xml[kok] != '<')
        ++kok;
    if (kok == xml.size())
        return false;
    qsizetype son = kok + 1;
    while (son < xml.size() && !QByteArrayView(" />\r\n").contains(xml[son]))
        ++son;
    const QByteArray kapanis = "</" + xml.sliced(kok + 1, son - kok - 1).toByteArray() + '>';
    return xml.trimmed().endsWith(kapanis);
}

// libxlsxwriter does not notice when its temporary files stop growing (a full disk): it packs
// whatever they hold. Every XML part of the package must therefore end where its root ends.
bool paketTam(const QByteArray& zip)
{
    const auto u16 = [&](qsizetype yer) { return qFromLittleEndian<quint16>(zip.constData() + yer); };
    const auto u32 = [&](qsizetype yer) { return qFromLittleEndian<quint32>(zip.constData() + yer); };
    const qsizetype son = zip.size() - 22;
    if (son < 0 || u32(son) != 0x06054b50)
        return false;
    qsizetype yer = u32(son + 16);
    for (int i = 0; i < u16(son + 10); ++i) {
        if (yer + 46 > son || u32(yer) != 0x02014b50)
            return false;
        const QByteArray ad = zip.mid(yer + 46, u16(yer + 28));
        const qsizetype yerel = u32(yer + 42);
        if (yerel + 30 > son)
            return false;
        const qsizetype veri = yerel + 30 + u16(yerel + 26) + u16(yerel + 28);
        const std::optional<QByteArray> parca = ac(
            QByteArrayView(zip).sliced(veri, std::min<qsizetype>(u32(yer + 20), son - veri)),
            u16(yer + 10), u32(yer + 24));
        if (!parca || ((ad.endsWith(".xml") || ad.endsWith(".rels")) && !xmlTam(*parca)))
            return false;
        yer += 46 + u16(yer + 28) + u16(yer + 30) + u16(yer + 32);
    }
    return true;
}

} // namespace

// libxlsxwriter prints its numbers (cells, column widths, page margins) with the C library, and a
// row only when the next one begins: every method that calls it holds a CYereli::Kapsam, so that a
// workbook written on a Turkish desktop keeps its decimal points.
void CalismaKitabiYazici::KitapSilici::operator()(lxw_workbook* k) const
{
    const CYereli::Kapsam c;
    lxw_workbook_free(k);
}

CalismaKitabiYazici::CalismaKitabiYazici(const QString& yol, const Belge& belge) : dosya(yol)
{
    const CYereli::Kapsam c;
    lxw_workbook_options secenekler{};
    secenekler.constant_memory = LXW_TRUE;
    kitap.reset(workbook_new_opt(dosya.toUtf8().constData(), &secenekler));
    if (!kitap)
        throw Hata{QStringLiteral("Çalışma kitabı başlatılamadı.")};

    const QByteArray baslik = belge.baslik.toUtf8();
    const QByteArray konu = belge.konu.toUtf8();
    lxw_doc_properties ozellikler{};
    ozellikler.title = const_cast<char*>(baslik.constData());
    ozellikler.subject = const_cast<char*>(konu.constData());
    // The library names the program itself in the file's application field; the author is ours.
    ozellikler.author = const_cast<char*>("Morvane");
    denetle(workbook_set_properties(kitap.get(), &ozellikler));

    // Amounts in Turkish lira, still numbers to sum.
    static constexpr std::array<const char*, 4> sayiBicimleri{nullptr, "0", "#,##0.00 \"TL\"",
                                                              "0.00%"};
    for (int i = 0; i < 4; ++i) {
        duz[i] = workbook_add_format(kitap.get());
        kalin[i] = workbook_add_format(kitap.get());
        format_set_bold(kalin[i]);
        if (sayiBicimleri[i]) {
            format_set_num_format(duz[i], sayiBicimleri[i]);
            format_set_num_format(kalin[i], sayiBicimleri[i]);
        }
    }
    baslikBicimi = kalin[tur(Tur::Metin)];
}

CalismaKitabiYazici::~CalismaKitabiYazici() = default;

void CalismaKitabiYazici::tabloAc(const QString& ad, const QList<Sutun>& yeniSutunlar)
{
    const CYereli::Kapsam c;
    sayfayiKapat();
    sayfa = workbook_add_worksheet(kitap.get(), ad.toUtf8().constData());
    if (!sayfa)
        throw Hata{QStringLiteral("Sayfa eklenemedi: %1").arg(ad)};
    sutunlar = yeniSutunlar;
    genislikler.assign(sutunlar.size(), 0);
    satir = 0;
    sutun = 0;
    filtreli = false;
    for (const Sutun& s : sutunlar) {
        // Room for the autofilter's button beside the header.
        genislikler[sutun] = int(s.baslik.size()) + 3;
        denetle(worksheet_write_string(sayfa, 0, sutun++, s.baslik.toUtf8().constData(),
                                       baslikBicimi));
    }
    worksheet_freeze_panes(sayfa, 1, 0);
    satirSonu();
}

CalismaKitabiYazici& CalismaKitabiYazici::metin(const QString& deger)
{
    // A total line names itself in its first column, whatever its kind.
    Q_ASSERT(toplamSatiri || sutunlar.value(sutun).tur == Tur::Metin);
    const CYereli::Kapsam c;
    genislikSay(int(deger.size()));
    if (!deger.isEmpty())
        denetle(worksheet_write_string(sayfa, satir, sutun, deger.toUtf8().constData(),
                                       bicim(Tur::Metin)));
    ++sutun;
    return *this;
}

CalismaKitabiYazici& CalismaKitabiYazici::tamsayi(qint64 deger)
{
    sayiYaz(Tur::Tamsayi, double(deger), basamak(double(deger), false));
    return *this;
}

CalismaKitabiYazici& CalismaKitabiYazici::tutar(std::optional<qint64> kurus)
{
    const std::optional<double> lira = kurus ? std::optional(double(*kurus) / 100.0) : std::nullopt;
    sayiYaz(Tur::Tutar, lira, lira ? basamak(*lira, true) + 3 : 0);
    return *this;
}

// Stored as a fraction (0.75), which the percent format shows as 75,00 %.
CalismaKitabiYazici& CalismaKitabiYazici::oran(std::optional<double> yuzde)
{
    const std::optional<double> kesir = yuzde ? std::optional(*yuzde / 100.0) : std::nullopt;
    sayiYaz(Tur::Oran, kesir, yuzde ? basamak(*yuzde, true) + 5 : 0);
    return *this;
}

CalismaKitabiYazici& CalismaKitabiYazici::toplam()
{
    const CYereli::Kapsam c;
    if (!filtreli)
        filtreKur();
    toplamSatiri = true;
    return *this;
}

void CalismaKitabiYazici::satirSonu()
{
    ++satir;
    sutun = 0;
    toplamSatiri = false;
}

void CalismaKitabiYazici::bitir()
{
    const CYereli::Kapsam c;
    sayfayiKapat();
    // workbook_close writes the file and frees the workbook, whatever it returns.
    const lxw_error sonuc = workbook_close(kitap.release());
    denetle(sonuc);
    QFile yazilan(dosya);
    if (!yazilan.open(QIODevice::ReadOnly) || !paketTam(yazilan.readAll()))
        throw Hata{QStringLiteral("Çalışma kitabı eksik yazıldı; geçici dosyalar için diskte yer "
                                  "kalmamış olabilir.")};
}

void CalismaKitabiYazici::sayfayiKapat()
{
    if (!sayfa)
        return;
    for (quint16 i = 0; i < genislikler.size(); ++i)
        denetle(worksheet_set_column(sayfa, i, i, std::min(genislikler[i] + 1, enGenisSutun),
                                     duz[tur(sutunlar[i].tur)]));
    if (!filtreli)
        filtreKur();
    sayfa = nullptr;
}

// Over the rows written so far: the library takes it only while the last of them is still open.
void CalismaKitabiYazici::filtreKur()
{
    denetle(worksheet_autofilter(sayfa, 0, 0, satir - 1, quint16(sutunlar.size() - 1)));
    filtreli = true;
}

void CalismaKitabiYazici::sayiYaz(Tur t, std::optional<double> deger, int genislik)
{
    Q_ASSERT(sutunlar.value(sutun).tur == t);
    const CYereli::Kapsam c;
    if (deger) {
        genislikSay(genislik);
        denetle(worksheet_write_number(sayfa, satir, sutun, *deger, bicim(t)));
    } else if (toplamSatiri) {
        denetle(worksheet_write_blank(sayfa, satir, sutun, bicim(t)));
    }
    ++sutun;
}

lxw_format* CalismaKitabiYazici::bicim(Tur t) const
{
    return (toplamSatiri ? kalin : duz)[tur(t)];
}

void CalismaKitabiYazici::genislikSay(int genislik)
{
    genislikler[sutun] = std::max(genislikler[sutun], genislik);
}
