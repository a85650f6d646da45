#include "AnaForm.h"

#include "AylıkÖzetFormu.h"
#include "Biçim.h"
#include "BütçeVerisi.h"
#include "Denetim.h"
#include "GrupEklemeFormu.h"
#include "KayıtEklemeFormu.h"
#include "KayıtListesi.h"
#include "MesajKutusu.h"
#include "Takvim.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

using Denetim::düğme;
using Denetim::etiket;
using Denetim::twipAlanı;

namespace
{

constexpr int twip(int değer)
{
    return Biçim::twip(değer);
}

std::optional<QString> seçiliMetin(const QListWidget* liste)
{
    const QList<QListWidgetItem*> seçili = liste->selectedItems();
    if (seçili.isEmpty())
        return std::nullopt;
    return seçili.first()->text();
}

} // namespace

// Where one ledger's controls stand, in twips.
struct AnaForm::Yerleşim {
    QRect çerçeve;
    QRect liste;
    QRect listeEtiketi;
    QRect toplamKutusu;
    QRect toplamEtiketi;
    int düğmeÜstü;
    int anaEtiketGenişliği;
    int altEtiketGenişliği;
};

AnaForm::AnaForm(QDate bugün, QWidget* üst) : QWidget(üst), bugün_(bugün)
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("Dalvix - Morvane"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twip(11910), twip(8520));

    bölümüKur(gelir, gelirDefteri(),
              {twipAlanı(300, 390, 3255, 3165), twipAlanı(3870, 1620, 7695, 1995),
               twipAlanı(3870, 1350, 960, 195), twipAlanı(10200, 3765, 1365, 315),
               twipAlanı(9000, 3825, 960, 195), 3750, 1230, 1215});
    bölümüKur(gider, giderDefteri(),
              {twipAlanı(300, 4440, 3255, 3165), twipAlanı(3870, 4740, 7695, 2835),
               twipAlanı(3870, 4470, 1020, 195), twipAlanı(10200, 7785, 1365, 315),
               twipAlanı(8940, 7845, 1020, 195), 7770, 1290, 1275});
    dönemKur();
    sekmeSırasınıKur();

    MesajKutusu::hatalarıGöstererek(this, [this] {
        SorguÇalıştır(BütçeVerisi::anaGruplar(gelirDefteri()), gelir.anaGruplar);
        SorguÇalıştır(BütçeVerisi::anaGruplar(giderDefteri()), gider.anaGruplar);
    });
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    AyYılEkle(YılBilgisiKutusu, AyBilgisiKutusu);
    const int yıl = std::clamp(bugün.year(), Takvim::ilkYıl, Takvim::sonYıl);
    YılBilgisiKutusu->setCurrentIndex(yıl - Takvim::ilkYıl);
    AyBilgisiKutusu->setCurrentIndex(bugün.month());

    if (const QScreen* ekran = screen())
        move(ekran->availableGeometry().center() - rect().center());
}

