#include "RaporModeli.h"

#include "Bicim.h"
#include "Doldurma.h"
#include "TabloYazici.h"
#include "TurkceMetin.h"

#include <QFont>

#include <algorithm>

struct RaporModeli::Dugum {
    Satir satir;
    Dugum* ust = nullptr;
    std::vector<std::unique_ptr<Dugum>> cocuklar;

    int sirasi() const
    {
        const auto& kardesler = ust->cocuklar;
        for (size_t i = 0; i < kardesler.size(); ++i)
            if (kardesler[i].get() == this)
                return int(i);
        return 0;
    }
};

namespace
{

const QString grupListesindeYok = QStringLiteral("Grup listesinde yok");

RaporModeli::Satir satirYap(RaporModeli::Tur tur, const DefterTanimi* defter, const QString& ad,
                            bool listede, const GrupToplamlari::Toplam& t)
{
    return {.tur = tur,
            .defter = defter,
            .ad = ad,
            .listede = listede,
            .bos = tur != RaporModeli::Tur::Defter && t.kayitSayisi == 0,
            .tahminKurus = t.tahminKurus,
            .gerceklesenKurus = t.gerceklesenKurus,
            .gerceklesenVar = t.gerceklesenSayisi > 0,
            .oran = Tutar::toplamOrani(t.gerceklesenKurus, t.gerceklesenlerinTahmini,
                                       t.gerceklesenSayisi)};
}

// The sort key of a figure; a blank or missing one sorts first.
std::optional<double> deger(const RaporModeli::Satir& s, int sutun)
{
    if (s.bos)
        return std::nullopt;
    switch (sutun) {
    case RaporModeli::TahminSutunu:
        return double(s.tahminKurus);
    case RaporModeli::GerceklesenSutunu:
    case RaporModeli::FarkSutunu:
        if (!s.gerceklesenVar)
            return std::nullopt;
        return double(sutun == RaporModeli::FarkSutunu ? s.farkKurus() : s.gerceklesenKurus);
    default:
        return s.oran;
    }
}

bool once(const RaporModeli::Satir& a, const RaporModeli::Satir& b, int sutun)
{
    if (sutun == RaporModeli::GrupSutunu)
        return TurkceMetin::alfabetikOnce(a.ad, b.ad);
    const std::optional<double> x = deger(a, sutun), y = deger(b, sutun);
    if (x.has_value() != y.has_value())
        return !x;
    return x && *x < *y;
}

} // namespace

bool RaporModeli::Satir::uyari() const
{
    return defter && Doldurma::oranUyaridir(*defter, oran);
}

QStringList RaporModeli::Satir::hucreler() const
{
    if (bos)
        return {ad, {}, {}, {}, {}};
    if (!gerceklesenVar)
        return {ad, Bicim::tutar(tahminKurus), Bicim::eksikOran, Bicim::eksikOran,
                tur == Tur::Bakiye ? QString() : Bicim::eksikOran};
    return {ad, Bicim::tutar(tahminKurus), Bicim::tutar(gerceklesenKurus),
            Bicim::tutar(farkKurus()),
            tur == Tur::Bakiye ? QString()
            : oran             ? Bicim::yuzde(*oran)
                               : Bicim::eksikOran};
}

RaporModeli::RaporModeli(QObject* ust) : QAbstractItemModel(ust) {}

RaporModeli::~RaporModeli() = default;

QStringList RaporModeli::basliklar()
{
    return {QStringLiteral("Grup"), QStringLiteral("Tahmin"), QStringLiteral("Gerçekleşen"),
            QStringLiteral("Fark"), QStringLiteral("Oran (%)")};
}

void RaporModeli::doldur(std::vector<GrupToplamlari::AnaGrup> gelirler,
                         std::vector<GrupToplamlari::AnaGrup> giderler, bool boslariGoster)
{
    gelirGruplari = std::move(gelirler);
    giderGruplari = std::move(giderler);
    boslar = boslariGoster;
    beginResetModel();
    agaciKur();
    endResetModel();
}

void RaporModeli::boslariGoster(bool goster)
{
    if (goster == boslar)
        return;
    boslar = goster;
    beginResetModel();
    agaciKur();
    endResetModel();
}

