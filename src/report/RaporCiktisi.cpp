#include "RaporCiktisi.h"

#include "Doldurma.h"
#include "TabloYazici.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

QFont yazi(double punto, bool kalin = false, bool italik = false)
{
    QFont f;
    f.setPointSizeF(punto);
    f.setBold(kalin);
    f.setItalic(italik);
    return f;
}

// Lays out one page after another, in the device's units.
class Sayfalar
{
public:
    Sayfalar(QPagedPaintDevice& hedef, const QString& ust, const QString& donemi, QDate gun)
        : aygit(hedef), baslik(ust), donem(donemi),
          tarih(QStringLiteral("Yazdırma tarihi: ") + QLocale().toString(gun, QLocale::LongFormat)),
          mm(hedef.logicalDpiX() / 25.4), genislik(hedef.width()), yukseklik(hedef.height()),
          grupGenisligi(genislik * 0.40), sutunGenisligi((genislik - grupGenisligi) / 4.0)
    {
    }

    void ciz(const std::vector<RaporModeli::AcikSatir>& satirlar)
    {
        const double satirBoyu = QFontMetricsF(yazi(9), &aygit).height() * 1.35;
        const double ust = basBoyu() + satirBoyu + 0.3 * mm;
        const double alt = yukseklik - QFontMetricsF(yazi(8), &aygit).height() - 3 * mm;
        const int sayfadaki = std::max(1, int((alt - ust) / satirBoyu));
        const int sayfaSayisi =
            std::max(1, int((satirlar.size() + size_t(sayfadaki) - 1) / size_t(sayfadaki)));
        QPainter ressam(&aygit);
        for (int sayfa = 0; sayfa < sayfaSayisi; ++sayfa) {
            if (sayfa > 0)
                aygit.newPage();
            y = 0;
            basiYaz(ressam);
            hucreleriYaz(ressam, RaporModeli::basliklar(), 0, yazi(9, true), satirBoyu);
            cizgi(ressam);
            const size_t ilk = size_t(sayfa) * size_t(sayfadaki);
            const size_t son = std::min(satirlar.size(), ilk + size_t(sayfadaki));
            for (size_t i = ilk; i < son; ++i)
                satirYaz(ressam, satirlar[i], satirBoyu);
            ressam.setFont(yazi(8));
            ressam.drawText(QRectF(0, alt, genislik, yukseklik - alt), Qt::AlignCenter,
                            QStringLiteral("Sayfa %1 / %2").arg(sayfa + 1).arg(sayfaSayisi));
        }
    }

private:
    double basBoyu() const
    {
        return QFontMetricsF(yazi(14, true), &aygit).height() +
               QFontMetricsF(yazi(10), &aygit).height() + 6 * mm;
    }

    void basiYaz(QPainter& ressam)
    {
        ressam.setPen(Qt::black);
        ressam.setFont(yazi(14, true));
        const double baslikBoyu = QFontMetricsF(yazi(14, true), &aygit).height();
        ressam.drawText(QRectF(0, y, genislik, baslikBoyu), Qt::AlignLeft | Qt::AlignVCenter,
                        baslik);
        y += baslikBoyu + 2 * mm;
        ressam.setFont(yazi(10));
        const QRectF alan(0, y, genislik, QFontMetricsF(yazi(10), &aygit).height());
        ressam.drawText(alan, Qt::AlignLeft | Qt::AlignVCenter, donem);
        ressam.drawText(alan, Qt::AlignRight | Qt::AlignVCenter, tarih);
        y += alan.height() + 4 * mm;
    }

    void hucreleriYaz(QPainter& ressam, const QStringList& hucreler, int duzey, const QFont& f,
                      double boy, int uyariSutunu = -1)
    {
        ressam.setFont(f);
        for (int i = 0; i < hucreler.size(); ++i) {
            const double sol = i == 0 ? duzey * 5 * mm : grupGenisligi + (i - 1) * sutunGenisligi;
            const double en = i == 0 ? grupGenisligi - sol : sutunGenisligi;
            ressam.setPen(i == uyariSutunu ? Doldurma::uyariRengi : QColor(Qt::black));
            ressam.drawText(QRectF(sol + mm, y, en - 2 * mm, boy),
                            (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                            hucreler[i]);
        }
        ressam.setPen(Qt::black);
        y += boy;
    }

    void satirYaz(QPainter& ressam, const RaporModeli::AcikSatir& a, double boy)
    {
        const RaporModeli::Satir& s = *a.satir;
        if (s.tur != RaporModeli::Tur::AltGrup && s.tur != RaporModeli::Tur::AnaGrup)
            cizgi(ressam);
        hucreleriYaz(ressam, s.hucreler(), a.duzey, yazi(9, s.kalin(), !s.listede), boy,
                     s.uyari() ? RaporModeli::OranSutunu : -1);
    }

    void cizgi(QPainter& ressam)
    {
        ressam.setPen(QPen(Qt::black, 0.3 * mm));
        ressam.drawLine(QPointF(0, y), QPointF(genislik, y));
        ressam.setPen(Qt::black);
    }

    QPagedPaintDevice& aygit;
    const QString baslik;
    const QString donem;
    const QString tarih;
    const double mm;
    const double genislik;
    const double yukseklik;
    const double grupGenisligi;
    const double sutunGenisligi;
    double y = 0;
};

} // namespace

void RaporCiktisi::tabloyaYaz(TabloYazici& tablo, const RaporModeli& model)
{
    using Tur = TabloYazici::Tur;
    tablo.tabloAc(QStringLiteral("Dönem Raporu"), {{QStringLiteral("Defter"), Tur::Metin},
                                                   {QStringLiteral("Ana Grup"), Tur::Metin},
                                                   {QStringLiteral("Alt Grup"), Tur::Metin},
                                                   {QStringLiteral("Tahmin"), Tur::Tutar},
                                                   {QStringLiteral("Gerçekleşen"), Tur::Tutar},
                                                   {QStringLiteral("Fark"), Tur::Tutar},
                                                   {QStringLiteral("Oran (%)"), Tur::Oran}});
    for (const RaporModeli::AcikSatir& a : model.acikSatirlar()) {
        const RaporModeli::Satir& s = *a.satir;
        // Only the balance is a total line: a workbook's filter ends at the first one, and the
        // group lines are what it is for.
        if (s.tur == RaporModeli::Tur::Bakiye)
            tablo.toplam();
        for (int i = 0; i < 3; ++i)
            tablo.metin(a.yol.value(i));
        if (s.bos)
            tablo.tutar({}).tutar({}).tutar({});
        else
            tablo.tutar(s.tahminKurus).tutar(s.gerceklesenKurus).tutar(s.farkKurus());
        tablo.oran(s.oran);
        tablo.satirSonu();
    }
}

QPageLayout RaporCiktisi::sayfaDuzeni()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

void RaporCiktisi::sayfalariCiz(QPagedPaintDevice& aygit, const QString& baslik,
                                const QString& donem, const RaporModeli& model, QDate tarih)
{
    Sayfalar(aygit, baslik, donem, tarih).ciz(model.acikSatirlar());
}
