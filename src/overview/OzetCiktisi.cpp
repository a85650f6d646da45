#include "OzetCiktisi.h"

#include "TabloYazici.h"

#include <QChartView>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace
{

// The period the sums cover, as the heading names it.
QString donem(const OzetTablosu& tablo)
{
    if (!tablo.yil())
        return QStringLiteral("Dönem: tüm yıllar (her ay, bütün yılların toplamı)");
    QString metin = QStringLiteral("Dönem: %1 yılı, Ocak – Aralık").arg(*tablo.yil());
    if (tablo.karsilastirmali())
        metin += QStringLiteral(", %1 yılıyla karşılaştırmalı").arg(*tablo.yil() - 1);
    return metin;
}

QFont yazi(double punto, bool kalin = false)
{
    QFont f;
    f.setPointSizeF(punto);
    f.setBold(kalin);
    return f;
}

// Lays the page out from top to bottom, in the device's units.
class Sayfa
{
public:
    Sayfa(QPainter& sayfaRessami, QPagedPaintDevice& sayfaAygiti)
        : ressam(sayfaRessami), aygit(sayfaAygiti), mm(sayfaAygiti.logicalDpiX() / 25.4),
          genislik(sayfaAygiti.width()), yukseklik(sayfaAygiti.height())
    {
    }

    void satirYaz(const QString& sol, const QFont& f, const QString& sag = {})
    {
        ressam.setFont(f);
        const double boy = QFontMetricsF(f, &aygit).height();
        const QRectF alan(0, y, genislik, boy);
        ressam.drawText(alan, Qt::AlignLeft | Qt::AlignVCenter, sol);
        ressam.drawText(alan, Qt::AlignRight | Qt::AlignVCenter, sag);
        y += boy;
    }

    void bosluk(double milimetre) { y += milimetre * mm; }

    void tabloCiz(const OzetTablosu& tablo)
    {
        const QStringList basliklar = tablo.basliklar();
        const double ilkSutun = genislik * (basliklar.size() > 4 ? 0.16 : 0.22);
        const double sutun = (genislik - ilkSutun) / double(basliklar.size() - 1);
        const auto hucreleriYaz = [&](const QStringList& hucreler, const QFont& f) {
            ressam.setFont(f);
            const double boy = QFontMetricsF(f, &aygit).height() * 1.35;
            for (int i = 0; i < hucreler.size(); ++i) {
                const double sol = i == 0 ? 0 : ilkSutun + (i - 1) * sutun;
                const QRectF alan(sol + mm, y, (i == 0 ? ilkSutun : sutun) - 2 * mm, boy);
                ressam.drawText(alan, (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                                hucreler[i]);
            }
            y += boy;
        };
        hucreleriYaz(basliklar, yazi(9, true));
        cizgi(0.3);
        for (const OzetTablosu::Satir& s : tablo.satirlar()) {
            const bool toplam = &s == &tablo.satirlar()[OzetTablosu::toplamSatiri];
            if (toplam)
                cizgi(0.3);
            hucreleriYaz(tablo.hucreler(s), yazi(9, toplam));
        }
        cizgi(0.3);
    }

    // The chart's scene drawn into what is left of the page, in its own proportions.
    void grafikCiz(QChartView& grafik)
    {
        const QRectF kaynak(QPointF(0, 0), grafik.viewport()->size());
        QRectF hedef(0, y, genislik, yukseklik - y);
        const QSizeF boyut = kaynak.size().scaled(hedef.size(), Qt::KeepAspectRatio);
        hedef = QRectF(hedef.left() + (hedef.width() - boyut.width()) / 2, y, boyut.width(),
                       boyut.height());
        grafik.scene()->render(&ressam, hedef, grafik.mapToScene(kaynak.toRect()).boundingRect());
        y = hedef.bottom();
    }

private:
    void cizgi(double kalinlik)
    {
        ressam.setPen(QPen(Qt::black, kalinlik * mm));
        ressam.drawLine(QPointF(0, y), QPointF(genislik, y));
        ressam.setPen(Qt::black);
    }

    QPainter& ressam;
    QPagedPaintDevice& aygit;
    const double mm;
    const double genislik;
    const double yukseklik;
    double y = 0;
};

} // namespace

void OzetCiktisi::tabloyaYaz(TabloYazici& yazici, const QString& sayfaAdi, const OzetTablosu& tablo)
{
    using Tur = TabloYazici::Tur;
    // The month, the two sums and their ratio; compared, the previous year's sum and the change.
    static constexpr std::array turler{Tur::Metin, Tur::Tutar, Tur::Tutar,
                                       Tur::Oran,  Tur::Tutar, Tur::Oran};
    QList<TabloYazici::Sutun> sutunlar;
    for (const QString& baslik : tablo.basliklar())
        sutunlar.append({baslik, turler[sutunlar.size()]});
    yazici.tabloAc(sayfaAdi, sutunlar);
    for (int i = 0; i < tablo.satirlar().size(); ++i) {
        const OzetTablosu::Satir& s = tablo.satirlar()[i];
        if (i == OzetTablosu::toplamSatiri)
            yazici.toplam();
        yazici.metin(s.ad);
        if (s.kayitVar)
            yazici.tutar(s.tahminKurus).tutar(s.gerceklesenKurus).oran(s.oran);
        else
            yazici.tutar({}).tutar({}).oran({});
        if (tablo.karsilastirmali())
            yazici.tutar(s.oncekiKurus).oran(s.kayitVar ? s.degisim : std::nullopt);
        yazici.satirSonu();
    }
}

QPageLayout OzetCiktisi::sayfaDuzeni()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

void OzetCiktisi::sayfayiCiz(QPagedPaintDevice& aygit, const QString& baslik,
                             const OzetTablosu& tablo, QChartView& grafik, QDate tarih)
{
    QPainter ressam(&aygit);
    ressam.setRenderHint(QPainter::Antialiasing);
    Sayfa sayfa(ressam, aygit);
    sayfa.satirYaz(baslik, yazi(16, true));
    sayfa.bosluk(2);
    sayfa.satirYaz(donem(tablo), yazi(10),
                   QStringLiteral("Yazdırma tarihi: ") +
                       QLocale().toString(tarih, QLocale::LongFormat));
    sayfa.bosluk(5);
    sayfa.tabloCiz(tablo);
    sayfa.bosluk(5);
    sayfa.grafikCiz(grafik);
}

QImage OzetCiktisi::grafikResmi(QChartView& grafik, const QString& konu)
{
    const double oran = 2.0 * grafik.devicePixelRatioF();
    const QSize boyut = grafik.viewport()->size();
    const QFont baslik = yazi(11, true);
    const int satir = QFontMetrics(baslik).height() * 2;
    QImage resim(QSize(boyut.width(), boyut.height() + satir) * oran,
                 QImage::Format_ARGB32_Premultiplied);
    resim.setDevicePixelRatio(oran);
    resim.fill(Qt::white);
    QPainter ressam(&resim);
    ressam.setRenderHint(QPainter::Antialiasing);
    const QRectF baslikAlani(8, 0, boyut.width() - 16, satir);
    ressam.setFont(baslik);
    ressam.drawText(baslikAlani, Qt::AlignLeft | Qt::AlignVCenter, konu);
    ressam.setFont(yazi(9));
    ressam.drawText(baslikAlani, Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Tutarlar TL"));
    grafik.scene()->render(&ressam, QRectF(QPointF(0, satir), boyut),
                           grafik.mapToScene(QRect(QPoint(0, 0), boyut)).boundingRect());
    return resim;
}
