#include "KayıtEklemeFormu.h"

#include "AnaForm.h"
#include "Biçim.h"
#include "BütçeVerisi.h"
#include "Denetim.h"
#include "MesajKutusu.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using Denetim::twipAlanı;

namespace
{

bool saklanabilir(double tutar)
{
    return std::isfinite(tutar) &&
           std::fabs(tutar) * 100.0 < double(KayıtEklemeFormu::enBüyükKuruş) + 0.5;
}

QString kutuAdı(const QString& etiket)
{
    return etiket.endsWith(u':') ? etiket.chopped(1) : etiket;
}

} // namespace

KayıtEklemeFormu::KayıtEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm)
    : QDialog(&anaForm), defter(defter), anaForm(anaForm),
      anaGrup(anaForm.anaGrupListesi(defter)->currentText()),
      altGrup(anaForm.seçiliAltGrup(defter).value_or(QString()))
{
    setObjectName(defter.adıyla("%1EklemeFormu"));
    setWindowTitle(defter.eklemeBaşlığı);
    Denetim::sabitİletişimKutusu(this, 5655, 3660);

    auto* çerçeve = new QGroupBox(defter.bilgiÇerçevesi, this);
    çerçeve->setGeometry(twipAlanı(360, 330, 4905, 2415));
    const auto kutu = [&](auto* denetim, const char* ad, const QString& etiket, QRect alan,
                          int etiketÜstü) {
        denetim->setObjectName(QString::fromUtf8(ad));
        denetim->setGeometry(alan);
        denetim->setAccessibleName(kutuAdı(etiket));
        denetim->setEnabled(false);
        // Labels are sized to their text and end at 1785 twips, against the inputs at 2040.
        Denetim::etiket(çerçeve, etiket, twipAlanı(0, etiketÜstü, 1785, 195), true)
            ->setBuddy(denetim);
        return denetim;
    };
    YılBilgisiKutusu = kutu(new QComboBox(çerçeve), "YılBilgisiKutusu", defter.yılEtiketi,
                            twipAlanı(2040, 450, 2535, 315), 510);
    AyBilgisiKutusu = kutu(new QComboBox(çerçeve), "AyBilgisiKutusu", defter.ayEtiketi,
                           twipAlanı(2040, 880, 2535, 315), 930);
    TahminKutusu = kutu(new QLineEdit(çerçeve), "TahminKutusu", defter.tahminEtiketi,
                        twipAlanı(2040, 1310, 2505, 315), 1365);
    GerçekleşenKutusu = kutu(new QLineEdit(çerçeve), "GerçekleşenKutusu", defter.gerçekleşenEtiketi,
                             twipAlanı(2040, 1740, 2505, 315), 1800);
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerçekleşenKutusu}) {
        tutarKutusu->setAlignment(Qt::AlignRight);
        tutarKutusu->installEventFilter(this);
    }

    EkleKaydetDüğmesi = Denetim::düğme(this, QStringLiteral("EkleKaydetDüğmesi"),
                                       defter.yeniKayıtDüğmesi, twipAlanı(360, 3000, 1965, 345));
    VazgeçDüğmesi = Denetim::düğme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                                   twipAlanı(2400, 3000, 1395, 345));
    KapatDüğmesi = Denetim::düğme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                  twipAlanı(3870, 3000, 1395, 345));
    setTabOrder(YılBilgisiKutusu, AyBilgisiKutusu);
    setTabOrder(AyBilgisiKutusu, TahminKutusu);
    setTabOrder(TahminKutusu, GerçekleşenKutusu);
    setTabOrder(GerçekleşenKutusu, EkleKaydetDüğmesi);
    setTabOrder(EkleKaydetDüğmesi, VazgeçDüğmesi);
    setTabOrder(VazgeçDüğmesi, KapatDüğmesi);

    connect(EkleKaydetDüğmesi, &QPushButton::clicked, this, [this] { EkleKaydetDüğmesi_Click(); });
    connect(VazgeçDüğmesi, &QPushButton::clicked, this, [this] { VazgeçDüğmesi_Click(); });
    connect(KapatDüğmesi, &QPushButton::clicked, this, [this] { KapatDüğmesi_Click(); });
    // Enter in an amount box saves, with the amount as it will be shown.
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerçekleşenKutusu})
        connect(tutarKutusu, &QLineEdit::returnPressed, this, [this, tutarKutusu] {
            biçimle(tutarKutusu);
            EkleKaydetDüğmesi_Click();
        });

    AnaForm::AyYılEkle(YılBilgisiKutusu, AyBilgisiKutusu);
    YılBilgisiKutusu->setCurrentIndex(-1);
    AyBilgisiKutusu->setCurrentIndex(-1);
    EkleKaydetDüğmesi->setFocus();
}

bool KayıtEklemeFormu::girişte() const
{
    return YılBilgisiKutusu->isEnabled();
}

