#include "AnaForm.h"

#include "AylikOzetFormu.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "GrupEklemeFormu.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "MesajKutusu.h"
#include "Takvim.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

using Denetim::dugme;
using Denetim::etiket;
using Denetim::twipAlani;

namespace
{

constexpr int twip(int deger)
{
    return Bicim::twip(deger);
}

std::optional<QString> seciliMetin(const QListWidget* liste)
{
    const QList<QListWidgetItem*> secili = liste->selectedItems();
    if (secili.isEmpty())
        return std::nullopt;
    return secili.first()->text();
}

} // namespace

// Where one ledger's controls stand, in twips.
struct AnaForm::Yerlesim {
    QRect cerceve;
    QRect liste;
    QRect listeEtiketi;
    QRect toplamKutusu;
    QRect toplamEtiketi;
    int dugmeUstu;
    int anaEtiketGenisligi;
    int altEtiketGenisligi;
};

AnaForm::AnaForm(QDate bugun, QWidget* ust) : QWidget(ust), bugun_(bugun)
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("Dalvix - Morvane"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twip(11910), twip(8520));

    bolumuKur(gelir, gelirDefteri(),
              {twipAlani(300, 390, 3255, 3165), twipAlani(3870, 1620, 7695, 1995),
               twipAlani(3870, 1350, 960, 195), twipAlani(10200, 3765, 1365, 315),
               twipAlani(9000, 3825, 960, 195), 3750, 1230, 1215});
    bolumuKur(gider, giderDefteri(),
              {twipAlani(300, 4440, 3255, 3165), twipAlani(3870, 4740, 7695, 2835),
               twipAlani(3870, 4470, 1020, 195), twipAlani(10200, 7785, 1365, 315),
               twipAlani(8940, 7845, 1020, 195), 7770, 1290, 1275});
    donemKur();
    sekmeSirasiniKur();

    MesajKutusu::hatalariGostererek(this, [this] {
        Doldurma::SorguCalistir(ButceVerisi::anaGruplar(gelirDefteri()), gelir.anaGruplar);
        Doldurma::SorguCalistir(ButceVerisi::anaGruplar(giderDefteri()), gider.anaGruplar);
    });
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    Doldurma::AyYilEkle(YilBilgisiKutusu, AyBilgisiKutusu);
    const int yil = std::clamp(bugun.year(), Takvim::ilkYil, Takvim::sonYil);
    YilBilgisiKutusu->setCurrentIndex(yil - Takvim::ilkYil);
    AyBilgisiKutusu->setCurrentIndex(bugun.month());

    if (const QScreen* ekran = screen())
        move(ekran->availableGeometry().center() - rect().center());
}

void AnaForm::bolumuKur(Bolum& b, const DefterTanimi& defter, const Yerlesim& yer)
{
    b.defter = &defter;

    auto* cerceve = new QGroupBox(defter.cerceveBasligi, this);
    cerceve->setGeometry(yer.cerceve);
    etiket(cerceve, defter.anaGruplarEtiketi, twipAlani(240, 300, yer.anaEtiketGenisligi, 195));
    etiket(cerceve, defter.altGruplarEtiketi, twipAlani(240, 1050, yer.altEtiketGenisligi, 195));
    b.anaGruplar = new QComboBox(cerceve);
    b.anaGruplar->setObjectName(defter.adiyla("Ana%1GruplarıListesi"));
    b.anaGruplar->setAccessibleName(defter.anaGruplarEtiketi);
    b.anaGruplar->setGeometry(twipAlani(240, 570, 2775, 315));
    b.altGruplar = new QListWidget(cerceve);
    b.altGruplar->setObjectName(defter.adiyla("Alt%1GruplarıListesi"));
    b.altGruplar->setAccessibleName(defter.altGruplarEtiketi.chopped(2));
    b.altGruplar->setGeometry(twipAlani(240, 1320, 2775, 1620));

    const int ust = yer.dugmeUstu;
    b.grupEkle = dugme(this, defter.adiyla("%1GrubuEkleDüğmesi"), defter.grupEkleDugmesi,
                       twipAlani(300, ust, 1575, 345));
    b.grupSil = dugme(this, defter.adiyla("%1GrubuSilDüğmesi"), defter.grupSilDugmesi,
                      twipAlani(1980, ust, 1575, 345));
    b.ekle = dugme(this, defter.adiyla("%1EkleDüğmesi"), defter.ekleDugmesi,
                   twipAlani(3870, ust, 1365, 345));
    b.sil = dugme(this, defter.adiyla("%1SilDüğmesi"), defter.silDugmesi,
                  twipAlani(5310, ust, 1365, 345));
    b.tumunuGoster = dugme(this, defter.adiyla("Tüm%1leriGösterDüğmesi"),
                           defter.tumunuGosterDugmesi, twipAlani(6750, ust, 1785, 345));

    etiket(this, defter.listeEtiketi, yer.listeEtiketi);
    b.liste = new KayitListesi(defter, this);
    b.liste->setGeometry(yer.liste);
    etiket(this, defter.toplamEtiketi, yer.toplamEtiketi, true);
    b.toplamKutusu = new QLineEdit(this);
    b.toplamKutusu->setObjectName(defter.adiyla("%1ToplamıKutusu"));
    b.toplamKutusu->setAccessibleName(defter.toplamEtiketi);
    b.toplamKutusu->setGeometry(yer.toplamKutusu);
    b.toplamKutusu->setReadOnly(true);
    b.toplamKutusu->setAlignment(Qt::AlignRight);
    QFont kalin = b.toplamKutusu->font();
    kalin.setBold(true);
    b.toplamKutusu->setFont(kalin);

    connect(b.anaGruplar, &QComboBox::activated, this, [this, &b] { anaGrupTiklandi(b); });
    connect(b.altGruplar, &QListWidget::itemSelectionChanged, this, [this, &b] {
        if (seciliMetin(b.altGruplar))
            altGrupTiklandi(b);
    });
    connect(b.grupEkle, &QPushButton::clicked, this, [this, &b] { grupEklemeyiAc(b); });
    connect(b.grupSil, &QPushButton::clicked, this, [this, &b] { grupSil(b); });
    connect(b.ekle, &QPushButton::clicked, this, [this, &b] { kayitEklemeyiAc(b); });
    connect(b.sil, &QPushButton::clicked, this, [this, &b] { kayitSil(b); });
    connect(b.tumunuGoster, &QPushButton::clicked, this, [this, &b] { ozetiAc(b); });
}

