#include "GrupEklemeFormu.h"

#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "MesajKutusu.h"
#include "TurkceMetin.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using Denetim::twipAlani;

GrupEklemeFormu::GrupEklemeFormu(const DefterTanimi& defterTanimi, QWidget* sahibi)
    : EklemeFormu(sahibi), defter(defterTanimi)
{
    setObjectName(defter.adiyla("%1GrubuEkleFormu"));
    setWindowTitle(defter.grupEklemeBasligi);
    Denetim::sabitIletisimKutusu(this, 5625, 2670);

    auto* cerceve = new QGroupBox(this);
    cerceve->setGeometry(twipAlani(360, 300, 4905, 1395));
    AltGrupKutusu =
        Denetim::yerlestir(new QLineEdit(cerceve), defter.adiyla("Alt%1GrubuKutusu"),
                           twipAlani(1860, 810, 2805, 315), defter.altGrupKutusuEtiketi.chopped(1));
    AnaGrupKutusu =
        Denetim::yerlestir(new QComboBox(cerceve), defter.adiyla("Ana%1GrubuKutusu"),
                           twipAlani(1860, 330, 2805, 315), defter.anaGrupKutusuEtiketi.chopped(1));
    AnaGrupKutusu->setEditable(true);
    // What is typed is stored only by "Kaydet"; Enter must not slip it into the list.
    AnaGrupKutusu->setInsertPolicy(QComboBox::NoInsert);
    AnaGrupKutusu->lineEdit()->setMaxLength(enUzunAd);
    AltGrupKutusu->setMaxLength(enUzunAd);
    // Both labels end at one edge, with room for the longer before it.
    Denetim::etiket(cerceve, defter.altGrupKutusuEtiketi, twipAlani(120, 870, 1620, 195), true)
        ->setBuddy(AltGrupKutusu);
    Denetim::etiket(cerceve, defter.anaGrupKutusuEtiketi, twipAlani(120, 390, 1620, 195), true)
        ->setBuddy(AnaGrupKutusu);

    // The long caption of the first button takes room from the other two.
    dugmeleriKur(defter.yeniGrupDugmesi, twipAlani(360, 1950, 2160, 345),
                 twipAlani(2640, 1950, 1275, 345), twipAlani(3990, 1950, 1275, 345));
    girdileriKoy({AnaGrupKutusu, AltGrupKutusu});
    VazgecDugmesi_Click();
}

void GrupEklemeFormu::kutudanCikildi(QWidget* kutu)
{
    if (kutu == AnaGrupKutusu)
        AnaGrupKutusu_LostFocus();
    else if (kutu == AltGrupKutusu)
        AltGrupKutusu_LostFocus();
}

void GrupEklemeFormu::kaydet()
{
    // The names as they are stored, whether or not a box was left before "Kaydet".
    AnaGrupKutusu_LostFocus();
    AltGrupKutusu_LostFocus();
    const QString anaGrup = AnaGrupKutusu->currentText();
    const QString altGrup = AltGrupKutusu->text();
    if (adUygun(AnaGrupKutusu, anaGrup, defter.bosAnaGrupMesaji) &&
        adUygun(AltGrupKutusu, altGrup, defter.bosAltGrupMesaji))
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

void GrupEklemeFormu::girisiHazirla()
{
    // Without the list the user can still type a new main group.
    if (!MesajKutusu::hatalariGostererek(this, [this] {
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(defter), AnaGrupKutusu);
        }))
        AnaGrupKutusu->clear();
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
        AltGrupKutusu->setFocus();
        return;
    }
    emit gruplarDegisti(degisiklik, anaGrup, altGrup);
    VazgecDugmesi_Click();
}

void GrupEklemeFormu::bosalt()
{
    AnaGrupKutusu->setCurrentIndex(-1);
    AnaGrupKutusu->clearEditText();
    AltGrupKutusu->clear();
}

void GrupEklemeFormu::AnaGrupKutusu_LostFocus()
{
    const QString buyuk = buyukHarfle(AnaGrupKutusu->currentText().trimmed());
    if (buyuk != AnaGrupKutusu->currentText())
        AnaGrupKutusu->setEditText(buyuk);
}

void GrupEklemeFormu::AltGrupKutusu_LostFocus()
{
    const QString buyuk = buyukHarfle(AltGrupKutusu->text().trimmed());
    if (buyuk != AltGrupKutusu->text())
        AltGrupKutusu->setText(buyuk);
}

QString GrupEklemeFormu::buyukHarfle(QString metin) const
{
    // The expense ledger has always mapped the two small i letters itself before upper-casing;
    // the Turkish upper-casing gives the same letters, so both ledgers store the same spelling.
    if (defter.iHarfleriAyricaDonusturulur)
        metin.replace(QChar(u'i'), QChar(u'\u0130')).replace(QChar(u'ı'), QChar(u'I'));
    return TurkceMetin::buyukHarf(metin);
}
