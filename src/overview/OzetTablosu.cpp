#include "OzetTablosu.h"

#include "Bicim.h"
#include "Doldurma.h"
#include "TabloYazici.h"
#include "Takvim.h"
#include "TurkceMetin.h"

#include <QFont>
#include <QLocale>

#include <cmath>

namespace
{

OzetTablosu::Satir satir(const QString& ad, const ButceVerisi::AylikToplam& toplam,
                         const ButceVerisi::AylikToplam* onceki)
{
    OzetTablosu::Satir s{.ad = ad,
                         .kayitVar = toplam.kayitSayisi > 0,
                         .tahminKurus = toplam.tahminKurus,
                         .gerceklesenKurus = toplam.gerceklesenKurus,
                         .okunamayan = toplam.okunamayan,
                         .planlananKurus = toplam.tahminKurus - toplam.gerceklesenlerinTahmini};
    s.oran = Tutar::toplamOrani(toplam.gerceklesenKurus, toplam.gerceklesenlerinTahmini,
                                toplam.gerceklesenSayisi);
    if (onceki && onceki->kayitSayisi > 0) {
        s.oncekiKurus = onceki->gerceklesenKurus;
        // A month not yet filled in this year has no change to show.
        if (s.kayitVar && *s.oncekiKurus != 0)
            s.degisim = double(s.gerceklesenKurus - *s.oncekiKurus) /
                        double(std::llabs(*s.oncekiKurus)) * 100.0;
    }
    return s;
}

ButceVerisi::AylikToplam topla(const OzetTablosu::Aylar& aylar)
{
    ButceVerisi::AylikToplam toplam;
    for (const ButceVerisi::AylikToplam& ay : aylar)
        Tutar::ekle(toplam, ay);
    return toplam;
}

QString degisimMetni(double degisim)
{
    const QString metin = Bicim::yuzde(degisim);
    return degisim > 0 ? QLocale().positiveSign() + metin : metin;
}

} // namespace

OzetTablosu::OzetTablosu(const DefterTanimi& defterTanimi, QObject* ust)
    : QAbstractTableModel(ust), defter(defterTanimi)
{
    goster(std::nullopt, Aylar{});
}

void OzetTablosu::goster(std::optional<int> yil, const Aylar& toplamlar,
                         const std::optional<Aylar>& onceki)
{
    beginResetModel();
    secilenYil = yil;
    karsilastirma = yil && onceki;
    sutunlar = {QStringLiteral("Aylar"), defter.tahminSutunu, defter.gerceklesenSutunu,
                QStringLiteral("Gerçekleşme Oranı (%)")};
    if (karsilastirma)
        sutunlar << oncekiAdi() << QStringLiteral("Değişim (%)");
    satirListesi.clear();
    for (int ay = 0; ay < 12; ++ay)
        satirListesi << satir(TurkceMetin::buyukHarf(Takvim::ayAdlari()[ay]), toplamlar[ay],
                              karsilastirma ? &(*onceki)[ay] : nullptr);
    const ButceVerisi::AylikToplam oncekiToplam =
        karsilastirma ? topla(*onceki) : ButceVerisi::AylikToplam{};
    satirListesi << satir(QStringLiteral("TOPLAM"), topla(toplamlar),
                          karsilastirma ? &oncekiToplam : nullptr);
    endResetModel();
}

QString OzetTablosu::yilAdi() const
{
    return secilenYil ? QString::number(*secilenYil) : QStringLiteral("Tüm Yıllar");
}

QString OzetTablosu::baslik() const
{
    const QString ana = defter.ozetBasligi + QStringLiteral(" — ") + yilAdi();
    const qint64 okunamayan = satirListesi[toplamSatiri].okunamayan;
    return okunamayan > 0 ? ana + QStringLiteral(" (%1 tutar okunamadı)").arg(okunamayan) : ana;
}

QString OzetTablosu::oncekiAdi() const
{
    return secilenYil ? QStringLiteral("%1 Gerçekleşen").arg(*secilenYil - 1) : QString();
}

QStringList OzetTablosu::hucreler(const Satir& s) const
{
    QStringList hucre(sutunlar.size());
    hucre[0] = s.ad;
    if (s.kayitVar) {
        hucre[1] = Bicim::tutar(s.tahminKurus);
        hucre[2] = Bicim::tutar(s.gerceklesenKurus);
        hucre[3] = s.oran ? Bicim::yuzde(*s.oran) : Bicim::eksikOran;
    }
    if (karsilastirma && s.oncekiKurus) {
        hucre[4] = Bicim::tutar(*s.oncekiKurus);
        if (s.kayitVar)
            hucre[5] = s.degisim ? degisimMetni(*s.degisim) : Bicim::eksikOran;
    }
    return hucre;
}

int OzetTablosu::rowCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : int(satirListesi.size());
}

int OzetTablosu::columnCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : int(sutunlar.size());
}

QVariant OzetTablosu::data(const QModelIndex& yer, int rol) const
{
    const Satir& s = satirListesi.at(yer.row());
    const bool toplam = yer.row() == toplamSatiri;
    // Bold as well as dark red, for colour-blind eyes.
    const bool uyari = yer.column() == oranSutunu && Doldurma::oranUyaridir(defter, s.oran);
    switch (rol) {
    case Qt::DisplayRole:
        return hucreler(s).value(yer.column());
    case Qt::TextAlignmentRole:
        return headerData(yer.column(), Qt::Horizontal, rol);
    case Qt::FontRole: {
        if (!toplam && !uyari)
            return {};
        QFont kalin;
        kalin.setBold(true);
        return kalin;
    }
    case Qt::ForegroundRole:
        return uyari ? QVariant(Doldurma::uyariRengi) : QVariant();
    case Qt::ToolTipRole:
        if (!toplam || yer.column() != oranSutunu)
            return {};
        return QStringLiteral("Yalnızca gerçekleşeni girilmiş kayıtlar\n"
                              "Planlanan, henüz gerçekleşmeyen: %1")
            .arg(Bicim::tutar(s.planlananKurus));
    default:
        return {};
    }
}

QVariant OzetTablosu::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (yon != Qt::Horizontal)
        return {};
    if (rol == Qt::DisplayRole)
        return sutunlar.value(bolum);
    if (rol == Qt::TextAlignmentRole)
        return QVariant::fromValue((bolum == 0 ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    return {};
}

void OzetTablosu::tabloyaYaz(TabloYazici& yazici, const QString& sayfaAdi) const
{
    using Tur = TabloYazici::Tur;
    // The month, the two sums and their ratio; compared, the previous year's sum and the change.
    static constexpr std::array turler{Tur::Metin, Tur::Tutar, Tur::Tutar,
                                       Tur::Oran,  Tur::Tutar, Tur::Oran};
    QList<TabloYazici::Sutun> basliklar;
    for (const QString& baslik : sutunlar)
        basliklar.append({baslik, turler[basliklar.size()]});
    yazici.tabloAc(sayfaAdi, basliklar);
    for (int i = 0; i < satirListesi.size(); ++i) {
        const Satir& s = satirListesi[i];
        if (i == toplamSatiri)
            yazici.toplam();
        yazici.metin(s.ad);
        if (s.kayitVar)
            yazici.tutar(s.tahminKurus).tutar(s.gerceklesenKurus).oran(s.oran);
        else
            yazici.tutar({}).tutar({}).oran({});
        if (karsilastirma)
            yazici.tutar(s.oncekiKurus).oran(s.kayitVar ? s.degisim : std::nullopt);
        yazici.satirSonu();
    }
}
