#include "DuzenSecici.h"

#include "Denetim.h"
#include "OnizlemeModeli.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace
{

// The rows offered as the header: as far as a header is looked for.
constexpr int baslikAdaylari = 200;

QString kisalt(const QString& metin, int enCok)
{
    return metin.size() > enCok ? metin.left(enCok - 1) + u'…' : metin;
}

QString satirMetni(const TabloSatiri& satir)
{
    QStringList hucreler;
    for (const Hucre& h : satir.hucreler)
        if (!h.metin.trimmed().isEmpty())
            hucreler << h.metin.trimmed();
    return kisalt(hucreler.join(QStringLiteral(" | ")), 70);
}

void sec(QComboBox* kutu, int sutun)
{
    kutu->setCurrentIndex(std::max(kutu->findData(sutun), 0));
}

} // namespace

DuzenSecici::DuzenSecici(QWidget* ust) : QWidget(ust)
{
    auto* izgara = new QGridLayout(this);
    izgara->setContentsMargins(0, 0, 0, 0);
    BaslikSatiriKutusu =
        sutunKutusu(QStringLiteral("Başlık satırı:"), QStringLiteral("BaşlıkSatırıKutusu"), 0, 0);
    izgara->addWidget(BaslikSatiriKutusu, 0, 1, 1, 3);
    HarcamalarArtiKutusu =
        new QCheckBox(QStringLiteral("Harcamalar artı (kredi kartı ekstresi)"), this);
    HarcamalarArtiKutusu->setObjectName(QStringLiteral("HarcamalarArtıKutusu"));
    izgara->addWidget(HarcamalarArtiKutusu, 0, 4, 1, 2);
    TarihKutusu = sutunKutusu(QStringLiteral("Tarih:"), QStringLiteral("TarihKutusu"), 1, 0);
    TutarKutusu = sutunKutusu(QStringLiteral("Tutar:"), QStringLiteral("TutarKutusu"), 1, 2);
    BakiyeKutusu = sutunKutusu(QStringLiteral("Bakiye:"), QStringLiteral("BakiyeKutusu"), 1, 4);
    BorcKutusu = sutunKutusu(QStringLiteral("Borç:"), QStringLiteral("BorçKutusu"), 2, 2);
    AlacakKutusu = sutunKutusu(QStringLiteral("Alacak:"), QStringLiteral("AlacakKutusu"), 2, 4);

    auto* etiket = new QLabel(QStringLiteral("Açıklama:"), this);
    etiket->setMinimumWidth(Denetim::gerekenGenislik(etiket, etiket->text()));
    AciklamaListesi = new QListWidget(this);
    AciklamaListesi->setObjectName(QStringLiteral("AçıklamaListesi"));
    AciklamaListesi->setAccessibleName(QStringLiteral("Açıklama"));
    AciklamaListesi->setFlow(QListView::LeftToRight);
    AciklamaListesi->setFixedHeight(3 * fontMetrics().height());
    etiket->setBuddy(AciklamaListesi);
    izgara->addWidget(etiket, 2, 0);
    izgara->addWidget(AciklamaListesi, 2, 1);
    izgara->setColumnStretch(1, 2);
    izgara->setColumnStretch(3, 1);
    izgara->setColumnStretch(5, 1);

    // Only the user's changes to a table's layout are told.
    const auto bildir = [this] {
        if (!dolduruluyor && tablo)
            emit degisti(duzen());
    };
    for (QComboBox* kutu : {TarihKutusu, TutarKutusu, BakiyeKutusu, BorcKutusu, AlacakKutusu})
        connect(kutu, &QComboBox::currentIndexChanged, this, bildir);
    connect(AciklamaListesi, &QListWidget::itemChanged, this, bildir);
    connect(HarcamalarArtiKutusu, &QCheckBox::toggled, this, bildir);
    connect(BaslikSatiriKutusu, &QComboBox::currentIndexChanged, this, [this] {
        if (!dolduruluyor && tablo)
            baslikSecildi();
    });
}

QComboBox* DuzenSecici::sutunKutusu(const QString& etiket, const QString& ad, int satir, int sutun)
{
    auto* yazi = new QLabel(etiket, this);
    yazi->setMinimumWidth(Denetim::gerekenGenislik(yazi, etiket));
    auto* kutu = new QComboBox(this);
    kutu->setObjectName(ad);
    kutu->setAccessibleName(etiket.chopped(1));
    yazi->setBuddy(kutu);
    auto* izgara = static_cast<QGridLayout*>(layout());
    izgara->addWidget(yazi, satir, sutun);
    izgara->addWidget(kutu, satir, sutun + 1);
    return kutu;
}

