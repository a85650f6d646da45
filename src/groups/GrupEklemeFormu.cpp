#include "GrupEklemeFormu.h"

#include "AnaForm.h"
#include "BütçeVerisi.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "TürkçeMetin.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using Denetim::twipAlanı;

GrupEklemeFormu::GrupEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm)
    : QDialog(&anaForm), defter(defter), anaForm(anaForm)
{
    setObjectName(defter.adıyla("%1GrubuEkleFormu"));
    setWindowTitle(defter.grupEklemeBaşlığı);
    Denetim::sabitİletişimKutusu(this, 5625, 2670);

    auto* çerçeve = new QGroupBox(this);
    çerçeve->setGeometry(twipAlanı(360, 300, 4905, 1395));
    altGrupKutusu = new QLineEdit(çerçeve);
    altGrupKutusu->setObjectName(defter.adıyla("Alt%1GrubuKutusu"));
    altGrupKutusu->setAccessibleName(defter.altGrupKutusuEtiketi.chopped(1));
    altGrupKutusu->setGeometry(twipAlanı(1620, 810, 3045, 315));
    anaGrupKutusu = new QComboBox(çerçeve);
    anaGrupKutusu->setObjectName(defter.adıyla("Ana%1GrubuKutusu"));
    anaGrupKutusu->setAccessibleName(defter.anaGrupKutusuEtiketi.chopped(1));
    anaGrupKutusu->setGeometry(twipAlanı(1620, 330, 3045, 315));
    anaGrupKutusu->setEditable(true);
    // What is typed is stored only by "Kaydet"; Enter must not slip it into the list.
    anaGrupKutusu->setInsertPolicy(QComboBox::NoInsert);
    Denetim::etiket(çerçeve, defter.altGrupKutusuEtiketi, twipAlanı(315, 870, 1125, 195), true);
    Denetim::etiket(çerçeve, defter.anaGrupKutusuEtiketi, twipAlanı(210, 390, 1230, 195), true);

    kapatDüğmesi = Denetim::düğme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                  twipAlanı(3870, 1950, 1395, 345));
    vazgeçDüğmesi = Denetim::düğme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                                   twipAlanı(2400, 1950, 1395, 345));
    ekleKaydetDüğmesi = Denetim::düğme(this, QStringLiteral("EkleKaydetDüğmesi"),
                                       defter.yeniGrupDüğmesi, twipAlanı(360, 1950, 1965, 345));

    setTabOrder(anaGrupKutusu, altGrupKutusu);
    setTabOrder(altGrupKutusu, ekleKaydetDüğmesi);
    setTabOrder(ekleKaydetDüğmesi, vazgeçDüğmesi);
    setTabOrder(vazgeçDüğmesi, kapatDüğmesi);

    connect(ekleKaydetDüğmesi, &QPushButton::clicked, this, [this] { EkleKaydetDüğmesi_Click(); });
    connect(vazgeçDüğmesi, &QPushButton::clicked, this, [this] { VazgeçDüğmesi_Click(); });
    connect(kapatDüğmesi, &QPushButton::clicked, this, [this] { KapatDüğmesi_Click(); });
    anaGrupKutusu->installEventFilter(this);
    altGrupKutusu->installEventFilter(this);

    VazgeçDüğmesi_Click();
}

bool GrupEklemeFormu::eventFilter(QObject* nesne, QEvent* olay)
{
    // The drop-down list taking the focus is no leaving of the box.
    if (olay->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(olay)->reason() != Qt::PopupFocusReason) {
        if (nesne == anaGrupKutusu)
            AnaGrupKutusu_LostFocus();
        else if (nesne == altGrupKutusu)
            AltGrupKutusu_LostFocus();
    }
    return QDialog::eventFilter(nesne, olay);
}