void KayıtEklemeFormu::girdileriAç(bool açık)
{
    for (QWidget* girdi : std::initializer_list<QWidget*>{YılBilgisiKutusu, AyBilgisiKutusu,
                                                          TahminKutusu, GerçekleşenKutusu})
        girdi->setEnabled(açık);
}

void KayıtEklemeFormu::EkleKaydetDüğmesi_Click()
{
    if (girişte())
        kaydet();
    else
        girişeGeç();
}

void KayıtEklemeFormu::girişeGeç()
{
    YılBilgisiKutusu->setCurrentIndex(
        YılBilgisiKutusu->findText(anaForm.yılBilgisiKutusu()->currentText()));
    const int ay = anaForm.ayBilgisiKutusu()->currentIndex(); // 0 is "Tüm Aylar"
    AyBilgisiKutusu->setCurrentIndex((ay > 0 ? ay : anaForm.bugün().month()) - 1);
    girdileriAç(true);
    EkleKaydetDüğmesi->setText(QStringLiteral("Kaydet"));
    KapatDüğmesi->setEnabled(false);
    YılBilgisiKutusu->setFocus();
}

std::optional<qint64> KayıtEklemeFormu::geçerliTutar(QLineEdit* kutu, const QString& boşMesajı)
{
    const double tutar = Biçim::tutarOku(kutu->text());
    if (!saklanabilir(tutar)) {
        MesajKutusu::bilgi(this,
                           QStringLiteral("%1 saklanamayacak kadar büyük; en çok %2 olabilir.")
                               .arg(kutu->accessibleName(), Biçim::tutar(enBüyükKuruş)));
    } else if (const qint64 kuruş = Biçim::kuruşa(tutar); kuruş != 0) {
        return kuruş;
    } else {
        MesajKutusu::bilgi(this, boşMesajı);
    }
    kutu->setFocus();
    return std::nullopt;
}

void KayıtEklemeFormu::kaydet()
{
    const std::optional<qint64> tahmin = geçerliTutar(TahminKutusu, defter.boşTahminMesajı);
    if (!tahmin)
        return;
    const std::optional<qint64> gerçekleşen =
        geçerliTutar(GerçekleşenKutusu, defter.boşGerçekleşenMesajı);
    if (!gerçekleşen)
        return;
    const BütçeVerisi::YeniKayıt kayıt{anaGrup,
                                       altGrup,
                                       YılBilgisiKutusu->currentText().toInt(),
                                       AyBilgisiKutusu->currentText(),
                                       double(*tahmin) / 100.0,
                                       double(*gerçekleşen) / 100.0};
    if (!MesajKutusu::hatalarıGöstererek(this, [&] { BütçeVerisi::kayıtEkle(defter, kayıt); }))
        return;
    anaForm.anaGrupTıklandı(defter);
    VazgeçDüğmesi_Click();
}

void KayıtEklemeFormu::VazgeçDüğmesi_Click()
{
    girdileriAç(false);
    YılBilgisiKutusu->setCurrentIndex(-1);
    AyBilgisiKutusu->setCurrentIndex(-1);
    TahminKutusu->clear();
    GerçekleşenKutusu->clear();
    EkleKaydetDüğmesi->setText(defter.yeniKayıtDüğmesi);
    KapatDüğmesi->setEnabled(true);
}

void KayıtEklemeFormu::KapatDüğmesi_Click()
{
    if (KapatDüğmesi->isEnabled())
        reject();
}

void KayıtEklemeFormu::TahminKutusu_LostFocus()
{
    biçimle(TahminKutusu);
}

void KayıtEklemeFormu::GerçekleşenKutusu_LostFocus()
{
    biçimle(GerçekleşenKutusu);
}

void KayıtEklemeFormu::biçimle(QLineEdit* kutu)
{
    const double tutar = Biçim::tutarOku(kutu->text());
    // An amount too large to store stays as typed; saving it is refused with a message.
    if (saklanabilir(tutar))
        kutu->setText(Biçim::tutar(Biçim::kuruşa(tutar)));
}

bool KayıtEklemeFormu::eventFilter(QObject* nesne, QEvent* olay)
{
    if (olay->type() == QEvent::FocusOut) {
        if (nesne == TahminKutusu)
            TahminKutusu_LostFocus();
        else if (nesne == GerçekleşenKutusu)
            GerçekleşenKutusu_LostFocus();
    }
    return QDialog::eventFilter(nesne, olay);
}

void KayıtEklemeFormu::keyPressEvent(QKeyEvent* olay)
{
    // Escape gives up the entry being filled in; with none, it closes the dialog.
    if (olay->key() == Qt::Key_Escape && girişte()) {
        VazgeçDüğmesi_Click();
        olay->accept();
        return;
    }
    QDialog::keyPressEvent(olay);
}