void DuzenSecici::goster(const EkstreTablosu& yeniTablo, const EkstreDuzeni& d)
{
    dolduruluyor = true;
    tablo = &yeniTablo;
    BaslikSatiriKutusu->clear();
    BaslikSatiriKutusu->addItem(QStringLiteral("(yok)"), -1);
    const int adaylar = std::min(int(tablo->satirlar.size()), baslikAdaylari);
    for (int s = 0; s < adaylar; ++s) {
        const qint64 no = tablo->satirlar[s].no;
        BaslikSatiriKutusu->addItem(
            (no > 0 ? QString::number(no) + QStringLiteral(": ") : QString()) +
                satirMetni(tablo->satirlar[s]),
            s);
    }
    sec(BaslikSatiriKutusu, d.baslikSatiri);
    sutunlariDoldur();
    sec(TarihKutusu, d.tarih);
    sec(TutarKutusu, d.tutar);
    sec(BorcKutusu, d.borc);
    sec(AlacakKutusu, d.alacak);
    sec(BakiyeKutusu, d.bakiye);
    for (int i = 0; i < AciklamaListesi->count(); ++i)
        AciklamaListesi->item(i)->setCheckState(d.aciklama.contains(i) ? Qt::Checked
                                                                       : Qt::Unchecked);
    HarcamalarArtiKutusu->setChecked(d.harcamalarArti);
    dolduruluyor = false;
}

// Each column by its letter and, under a header, its caption there.
void DuzenSecici::sutunlariDoldur()
{
    const int baslik = BaslikSatiriKutusu->currentData().toInt();
    const int sutunSayisi = tablo->sutunSayisi();
    QStringList adlar;
    for (int c = 0; c < sutunSayisi; ++c) {
        const QString ad =
            baslik >= 0 ? tablo->satirlar[baslik].hucreler.value(c).metin.trimmed() : QString();
        adlar << OnizlemeModeli::sutunHarfi(c) +
                     (ad.isEmpty() ? QString() : QStringLiteral(": ") + kisalt(ad, 30));
    }
    for (QComboBox* kutu : {TarihKutusu, TutarKutusu, BorcKutusu, AlacakKutusu, BakiyeKutusu}) {
        kutu->clear();
        kutu->addItem(QStringLiteral("(yok)"), -1);
        for (int c = 0; c < sutunSayisi; ++c)
            kutu->addItem(adlar[c], c);
    }
    AciklamaListesi->clear();
    for (const QString& ad : std::as_const(adlar)) {
        auto* oge = new QListWidgetItem(ad, AciklamaListesi);
        oge->setFlags(oge->flags() | Qt::ItemIsUserCheckable);
        oge->setCheckState(Qt::Unchecked);
    }
}

EkstreDuzeni DuzenSecici::duzen() const
{
    EkstreDuzeni d;
    d.baslikSatiri = BaslikSatiriKutusu->currentData().toInt();
    d.tarih = TarihKutusu->currentData().toInt();
    d.tutar = TutarKutusu->currentData().toInt();
    d.borc = BorcKutusu->currentData().toInt();
    d.alacak = AlacakKutusu->currentData().toInt();
    d.bakiye = BakiyeKutusu->currentData().toInt();
    for (int i = 0; i < AciklamaListesi->count(); ++i)
        if (AciklamaListesi->item(i)->checkState() == Qt::Checked)
            d.aciklama << i;
    d.harcamalarArti = HarcamalarArtiKutusu->isChecked();
    return d;
}

// A header chosen by hand names its columns by its own words where it can; else the columns stay
// as they were chosen.
void DuzenSecici::baslikSecildi()
{
    EkstreDuzeni yeni = duzen();
    if (yeni.baslikSatiri >= 0) {
        const EkstreDuzeni sozlerinden = EkstreDuzeni::satirdan(*tablo, yeni.baslikSatiri);
        if (sozlerinden.okunur())
            yeni = sozlerinden;
    }
    goster(*tablo, yeni);
    emit degisti(duzen());
}