void RaporModeli::agaciKur()
{
    ustSatirlar.clear();
    okunamayanSayisi = 0;
    GrupToplamlari::Toplam defterToplamlari[2];
    for (int d = 0; d < 2; ++d) {
        const DefterTanimi* defter = d == 0 ? &gelirDefteri() : &giderDefteri();
        auto dugum = std::make_unique<Dugum>();
        for (const GrupToplamlari::AnaGrup& ana : d == 0 ? gelirGruplari : giderGruplari) {
            auto anaDugum = std::make_unique<Dugum>();
            GrupToplamlari::Toplam anaToplam;
            for (const GrupToplamlari::AltGrup& alt : ana.altGruplar) {
                Tutar::ekle(anaToplam, alt.toplam);
                if (alt.toplam.kayitSayisi == 0 && !boslar)
                    continue;
                auto altDugum = std::make_unique<Dugum>();
                altDugum->satir = satirYap(Tur::AltGrup, defter, alt.ad, alt.listede, alt.toplam);
                altDugum->ust = anaDugum.get();
                anaDugum->cocuklar.push_back(std::move(altDugum));
            }
            if (anaToplam.kayitSayisi == 0 && !boslar)
                continue;
            Tutar::ekle(defterToplamlari[d], anaToplam);
            anaDugum->satir = satirYap(Tur::AnaGrup, defter, ana.ad, ana.listede, anaToplam);
            anaDugum->ust = dugum.get();
            dugum->cocuklar.push_back(std::move(anaDugum));
        }
        okunamayanSayisi += defterToplamlari[d].okunamayan;
        dugum->satir = satirYap(Tur::Defter, defter, TurkceMetin::buyukHarf(defter->cerceveBasligi),
                                true, defterToplamlari[d]);
        ustSatirlar.push_back(std::move(dugum));
    }
    auto bakiye = std::make_unique<Dugum>();
    bakiye->satir = {
        .tur = Tur::Bakiye,
        .ad = QStringLiteral("BAKİYE (Gelir − Gider)"),
        .tahminKurus = defterToplamlari[0].tahminKurus - defterToplamlari[1].tahminKurus,
        .gerceklesenKurus =
            defterToplamlari[0].gerceklesenKurus - defterToplamlari[1].gerceklesenKurus,
        .gerceklesenVar =
            defterToplamlari[0].gerceklesenSayisi + defterToplamlari[1].gerceklesenSayisi > 0};
    ustSatirlar.push_back(std::move(bakiye));
    // The groups come in alphabetical order.
    for (int d = 0; d < 2; ++d)
        sirala(*ustSatirlar[size_t(d)], siraSutunu, siraYonu);
}

void RaporModeli::sirala(Dugum& dugum, int sutun, Qt::SortOrder yon)
{
    std::stable_sort(dugum.cocuklar.begin(), dugum.cocuklar.end(),
                     [&](const std::unique_ptr<Dugum>& a, const std::unique_ptr<Dugum>& b) {
                         return yon == Qt::AscendingOrder ? once(a->satir, b->satir, sutun)
                                                          : once(b->satir, a->satir, sutun);
                     });
    for (const std::unique_ptr<Dugum>& cocuk : dugum.cocuklar)
        sirala(*cocuk, sutun, yon);
}

void RaporModeli::sort(int sutun, Qt::SortOrder sira)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList eskiler = persistentIndexList();
    siraSutunu = sutun;
    siraYonu = sira;
    // Lines of equal figures stay in alphabetical order, whatever the sort before.
    for (int d = 0; d < 2 && d < int(ustSatirlar.size()); ++d) {
        sirala(*ustSatirlar[size_t(d)], GrupSutunu, Qt::AscendingOrder);
        sirala(*ustSatirlar[size_t(d)], siraSutunu, siraYonu);
    }
    QModelIndexList yeniler;
    for (const QModelIndex& eski : eskiler)
        yeniler << yeri(static_cast<const Dugum*>(eski.internalPointer()), eski.column());
    changePersistentIndexList(eskiler, yeniler);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const RaporModeli::Satir* RaporModeli::satir(const QModelIndex& yer) const
{
    return yer.isValid() ? &static_cast<const Dugum*>(yer.internalPointer())->satir : nullptr;
}

std::vector<RaporModeli::AcikSatir> RaporModeli::acikSatirlar() const
{
    std::vector<AcikSatir> sonuc;
    const auto gez = [&](const auto& kendisi, const Dugum& d, int duzey, QStringList yol) -> void {
        yol << d.satir.ad;
        sonuc.push_back({duzey, yol, &d.satir});
        for (const std::unique_ptr<Dugum>& c : d.cocuklar)
            kendisi(kendisi, *c, duzey + 1, yol);
    };
    for (const std::unique_ptr<Dugum>& d : ustSatirlar)
        gez(gez, *d, 0, {});
    return sonuc;
}

std::vector<const RaporModeli::Satir*> RaporModeli::enBuyukGiderler(int sayi) const
{
    std::vector<const Satir*> gruplar;
    if (ustSatirlar.size() > 1)
        for (const std::unique_ptr<Dugum>& d : ustSatirlar[1]->cocuklar)
            if (!d->satir.bos)
                gruplar.push_back(&d->satir);
    const qint64 Satir::*tutar = tahmineGore() ? &Satir::tahminKurus : &Satir::gerceklesenKurus;
    std::stable_sort(gruplar.begin(), gruplar.end(), [&](const Satir* a, const Satir* b) {
        if (a->*tutar != b->*tutar)
            return a->*tutar > b->*tutar;
        return TurkceMetin::alfabetikOnce(a->ad, b->ad);
    });
    if (gruplar.size() > size_t(sayi))
        gruplar.resize(size_t(sayi));
    return gruplar;
}