void AnaForm::bölümüKur(Bölüm& b, const DefterTanımı& defter, const Yerleşim& yer)
{
    b.defter = &defter;

    auto* çerçeve = new QGroupBox(defter.çerçeveBaşlığı, this);
    çerçeve->setGeometry(yer.çerçeve);
    etiket(çerçeve, defter.anaGruplarEtiketi, twipAlanı(240, 300, yer.anaEtiketGenişliği, 195));
    etiket(çerçeve, defter.altGruplarEtiketi, twipAlanı(240, 1050, yer.altEtiketGenişliği, 195));
    b.anaGruplar = new QComboBox(çerçeve);
    b.anaGruplar->setObjectName(defter.adıyla("Ana%1GruplarıListesi"));
    b.anaGruplar->setAccessibleName(defter.anaGruplarEtiketi);
    b.anaGruplar->setGeometry(twipAlanı(240, 570, 2775, 315));
    b.altGruplar = new QListWidget(çerçeve);
    b.altGruplar->setObjectName(defter.adıyla("Alt%1GruplarıListesi"));
    b.altGruplar->setAccessibleName(defter.altGruplarEtiketi.chopped(2));
    b.altGruplar->setGeometry(twipAlanı(240, 1320, 2775, 1620));

    const int üst = yer.düğmeÜstü;
    b.grupEkle = düğme(this, defter.adıyla("%1GrubuEkleDüğmesi"), defter.grupEkleDüğmesi,
                       twipAlanı(300, üst, 1575, 345));
    b.grupSil = düğme(this, defter.adıyla("%1GrubuSilDüğmesi"), defter.grupSilDüğmesi,
                      twipAlanı(1980, üst, 1575, 345));
    b.ekle = düğme(this, defter.adıyla("%1EkleDüğmesi"), defter.ekleDüğmesi,
                   twipAlanı(3870, üst, 1365, 345));
    b.sil = düğme(this, defter.adıyla("%1SilDüğmesi"), defter.silDüğmesi,
                  twipAlanı(5310, üst, 1365, 345));
    b.tümünüGöster = düğme(this, defter.adıyla("Tüm%1leriGösterDüğmesi"),
                           defter.tümünüGösterDüğmesi, twipAlanı(6750, üst, 1785, 345));

    etiket(this, defter.listeEtiketi, yer.listeEtiketi);
    b.liste = new KayıtListesi(defter, this);
    b.liste->setGeometry(yer.liste);
    etiket(this, defter.toplamEtiketi, yer.toplamEtiketi, true);
    b.toplamKutusu = new QLineEdit(this);
    b.toplamKutusu->setObjectName(defter.adıyla("%1ToplamıKutusu"));
    b.toplamKutusu->setAccessibleName(defter.toplamEtiketi);
    b.toplamKutusu->setGeometry(yer.toplamKutusu);
    b.toplamKutusu->setReadOnly(true);
    b.toplamKutusu->setAlignment(Qt::AlignRight);
    QFont kalın = b.toplamKutusu->font();
    kalın.setBold(true);
    b.toplamKutusu->setFont(kalın);

    connect(b.anaGruplar, &QComboBox::activated, this, [this, &b] { anaGrupTıklandı(b); });
    connect(b.altGruplar, &QListWidget::itemSelectionChanged, this, [this, &b] {
        if (seçiliMetin(b.altGruplar))
            altGrupTıklandı(b);
    });
    connect(b.grupEkle, &QPushButton::clicked, this, [this, &b] { grupEklemeyiAç(b); });
    connect(b.grupSil, &QPushButton::clicked, this, [this, &b] { grupSil(b); });
    connect(b.ekle, &QPushButton::clicked, this, [this, &b] { kayıtEklemeyiAç(b); });
    connect(b.sil, &QPushButton::clicked, this, [this, &b] { kayıtSil(b); });
    connect(b.tümünüGöster, &QPushButton::clicked, this, [this, &b] { özetiAç(b); });
}

void AnaForm::dönemKur()
{
    auto* çerçeve = new QGroupBox(QStringLiteral("Tarih Bilgileri"), this);
    çerçeve->setGeometry(twipAlanı(3870, 390, 7695, 795));
    AyBilgisiKutusu = new QComboBox(çerçeve);
    AyBilgisiKutusu->setObjectName(QStringLiteral("AyBilgisiKutusu"));
    AyBilgisiKutusu->setAccessibleName(QStringLiteral("Ay:"));
    AyBilgisiKutusu->setGeometry(twipAlanı(5580, 300, 1785, 315));
    YılBilgisiKutusu = new QComboBox(çerçeve);
    YılBilgisiKutusu->setObjectName(QStringLiteral("YılBilgisiKutusu"));
    YılBilgisiKutusu->setAccessibleName(QStringLiteral("Yıl:"));
    YılBilgisiKutusu->setGeometry(twipAlanı(780, 300, 1785, 315));
    etiket(çerçeve, QStringLiteral("Ay:"), twipAlanı(5160, 360, 225, 195), true);
    etiket(çerçeve, QStringLiteral("Yıl:"), twipAlanı(360, 360, 210, 195), true);

    connect(YılBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { YılBilgisiKutusu_Click(); });
    connect(AyBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { AyBilgisiKutusu_Click(); });
}

void AnaForm::sekmeSırasınıKur()
{
    const QList<QWidget*> sıra{
        gelir.anaGruplar, gelir.altGruplar,   gelir.grupEkle,     gelir.grupSil,
        gider.anaGruplar, gider.altGruplar,   gider.grupEkle,     gider.grupSil,
        YılBilgisiKutusu, AyBilgisiKutusu,    gelir.liste,        gelir.ekle,
        gelir.sil,        gelir.tümünüGöster, gelir.toplamKutusu, gider.ekle,
        gider.sil,        gider.tümünüGöster, gider.toplamKutusu, gider.liste};
    for (qsizetype i = 1; i < sıra.size(); ++i)
        setTabOrder(sıra[i - 1], sıra[i]);
}

std::optional<QString> AnaForm::seçiliAltGrup(const DefterTanımı& defter)
{
    return seçiliMetin(bölüm(defter).altGruplar);
}

void AnaForm::SorguÇalıştır(const QStringList& adlar, QComboBox* liste)
{
    liste->clear();
    liste->addItems(adlar);
    liste->setCurrentIndex(-1);
}

