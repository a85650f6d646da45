#include "CalismaKitabiYazici.h"

#include <xlsxwriter.h>

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

} // namespace

void CalismaKitabiYazici::KitapSilici::operator()(lxw_workbook* k) const
{
    lxw_workbook_free(k);
}

CalismaKitabiYazici::CalismaKitabiYazici(const QString& yol, const Belge& belge)
{
    lxw_workbook_options secenekler{};
    secenekler.constant_memory = LXW_TRUE;
    kitap.reset(workbook_new_opt(yol.toUtf8().constData(), &secenekler));
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

    static constexpr std::array<const char*, 4> sayiBicimleri{nullptr, "0", "#,##0.00", "0.00%"};
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
    sayfayiKapat();
    // workbook_close writes the file and frees the workbook, whatever it returns.
    const lxw_error sonuc = workbook_close(kitap.release());
    denetle(sonuc);
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