void AnaForm::donemKur()
{
    auto* cerceve = new QGroupBox(QStringLiteral("Tarih Bilgileri"), this);
    cerceve->setGeometry(twipAlani(3870, 390, 7695, 795));
    AyBilgisiKutusu = new QComboBox(cerceve);
    AyBilgisiKutusu->setObjectName(QStringLiteral("AyBilgisiKutusu"));
    AyBilgisiKutusu->setAccessibleName(QStringLiteral("Ay:"));
    AyBilgisiKutusu->setGeometry(twipAlani(5580, 300, 1785, 315));
    YilBilgisiKutusu = new QComboBox(cerceve);
    YilBilgisiKutusu->setObjectName(QStringLiteral("YılBilgisiKutusu"));
    YilBilgisiKutusu->setAccessibleName(QStringLiteral("Yıl:"));
    YilBilgisiKutusu->setGeometry(twipAlani(780, 300, 1785, 315));
    etiket(cerceve, QStringLiteral("Ay:"), twipAlani(5160, 360, 225, 195), true);
    etiket(cerceve, QStringLiteral("Yıl:"), twipAlani(360, 360, 210, 195), true);

    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { YilBilgisiKutusu_Click(); });
    connect(AyBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { AyBilgisiKutusu_Click(); });
}

void AnaForm::sekmeSirasiniKur()
{
    const QList<QWidget*> sira{
        gelir.anaGruplar, gelir.altGruplar,   gelir.grupEkle,     gelir.grupSil,
        gider.anaGruplar, gider.altGruplar,   gider.grupEkle,     gider.grupSil,
        YilBilgisiKutusu, AyBilgisiKutusu,    gelir.liste,        gelir.ekle,
        gelir.sil,        gelir.tumunuGoster, gelir.toplamKutusu, gider.ekle,
        gider.sil,        gider.tumunuGoster, gider.toplamKutusu, gider.liste};
    for (qsizetype i = 1; i < sira.size(); ++i)
        setTabOrder(sira[i - 1], sira[i]);
}

std::optional<QString> AnaForm::seciliAltGrup(const DefterTanimi& defter)
{
    return seciliMetin(bolum(defter).altGruplar);
}

// Each command below shows at most one message, however many statements fail.
void AnaForm::anaGrupTiklandi(Bolum& b)
{
    b.liste->bosalt();
    b.toplamKutusu->clear();
    MesajKutusu::hatalariGostererek(this, [&] {
        Doldurma::SorguCalistir(ButceVerisi::altGruplar(*b.defter, b.anaGruplar->currentText()),
                                b.altGruplar);
        listeyiDoldur(b, false);
    });
}

void AnaForm::altGrupTiklandi(Bolum& b)
{
    listele(b, true);
}