void AnaForm::SorguÇalıştır(const QStringList& adlar, QListWidget* liste)
{
    liste->clear();
    liste->addItems(adlar);
}

void AnaForm::AyYılEkle(QComboBox* yılKutusu, QComboBox* ayKutusu)
{
    for (int yıl = Takvim::ilkYıl; yıl <= Takvim::sonYıl; ++yıl)
        yılKutusu->addItem(QString::number(yıl));
    ayKutusu->addItems(Takvim::ayAdları());
}

// Each command below shows at most one message, however many statements fail.
void AnaForm::anaGrupTıklandı(Bölüm& b)
{
    b.liste->boşalt();
    b.toplamKutusu->clear();
    MesajKutusu::hatalarıGöstererek(this, [&] {
        SorguÇalıştır(BütçeVerisi::altGruplar(*b.defter, b.anaGruplar->currentText()),
                      b.altGruplar);
        listeyiDoldur(b, false);
    });
}

void AnaForm::altGrupTıklandı(Bölüm& b)
{
    listele(b, true);
}

void AnaForm::listele(Bölüm& b, bool altGrupla)
{
    MesajKutusu::hatalarıGöstererek(this, [&] { listeyiDoldur(b, altGrupla); });
}

void AnaForm::listeyiDoldur(Bölüm& b, bool altGrupla)
{
    b.liste->boşalt();
    b.toplamKutusu->clear();
    BütçeVerisi::KayıtSüzgeci süzgeç{.anaGrup = b.anaGruplar->currentText(),
                                     .yıl = YılBilgisiKutusu->currentText().toInt()};
    if (altGrupla)
        süzgeç.altGrup = seçiliMetin(b.altGruplar).value_or(QString());
    if (AyBilgisiKutusu->currentIndex() > 0)
        süzgeç.ay = AyBilgisiKutusu->currentText();
    const qint64 toplam = b.liste->doldur(BütçeVerisi::kayıtlar(*b.defter, süzgeç));
    b.toplamKutusu->setText(Biçim::tutar(toplam));
}

void AnaForm::dönemDeğişti()
{
    MesajKutusu::hatalarıGöstererek(this, [this] {
        for (Bölüm* b : {&gelir, &gider}) {
            if (b->anaGruplar->currentIndex() >= 0)
                listeyiDoldur(*b, false);
            if (seçiliMetin(b->altGruplar))
                listeyiDoldur(*b, true);
        }
    });
}

void AnaForm::grupEklemeyiAç(Bölüm& b)
{
    GrupEklemeFormu form(*b.defter, *this);
    form.exec();
}

void AnaForm::grupSil(Bölüm& b)
{
    const std::optional<QString> altGrup = seçiliMetin(b.altGruplar);
    if (!altGrup || !MesajKutusu::sor(this, b.defter->grupSilmeSorusu))
        return;
    bool silindi = false;
    if (!MesajKutusu::hatalarıGöstererek(this, [&] {
            silindi = BütçeVerisi::altGrupSil(*b.defter, b.anaGruplar->currentText(), *altGrup);
        }))
        return;
    if (!silindi)
        MesajKutusu::bilgi(this,
                           QStringLiteral("Seçilen alt grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    anaGrupTıklandı(b);
}

void AnaForm::kayıtEklemeyiAç(Bölüm& b)
{
    if (!seçiliMetin(b.altGruplar))
        return;
    KayıtEklemeFormu form(*b.defter, *this);
    form.exec();
}

void AnaForm::kayıtSil(Bölüm& b)
{
    const std::optional<qint64> kimlik = b.liste->seçiliKimlik();
    if (!kimlik || !MesajKutusu::sor(this, b.defter->kayıtSilmeSorusu))
        return;
    const std::optional<QString> altGrup = seçiliMetin(b.altGruplar);
    bool silindi = false;
    if (!MesajKutusu::hatalarıGöstererek(
            this, [&] { silindi = BütçeVerisi::kayıtSil(*b.defter, *kimlik); }))
        return;
    if (!silindi)
        MesajKutusu::bilgi(this, QStringLiteral("Seçilen kayıt veritabanında artık yok; başka bir "
                                                "program tarafından silinmiş olabilir."));
    anaGrupTıklandı(b);
    // Keep the user's view: the sub-group that was chosen is chosen again, if it is still there.
    if (altGrup) {
        const QList<QListWidgetItem*> bulunan = b.altGruplar->findItems(*altGrup, Qt::MatchExactly);
        if (!bulunan.isEmpty())
            b.altGruplar->setCurrentItem(bulunan.first());
    }
}

void AnaForm::özetiAç(Bölüm& b)
{
    AylıkÖzetFormu form(*b.defter, this);
    form.exec();
}