void GrupEklemeFormu::EkleKaydetDüğmesi_Click()
{
    if (!anaGrupKutusu->isEnabled()) {
        girişeGeç();
        return;
    }
    // Blanks are a name like any other; only a box with nothing in it is refused.
    const QString anaGrup = anaGrupKutusu->currentText();
    const QString altGrup = altGrupKutusu->text();
    if (anaGrup.isEmpty()) {
        MesajKutusu::bilgi(this, defter.boşAnaGrupMesajı);
        anaGrupKutusu->setFocus();
        return;
    }
    if (altGrup.isEmpty()) {
        MesajKutusu::bilgi(this, defter.boşAltGrupMesajı);
        altGrupKutusu->setFocus();
        return;
    }
    kaydet(anaGrup, altGrup);
}

void GrupEklemeFormu::girişeGeç()
{
    // Without the list the user can still type a new main group.
    if (!MesajKutusu::hatalarıGöstererek(this, [this] {
            AnaForm::SorguÇalıştır(BütçeVerisi::anaGruplar(defter), anaGrupKutusu);
        }))
        anaGrupKutusu->clear();
    anaGrupKutusu->setEnabled(true);
    altGrupKutusu->setEnabled(true);
    ekleKaydetDüğmesi->setText(QStringLiteral("Kaydet"));
    kapatDüğmesi->setEnabled(false);
    anaGrupKutusu->setFocus();
}

void GrupEklemeFormu::kaydet(const QString& anaGrup, const QString& altGrup)
{
    // A failure stops the save where it happens and leaves the input for another try; a main
    // group written before it is then found by the look-up and not written twice.
    bool anaGrupYazıldı = false;
    const bool kaydedildi = MesajKutusu::hatalarıGöstererek(this, [&] {
        if (!BütçeVerisi::anaGrupVar(defter, anaGrup)) {
            BütçeVerisi::anaGrupEkle(defter, anaGrup);
            anaGrupYazıldı = true;
        }
        BütçeVerisi::altGrupEkle(defter, anaGrup, altGrup);
    });
    if (kaydedildi || anaGrupYazıldı)
        anaFormuYenile();
    if (kaydedildi)
        VazgeçDüğmesi_Click();
}

void GrupEklemeFormu::anaFormuYenile()
{
    if (MesajKutusu::hatalarıGöstererek(this, [this] {
            AnaForm::SorguÇalıştır(BütçeVerisi::anaGruplar(defter), anaForm.anaGrupListesi(defter));
        }))
        anaForm.anaGrupTıklandı(defter);
}

void GrupEklemeFormu::VazgeçDüğmesi_Click()
{
    anaGrupKutusu->setCurrentIndex(-1);
    anaGrupKutusu->clearEditText();
    altGrupKutusu->clear();
    anaGrupKutusu->setEnabled(false);
    altGrupKutusu->setEnabled(false);
    ekleKaydetDüğmesi->setText(defter.yeniGrupDüğmesi);
    kapatDüğmesi->setEnabled(true);
}

void GrupEklemeFormu::KapatDüğmesi_Click()
{
    close();
}

void GrupEklemeFormu::AnaGrupKutusu_LostFocus()
{
    const QString büyük = büyükHarfle(anaGrupKutusu->currentText());
    if (büyük != anaGrupKutusu->currentText())
        anaGrupKutusu->setEditText(büyük);
}

void GrupEklemeFormu::AltGrupKutusu_LostFocus()
{
    const QString büyük = büyükHarfle(altGrupKutusu->text());
    if (büyük != altGrupKutusu->text())
        altGrupKutusu->setText(büyük);
}

QString GrupEklemeFormu::büyükHarfle(QString metin) const
{
    // The expense ledger has always mapped the two small i letters itself before upper-casing;
    // the Turkish upper-casing gives the same letters, so both ledgers store the same spelling.
    if (defter.iHarfleriAyrıcaDönüştürülür)
        metin.replace(QChar(u'i'), QChar(u'\u0130')).replace(QChar(u'ı'), QChar(u'I'));
    return TürkçeMetin::büyükHarf(metin);
}