void AnaForm::listele(Bolum& b, bool altGrupla)
{
    MesajKutusu::hatalariGostererek(this, [&] { listeyiDoldur(b, altGrupla); });
}

void AnaForm::listeyiDoldur(Bolum& b, bool altGrupla)
{
    b.liste->bosalt();
    b.toplamKutusu->clear();
    ButceVerisi::KayitSuzgeci suzgec{.anaGrup = b.anaGruplar->currentText(),
                                     .yil = YilBilgisiKutusu->currentText().toInt()};
    if (altGrupla)
        suzgec.altGrup = seciliMetin(b.altGruplar).value_or(QString());
    if (AyBilgisiKutusu->currentIndex() > 0)
        suzgec.ay = AyBilgisiKutusu->currentText();
    const qint64 toplam = b.liste->doldur(ButceVerisi::kayitlar(*b.defter, suzgec));
    b.toplamKutusu->setText(Bicim::tutar(toplam));
}

void AnaForm::donemDegisti()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        for (Bolum* b : {&gelir, &gider}) {
            if (b->anaGruplar->currentIndex() >= 0)
                listeyiDoldur(*b, false);
            if (seciliMetin(b->altGruplar))
                listeyiDoldur(*b, true);
        }
    });
}

std::unique_ptr<GrupEklemeFormu> AnaForm::grupEklemeFormu(const DefterTanimi& defter)
{
    Bolum& b = bolum(defter);
    auto form = std::make_unique<GrupEklemeFormu>(defter, this);
    connect(form.get(), &GrupEklemeFormu::gruplarDegisti, this,
            [this, &b] { anaGruplariYenile(b); });
    return form;
}

void AnaForm::grupEklemeyiAc(Bolum& b)
{
    grupEklemeFormu(*b.defter)->exec();
}

void AnaForm::anaGruplariYenile(Bolum& b)
{
    if (MesajKutusu::hatalariGostererek(this, [&] {
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(*b.defter), b.anaGruplar);
        }))
        anaGrupTiklandi(b);
}

void AnaForm::grupSil(Bolum& b)
{
    const std::optional<QString> altGrup = seciliMetin(b.altGruplar);
    if (!altGrup || !MesajKutusu::sor(this, b.defter->grupSilmeSorusu))
        return;
    bool silindi = false;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            silindi = ButceVerisi::altGrupSil(*b.defter, b.anaGruplar->currentText(), *altGrup);
        }))
        return;
    if (!silindi)
        MesajKutusu::bilgi(this,
                           QStringLiteral("Seçilen alt grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    anaGrupTiklandi(b);
}

std::unique_ptr<KayitEklemeFormu> AnaForm::kayitEklemeFormu(const DefterTanimi& defter)
{
    Bolum& b = bolum(defter);
    const KayitEklemeFormu::Secim secim{.anaGrup = b.anaGruplar->currentText(),
                                        .altGrup = seciliMetin(b.altGruplar).value_or(QString()),
                                        .yil = YilBilgisiKutusu->currentText(),
                                        .ay = AyBilgisiKutusu->currentIndex(),
                                        .bugun = bugun_};
    auto form = std::make_unique<KayitEklemeFormu>(defter, secim, this);
    connect(form.get(), &KayitEklemeFormu::kayitEklendi, this, [this, &b] { anaGrupTiklandi(b); });
    return form;
}

void AnaForm::kayitEklemeyiAc(Bolum& b)
{
    if (seciliMetin(b.altGruplar))
        kayitEklemeFormu(*b.defter)->exec();
}

void AnaForm::kayitSil(Bolum& b)
{
    const std::optional<qint64> kimlik = b.liste->seciliKimlik();
    if (!kimlik || !MesajKutusu::sor(this, b.defter->kayitSilmeSorusu))
        return;
    const std::optional<QString> altGrup = seciliMetin(b.altGruplar);
    bool silindi = false;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { silindi = ButceVerisi::kayitSil(*b.defter, *kimlik); }))
        return;
    if (!silindi)
        MesajKutusu::bilgi(this, QStringLiteral("Seçilen kayıt veritabanında artık yok; başka bir "
                                                "program tarafından silinmiş olabilir."));
    anaGrupTiklandi(b);
    // Keep the user's view: the sub-group that was chosen is chosen again, if it is still there.
    if (altGrup) {
        const QList<QListWidgetItem*> bulunan = b.altGruplar->findItems(*altGrup, Qt::MatchExactly);
        if (!bulunan.isEmpty())
            b.altGruplar->setCurrentItem(bulunan.first());
    }
}

void AnaForm::ozetiAc(Bolum& b)
{
    AylikOzetFormu form(*b.defter, YilBilgisiKutusu->currentText().toInt(), this);
    form.exec();
}