bool RaporModeli::tahmineGore() const
{
    return ustSatirlar.size() > 1 && !ustSatirlar[1]->satir.gerceklesenVar;
}

QModelIndex RaporModeli::yeri(const Dugum* dugum, int sutun) const
{
    if (!dugum)
        return {};
    int sira = 0;
    if (dugum->ust) {
        sira = dugum->sirasi();
    } else {
        for (size_t i = 0; i < ustSatirlar.size(); ++i)
            if (ustSatirlar[i].get() == dugum)
                sira = int(i);
    }
    return createIndex(sira, sutun, const_cast<Dugum*>(dugum));
}

QModelIndex RaporModeli::index(int satir, int sutun, const QModelIndex& ust) const
{
    if (sutun < 0 || sutun >= SutunSayisi || satir < 0)
        return {};
    const auto& satirlar =
        ust.isValid() ? static_cast<const Dugum*>(ust.internalPointer())->cocuklar : ustSatirlar;
    if (satir >= int(satirlar.size()))
        return {};
    return createIndex(satir, sutun, satirlar[size_t(satir)].get());
}

QModelIndex RaporModeli::parent(const QModelIndex& yer) const
{
    if (!yer.isValid())
        return {};
    return yeri(static_cast<const Dugum*>(yer.internalPointer())->ust, 0);
}

int RaporModeli::rowCount(const QModelIndex& ust) const
{
    if (!ust.isValid())
        return int(ustSatirlar.size());
    if (ust.column() != 0)
        return 0;
    return int(static_cast<const Dugum*>(ust.internalPointer())->cocuklar.size());
}

int RaporModeli::columnCount(const QModelIndex&) const
{
    return SutunSayisi;
}

QVariant RaporModeli::data(const QModelIndex& yer, int rol) const
{
    const Satir* s = satir(yer);
    if (!s)
        return {};
    const int sutun = yer.column();
    switch (rol) {
    case Qt::DisplayRole:
        return s->hucreler().value(sutun);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((sutun == GrupSutunu ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    case Qt::FontRole: {
        const bool kalin = s->kalin() || (sutun == OranSutunu && s->uyari());
        if (!kalin && s->listede)
            return {};
        QFont yazi;
        yazi.setBold(kalin);
        yazi.setItalic(!s->listede);
        return yazi;
    }
    case Qt::ForegroundRole:
        if (sutun == OranSutunu && s->uyari())
            return Doldurma::uyariRengi;
        return {};
    case Qt::ToolTipRole:
        return s->listede ? QVariant() : QVariant(grupListesindeYok);
    default:
        return {};
    }
}

QVariant RaporModeli::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (yon != Qt::Horizontal)
        return {};
    if (rol == Qt::DisplayRole)
        return basliklar().value(bolum);
    if (rol == Qt::TextAlignmentRole)
        return QVariant::fromValue((bolum == GrupSutunu ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    return {};
}

void RaporModeli::tabloyaYaz(TabloYazici& tablo) const
{
    using Hucre = TabloYazici::Tur;
    tablo.tabloAc(QStringLiteral("Dönem Raporu"), {{QStringLiteral("Defter"), Hucre::Metin},
                                                   {QStringLiteral("Ana Grup"), Hucre::Metin},
                                                   {QStringLiteral("Alt Grup"), Hucre::Metin},
                                                   {QStringLiteral("Tahmin"), Hucre::Tutar},
                                                   {QStringLiteral("Gerçekleşen"), Hucre::Tutar},
                                                   {QStringLiteral("Fark"), Hucre::Tutar},
                                                   {QStringLiteral("Oran (%)"), Hucre::Oran}});
    for (const AcikSatir& a : acikSatirlar()) {
        const Satir& s = *a.satir;
        // Only the balance is a total line: a workbook's filter ends at the first one, and the
        // group lines are what it is for.
        if (s.tur == Tur::Bakiye)
            tablo.toplam();
        for (int i = 0; i < 3; ++i)
            tablo.metin(a.yol.value(i));
        if (s.bos)
            tablo.tutar({}).tutar({}).tutar({});
        else if (!s.gerceklesenVar)
            tablo.tutar(s.tahminKurus).tutar({}).tutar({});
        else
            tablo.tutar(s.tahminKurus).tutar(s.gerceklesenKurus).tutar(s.farkKurus());
        tablo.oran(s.oran);
        tablo.satirSonu();
    }
}
