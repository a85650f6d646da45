#include "GrupEklemeFormu.h"

#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "MesajKutusu.h"
#include "TurkceMetin.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Denetim::twipAlani;

GrupEklemeFormu::GrupEklemeFormu(const DefterTanimi& defterTanimi, QWidget* sahibi)
    : QDialog(sahibi), defter(defterTanimi)
{
    setObjectName(defter.adiyla("%1GrubuEkleFormu"));
    setWindowTitle(defter.grupEklemeBasligi);
    Denetim::sabitIletisimKutusu(this, 5625, 2670);

    auto* cerceve = new QGroupBox(this);
    cerceve->setGeometry(twipAlani(360, 300, 4905, 1395));
    altGrupKutusu = new QLineEdit(cerceve);
    altGrupKutusu->setObjectName(defter.adiyla("Alt%1GrubuKutusu"));
    altGrupKutusu->setAccessibleName(defter.altGrupKutusuEtiketi.chopped(1));
    altGrupKutusu->setGeometry(twipAlani(1860, 810, 2805, 315));
    anaGrupKutusu = new QComboBox(cerceve);
    anaGrupKutusu->setObjectName(defter.adiyla("Ana%1GrubuKutusu"));
    anaGrupKutusu->setAccessibleName(defter.anaGrupKutusuEtiketi.chopped(1));
    anaGrupKutusu->setGeometry(twipAlani(1860, 330, 2805, 315));
    anaGrupKutusu->setEditable(true);
    // What is typed is stored only by "Kaydet"; Enter must not slip it into the list.
    anaGrupKutusu->setInsertPolicy(QComboBox::NoInsert);
    anaGrupKutusu->lineEdit()->setMaxLength(enUzunAd);
    altGrupKutusu->setMaxLength(enUzunAd);
    // Both labels end at one edge, with room for the longer before it.
    Denetim::etiket(cerceve, defter.altGrupKutusuEtiketi, twipAlani(120, 870, 1620, 195), true)
        ->setBuddy(altGrupKutusu);
    Denetim::etiket(cerceve, defter.anaGrupKutusuEtiketi, twipAlani(120, 390, 1620, 195), true)
        ->setBuddy(anaGrupKutusu);

    // The long caption of the first button takes room from the other two.
    kapatDugmesi = Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                  twipAlani(3990, 1950, 1275, 345));
    vazgecDugmesi = Denetim::dugme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                                   twipAlani(2640, 1950, 1275, 345));
    ekleKaydetDugmesi = Denetim::dugme(this, QStringLiteral("EkleKaydetDüğmesi"),
                                       defter.yeniGrupDugmesi, twipAlani(360, 1950, 2160, 345));

    setTabOrder(anaGrupKutusu, altGrupKutusu);
    setTabOrder(altGrupKutusu, ekleKaydetDugmesi);
    setTabOrder(ekleKaydetDugmesi, vazgecDugmesi);
    setTabOrder(vazgecDugmesi, kapatDugmesi);

    connect(ekleKaydetDugmesi, &QPushButton::clicked, this, [this] { EkleKaydetDugmesi_Click(); });
    connect(vazgecDugmesi, &QPushButton::clicked, this, [this] { VazgecDugmesi_Click(); });
    connect(kapatDugmesi, &QPushButton::clicked, this, [this] { KapatDugmesi_Click(); });
    anaGrupKutusu->installEventFilter(this);
    altGrupKutusu->installEventFilter(this);

    VazgecDugmesi_Click();
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

void GrupEklemeFormu::EkleKaydetDugmesi_Click()
{
    if (!anaGrupKutusu->isEnabled()) {
        giriseGec();
        return;
    }
    // The names as they are stored, whether or not a box was left before "Kaydet".
    AnaGrupKutusu_LostFocus();
    AltGrupKutusu_LostFocus();
    const QString anaGrup = anaGrupKutusu->currentText();
    const QString altGrup = altGrupKutusu->text();
    if (adUygun(anaGrupKutusu, anaGrup, defter.bosAnaGrupMesaji) &&
        adUygun(altGrupKutusu, altGrup, defter.bosAltGrupMesaji))
        kaydet(anaGrup, altGrup);
}

