#include "CalismaKitabiYazici.h"

#include "CYereli.h"

#include <QFile>
#include <QLibrary>
#include <QtEndian>

#include <xlsxwriter.h>
#include <zlib.h>

#include <cmath>

namespace
{

constexpr int enGenisSutun = 80;

// The library's functions this writer calls.
// clang-format off
#define LXW_ISLEVLERI(X)                                                                           \
    X(workbook_new_opt) X(workbook_set_properties) X(workbook_add_format)                          \
    X(workbook_add_worksheet) X(workbook_close) X(lxw_workbook_free) X(lxw_strerror)               \
    X(format_set_bold) X(format_set_num_format) X(worksheet_write_string)                          \
    X(worksheet_write_number) X(worksheet_write_blank) X(worksheet_freeze_panes)                   \
    X(worksheet_set_column) X(worksheet_autofilter)
// clang-format on

struct Lxw {
#define LXW_UYE(ad) decltype(&::ad) ad = nullptr;
    LXW_ISLEVLERI(LXW_UYE)
#undef LXW_UYE
};

// libxlsxwriter is loaded when the first workbook is written, not linked to the program: with
// the libcrypto it brings it cost every start about 4 ms, and most runs write no workbook.
const Lxw& lxw()
{
    static const std::optional<Lxw> yuklenen = []() -> std::optional<Lxw> {
        QLibrary kitaplik(QStringLiteral("xlsxwriter"), 4);
        Lxw islevler;
        bool tamam = true;
#define LXW_BUL(ad)                                                                                \
    islevler.ad = reinterpret_cast<decltype(islevler.ad)>(kitaplik.resolve(#ad));                  \
    tamam = tamam && islevler.ad;
        LXW_ISLEVLERI(LXW_BUL)
#undef LXW_BUL
        return tamam ? std::optional(islevler) : std::nullopt;
    }();
    if (!yuklenen)
        throw CalismaKitabiYazici::Hata{
            QStringLiteral("Çalışma kitabı kitaplığı (libxlsxwriter) yüklenemedi.")};
    return *yuklenen;
}

int tur(TabloYazici::Tur t)
{
    return int(t);
}

void denetle(lxw_error sonuc)
{
    if (sonuc != LXW_NO_ERROR)
        throw CalismaKitabiYazici::Hata{QString::fromUtf8(lxw().lxw_strerror(sonuc))};
}

// Characters an integer part takes, with its sign and thousands separators when asked.
int basamak(double deger, bool gruplu)
{
    const double mutlak = std::abs(deger);
    const int rakam = mutlak < 10 ? 1 : int(std::floor(std::log10(mutlak))) + 1;
    return rakam + (gruplu ? (rakam - 1) / 3 : 0) + (deger < 0 ? 1 : 0);
}

// The first and last bytes of a part of the package: all that tells whether it ended whole.
struct Uclar {
    QByteArray bas;
    QByteArray son;
};
constexpr qsizetype ucBoyu = 4096;

// A part of the package (`boyut` bytes packed at `yer`) inflated a piece at a time, keeping only
// its ends, so that checking a sheet of any size costs no memory; none when it cannot be.
std::optional<Uclar> uclari(QFile& zip, qint64 yer, qint64 boyut, quint16 yontem)
{
    Uclar uclar;
    const auto ekle = [&](QByteArrayView parca) {
        if (uclar.bas.size() < ucBoyu)
            uclar.bas += parca.first(std::min(parca.size(), ucBoyu - uclar.bas.size()));
        uclar.son += parca.last(std::min(parca.size(), ucBoyu));
        uclar.son.remove(0, std::max<qsizetype>(0, uclar.son.size() - ucBoyu));
    };
    if (!zip.seek(yer))
        return std::nullopt;
    if (yontem == 0) {
        for (qint64 kalan = boyut; kalan > 0;) {
            const QByteArray parca = zip.read(std::min<qint64>(kalan, 1 << 20));
            if (parca.isEmpty())
                return std::nullopt;
            ekle(parca);
            kalan -= parca.size();
        }
        return uclar;
    }
    z_stream akis{};
    if (yontem != Z_DEFLATED || inflateInit2(&akis, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    QByteArray acik(1 << 18, Qt::Uninitialized);
    int sonuc = Z_OK;
    for (qint64 kalan = boyut; sonuc == Z_OK && kalan > 0;) {
        QByteArray paket = zip.read(std::min<qint64>(kalan, 1 << 20));
        if (paket.isEmpty())
            break;
        kalan -= paket.size();
        akis.next_in = reinterpret_cast<Bytef*>(paket.data());
        akis.avail_in = uInt(paket.size());
        do {
            akis.next_out = reinterpret_cast<Bytef*>(acik.data());
            akis.avail_out = uInt(acik.size());
            sonuc = inflate(&akis, Z_NO_FLUSH);
            if (sonuc == Z_BUF_ERROR && akis.avail_in == 0)
                sonuc = Z_OK; // the piece ended with the buffer full: not an error
            ekle(QByteArrayView(acik).first(acik.size() - akis.avail_out));
        } while (sonuc == Z_OK && akis.avail_out == 0);
    }
    inflateEnd(&akis);
    return sonuc == Z_STREAM_END ? std::optional(uclar) : std::nullopt;
}

// Whether an XML part ends with the end tag of its root element, from its two ends.
bool xmlTam(const Uclar& xml)
{
    const QByteArrayView bas(xml.bas);
    qsizetype kok = bas.startsWith("<?xml") ? bas.indexOf("?>") + 2 : 0;
    while (kok < bas.size() && bas[kok] != '<')
        ++kok;
    if (kok == bas.size())
        return false;
    qsizetype son = kok + 1;
    while (son < bas.size() && !QByteArrayView(" />\r\n").contains(bas[son]))
        ++son;
    const QByteArray kapanis = "</" + bas.sliced(kok + 1, son - kok - 1).toByteArray() + '>';
    return xml.son.trimmed().endsWith(kapanis);
}

// libxlsxwriter does not notice when its temporary files stop growing (a full disk): it packs
// whatever they hold. Every XML part of the package must therefore end where its root ends.
bool paketTam(QFile& zip)
{
    const auto oku = [&](qint64 yer, qint64 boyut) {
        return zip.seek(yer) ? zip.read(boyut) : QByteArray();
    };
    const QByteArray sonKayit = oku(zip.size() - 22, 22);
    const auto u16 = [](const QByteArray& b, qsizetype yer) {
        return qFromLittleEndian<quint16>(b.constData() + yer);
    };
    const auto u32 = [](const QByteArray& b, qsizetype yer) {
        return qFromLittleEndian<quint32>(b.constData() + yer);
    };
    if (sonKayit.size() != 22 || u32(sonKayit, 0) != 0x06054b50)
        return false;
    const qint64 son = zip.size() - 22;
    const QByteArray dizin = oku(u32(sonKayit, 16), u32(sonKayit, 12));
    if (dizin.size() != qsizetype(u32(sonKayit, 12)))
        return false;
    qsizetype yer = 0;
    for (int i = 0; i < u16(sonKayit, 10); ++i) {
        if (yer + 46 > dizin.size() || u32(dizin, yer) != 0x02014b50)
            return false;
        const QByteArray ad = dizin.mid(yer + 46, u16(dizin, yer + 28));
        const qint64 yerel = u32(dizin, yer + 42);
        const QByteArray yerelBaslik = oku(yerel, 30);
        if (yerelBaslik.size() != 30)
            return false;
        const qint64 veri = yerel + 30 + u16(yerelBaslik, 26) + u16(yerelBaslik, 28);
        const std::optional<Uclar> parca =
            uclari(zip, veri, std::min<qint64>(u32(dizin, yer + 20), son - veri),
                   u16(dizin, yer + 10));
        if (!parca || ((ad.endsWith(".xml") || ad.endsWith(".rels")) && !xmlTam(*parca)))
            return false;
        yer += 46 + u16(dizin, yer + 28) + u16(dizin, yer + 30) + u16(dizin, yer + 32);
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
    lxw().lxw_workbook_free(k);
}

CalismaKitabiYazici::CalismaKitabiYazici(const QString& yol, const Belge& belge) : dosya(yol)
{
    const CYereli::Kapsam c;
    lxw_workbook_options secenekler{};
    secenekler.constant_memory = LXW_TRUE;
    kitap.reset(lxw().workbook_new_opt(dosya.toUtf8().constData(), &secenekler));
    if (!kitap)
        throw Hata{QStringLiteral("Çalışma kitabı başlatılamadı.")};

    const QByteArray baslik = belge.baslik.toUtf8();
    const QByteArray konu = belge.konu.toUtf8();
    lxw_doc_properties ozellikler{};
    ozellikler.title = const_cast<char*>(baslik.constData());
    ozellikler.subject = const_cast<char*>(konu.constData());
    // The library names the program itself in the file's application field; the author is ours.
    ozellikler.author = const_cast<char*>("Morvane");
    denetle(lxw().workbook_set_properties(kitap.get(), &ozellikler));

    // Amounts in Turkish lira, still numbers to sum.
    static constexpr std::array<const char*, 4> sayiBicimleri{nullptr, "0", "#,##0.00 \"TL\"",
                                                              "0.00%"};
    // Plain text takes the workbook's default format (none given): the library finds the index of
    // a format equal to another one anew for every cell, by hashing all its properties.
    for (int i = 0; i < 4; ++i) {
        if (i != tur(Tur::Metin))
            duz[i] = lxw().workbook_add_format(kitap.get());
        kalin[i] = lxw().workbook_add_format(kitap.get());
        lxw().format_set_bold(kalin[i]);
        if (duz[i]) {
            lxw().format_set_num_format(duz[i], sayiBicimleri[i]);
            lxw().format_set_num_format(kalin[i], sayiBicimleri[i]);
        }
    }
    baslikBicimi = kalin[tur(Tur::Metin)];
}

CalismaKitabiYazici::~CalismaKitabiYazici() = default;

void CalismaKitabiYazici::tabloAc(const QString& ad, const QList<Sutun>& yeniSutunlar)
{
    const CYereli::Kapsam c;
    sayfayiKapat();
    sayfa = lxw().workbook_add_worksheet(kitap.get(), ad.toUtf8().constData());
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
        denetle(lxw().worksheet_write_string(sayfa, 0, sutun++, s.baslik.toUtf8().constData(),
                                             baslikBicimi));
    }
    lxw().worksheet_freeze_panes(sayfa, 1, 0);
    satirSonu();
}

CalismaKitabiYazici& CalismaKitabiYazici::metin(const QString& deger)
{
    // A total line names itself in its first column, whatever its kind; an empty cell may stand
    // in any column.
    Q_ASSERT(toplamSatiri || deger.isEmpty() || sutunlar.value(sutun).tur == Tur::Metin);
    const CYereli::Kapsam c;
    genislikSay(int(deger.size()));
    if (!deger.isEmpty())
        denetle(lxw().worksheet_write_string(sayfa, satir, sutun, deger.toUtf8().constData(),
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
    const lxw_error sonuc = lxw().workbook_close(kitap.release());
    denetle(sonuc);
    QFile yazilan(dosya);
    if (!yazilan.open(QIODevice::ReadOnly) || !paketTam(yazilan))
        throw Hata{QStringLiteral("Çalışma kitabı eksik yazıldı; geçici dosyalar için diskte yer "
                                  "kalmamış olabilir.")};
}

void CalismaKitabiYazici::sayfayiKapat()
{
    if (!sayfa)
        return;
    for (quint16 i = 0; i < genislikler.size(); ++i)
        denetle(lxw().worksheet_set_column(sayfa, i, i, std::min(genislikler[i] + 1, enGenisSutun),
                                           duz[tur(sutunlar[i].tur)]));
    if (!filtreli)
        filtreKur();
    sayfa = nullptr;
}

// Over the rows written so far: the library takes it only while the last of them is still open.
void CalismaKitabiYazici::filtreKur()
{
    denetle(lxw().worksheet_autofilter(sayfa, 0, 0, satir - 1, quint16(sutunlar.size() - 1)));
    filtreli = true;
}

void CalismaKitabiYazici::sayiYaz(Tur t, std::optional<double> deger, int genislik)
{
    Q_ASSERT(sutunlar.value(sutun).tur == t);
    const CYereli::Kapsam c;
    if (deger) {
        genislikSay(genislik);
        denetle(lxw().worksheet_write_number(sayfa, satir, sutun, *deger, bicim(t)));
    } else if (toplamSatiri) {
        denetle(lxw().worksheet_write_blank(sayfa, satir, sutun, bicim(t)));
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