bool GrupEklemeFormu::adUygun(QWidget* kutu, const QString& ad, const QString& bosMesaji)
{
    if (ad.isEmpty())
        MesajKutusu::bilgi(this, bosMesaji);
    else if (ad.size() > enUzunAd)
        MesajKutusu::bilgi(this, QStringLiteral("%1 en çok %2 karakter olabilir.")
                                     .arg(kutu->accessibleName())
                                     .arg(enUzunAd));
    else
        return true;
    kutu->setFocus();
    return false;
}

void GrupEklemeFormu::giriseGec()
{
    // Without the list the user can still type a new main group.
    if (!MesajKutusu::hatalariGostererek(this, [this] {
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(defter), anaGrupKutusu);
        }))
        anaGrupKutusu->clear();
    anaGrupKutusu->setEnabled(true);
    altGrupKutusu->setEnabled(true);
    ekleKaydetDugmesi->setText(QStringLiteral("Kaydet"));
    kapatDugmesi->setEnabled(false);
    anaGrupKutusu->setFocus();
}

void GrupEklemeFormu::kaydet(const QString& anaGrup, const QString& altGrup)
{
    // Written whole or not at all; a failure, or a sub-group its main group already has, leaves
    // the input for another try.
    const MesajKutusu::Komut komut;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { degisiklik = ButceVerisi::grupEkle(defter, anaGrup, altGrup); }))
        return;
    if (degisiklik.bos()) {
        MesajKutusu::bilgi(this, defter.varOlanAltGrupMesaji.arg(anaGrup, altGrup));
        altGrupKutusu->setFocus();
        return;
    }
    emit gruplarDegisti(degisiklik);
    VazgecDugmesi_Click();
}

void GrupEklemeFormu::VazgecDugmesi_Click()
{
    anaGrupKutusu->setCurrentIndex(-1);
    anaGrupKutusu->clearEditText();
    altGrupKutusu->clear();
    anaGrupKutusu->setEnabled(false);
    altGrupKutusu->setEnabled(false);
    ekleKaydetDugmesi->setText(defter.yeniGrupDugmesi);
    kapatDugmesi->setEnabled(true);
}

void GrupEklemeFormu::KapatDugmesi_Click()
{
    close();
}

void GrupEklemeFormu::AnaGrupKutusu_LostFocus()
{
    const QString buyuk = buyukHarfle(anaGrupKutusu->currentText().trimmed());
    if (buyuk != anaGrupKutusu->currentText())
        anaGrupKutusu->setEditText(buyuk);
}

void GrupEklemeFormu::AltGrupKutusu_LostFocus()
{
    const QString buyuk = buyukHarfle(altGrupKutusu->text().trimmed());
    if (buyuk != altGrupKutusu->text())
        altGrupKutusu->setText(buyuk);
}

void GrupEklemeFormu::keyPressEvent(QKeyEvent* olay)
{
    // Escape gives up what is being typed; with nothing open, it closes the dialog.
    if (olay->key() == Qt::Key_Escape && anaGrupKutusu->isEnabled()) {
        VazgecDugmesi_Click();
        olay->accept();
        return;
    }
    QDialog::keyPressEvent(olay);
}

QString GrupEklemeFormu::buyukHarfle(QString metin) const
{
    // The expense ledger has always mapped the two small i letters itself before upper-casing;
    // the Turkish upper-casing gives the same letters, so both ledgers store the same spelling.
    if (defter.iHarfleriAyricaDonusturulur)
        metin.replace(QChar(u'i'), QChar(u'\u0130')).replace(QChar(u'ı'), QChar(u'I'));
    return TurkceMetin::buyukHarf(metin);
}
