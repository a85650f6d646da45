#include "GrupDuzeltmeFormu.h"

#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "GrupEklemeFormu.h"
#include "MesajKutusu.h"
#include "TurkceMetin.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

using Denetim::twipAlani;

namespace
{

const QString grupYokMesaji =
    QStringLiteral("Seçilen grup veritabanında artık yok; başka bir program tarafından silinmiş "
                   "olabilir. Hiçbir şey değiştirilmedi.");

QString cift(const QString& anaGrup, const QString& altGrup)
{
    return anaGrup + QStringLiteral(" / ") + altGrup;
}

} // namespace

GrupDuzeltmeFormu::GrupDuzeltmeFormu(const DefterTanimi& defterTanimi, Is yapilacak,
                                     const QString& ana, const std::optional<QString>& alt,
                                     QWidget* sahibi)
    : QDialog(sahibi), defter(defterTanimi), is(yapilacak), anaGrup(ana), altGrup(alt)
{
    setObjectName(
        defter.adiyla(is == Is::Tasi ? "Alt%1GrubuTaşımaFormu" : "%1GrubuAdlandırmaFormu"));
    setWindowTitle(is == Is::Tasi ? QStringLiteral("Alt Grubu Taşı")
                                  : QStringLiteral("Grubu Yeniden Adlandır"));
    Denetim::sabitIletisimKutusu(this, 5625, 1710);

    const QString grup = altGrup ? cift(anaGrup, *altGrup) : anaGrup;
    const QString soru = is == Is::Tasi ? QStringLiteral("«%1» şu ana gruba taşınacak:")
                                        : QStringLiteral("«%1» için yeni ad:");
    auto* etiket = new QLabel(this);
    etiket->setGeometry(twipAlani(360, 240, 4905, 195));
    // A long name is cut in the caption, with room to spare, and shown whole in its tooltip.
    etiket->setText(
        etiket->fontMetrics().elidedText(soru.arg(grup), Qt::ElideMiddle, etiket->width() - 4));
    etiket->setToolTip(soru.arg(grup));

    QWidget* kutu = nullptr;
    if (is == Is::Tasi) {
        anaGrupKutusu = new QComboBox(this);
        anaGrupKutusu->setObjectName(QStringLiteral("AnaGrupKutusu"));
        anaGrupKutusu->setAccessibleName(defter.anaGrupKutusuEtiketi.chopped(1));
        QStringList digerleri;
        MesajKutusu::hatalariGostererek(this, [&] { digerleri = ButceVerisi::anaGruplar(defter); });
        digerleri.removeIf([&](const QString& ad) { return TurkceMetin::esit(ad, anaGrup); });
        Doldurma::SorguCalistir(digerleri, anaGrupKutusu);
        kutu = anaGrupKutusu;
    } else {
        adKutusu = new QLineEdit(eskiAd(), this);
        adKutusu->setObjectName(QStringLiteral("AdKutusu"));
        adKutusu->setAccessibleName(altGrup ? defter.altGrupKutusuEtiketi.chopped(1)
                                            : defter.anaGrupKutusuEtiketi.chopped(1));
        adKutusu->setMaxLength(GrupEklemeFormu::enUzunAd);
        adKutusu->selectAll();
        kutu = adKutusu;
    }
    kutu->setGeometry(twipAlani(360, 540, 4905, 315));
    etiket->setBuddy(kutu);

    QPushButton* tamam = Denetim::dugme(this, QStringLiteral("TamamDüğmesi"),
                                        QStringLiteral("Tamam"), twipAlani(2640, 1110, 1275, 345));
    QPushButton* vazgec =
        Denetim::dugme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                       twipAlani(3990, 1110, 1275, 345));
    // Enter in the box confirms here: there is only the one input.
    tamam->setDefault(true);
    connect(tamam, &QPushButton::clicked, this, [this] { TamamDugmesi_Click(); });
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
}

void GrupDuzeltmeFormu::TamamDugmesi_Click()
{
    const MesajKutusu::Komut komut;
    const std::optional<std::pair<QString, QString>> yeni = hedef();
    if (!yeni)
        return;
    bool birlestir = false;
    std::optional<QString> var;
    qint64 tasinacak = 0;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            var = varOlan(*yeni);
            if (var)
                tasinacak = GrupDuzeltme::kayitSayisi(defter, anaGrup, altGrup);
        }))
        return;
    if (var) {
        if (!MesajKutusu::hayirVarsayilanlaSor(
                this, QStringLiteral("«%1» zaten var. İki grup birleştirilsin mi? %2 kayıt "
                                     "taşınacak.")
                          .arg(*var, QLocale().toString(tasinacak))))
            return;
        birlestir = true;
    }
    GrupDuzeltme::Sonuc sonuc;
    if (MesajKutusu::hatalariGostererek(this, [&] { sonuc = yaz(*yeni, birlestir); }))
        sonucuBildir(sonuc);
}

std::optional<std::pair<QString, QString>> GrupDuzeltmeFormu::hedef()
{
    if (is == Is::Tasi) {
        if (anaGrupKutusu->currentIndex() < 0) {
            MesajKutusu::bilgi(this, QStringLiteral("Alt grubun taşınacağı ana grubu seçin."));
            return std::nullopt;
        }
        return std::pair(anaGrupKutusu->currentText(), *altGrup);
    }
    // As the add dialog stores names.
    const QString ad = TurkceMetin::buyukHarf(adKutusu->text().trimmed());
    adKutusu->setText(ad);
    QString sorun;
    if (ad.isEmpty())
        sorun = altGrup ? defter.bosAltGrupMesaji : defter.bosAnaGrupMesaji;
    else if (ad.size() > GrupEklemeFormu::enUzunAd)
        sorun = QStringLiteral("%1 en çok %2 karakter olabilir.")
                    .arg(adKutusu->accessibleName())
                    .arg(GrupEklemeFormu::enUzunAd);
    else if (TurkceMetin::esit(ad, eskiAd()))
        sorun = QStringLiteral("Yeni ad eskisiyle aynı (harflerin büyüklüğü sayılmaz); hiçbir "
                               "şey değiştirilmedi.");
    if (!sorun.isEmpty()) {
        MesajKutusu::bilgi(this, sorun);
        adKutusu->setFocus();
        return std::nullopt;
    }
    return altGrup ? std::pair(anaGrup, ad) : std::pair(ad, QString());
}

std::optional<QString> GrupDuzeltmeFormu::varOlan(const std::pair<QString, QString>& hedef) const
{
    if (!altGrup)
        return GrupDuzeltme::anaGrup(defter, hedef.first);
    const std::optional<QString> ad = GrupDuzeltme::altGrup(defter, hedef.first, hedef.second);
    return ad && is == Is::Tasi ? cift(hedef.first, *ad) : ad;
}

GrupDuzeltme::Sonuc GrupDuzeltmeFormu::yaz(const std::pair<QString, QString>& hedef,
                                           bool birlestir) const
{
    if (!altGrup)
        return GrupDuzeltme::anaGrupAdlandir(defter, anaGrup, hedef.first, birlestir);
    return GrupDuzeltme::altGrupDuzelt(defter, anaGrup, *altGrup, hedef.first, hedef.second,
                                       birlestir);
}

void GrupDuzeltmeFormu::sonucuBildir(const GrupDuzeltme::Sonuc& sonuc)
{
    using GrupDuzeltme::Durum;
    switch (sonuc.durum) {
    case Durum::Yapildi: {
        const QString eski = is == Is::Tasi ? cift(anaGrup, *altGrup) : eskiAd();
        const QString yeni = is == Is::Tasi ? cift(sonuc.anaGrup, sonuc.altGrup)
                             : altGrup      ? sonuc.altGrup
                                            : sonuc.anaGrup;
        const QString sayi = QLocale().toString(sonuc.kayitSayisi);
        emit grupDuzeltildi(
            sonuc.birlesti   ? QStringLiteral("Grupları Birleştir")
            : is == Is::Tasi ? QStringLiteral("Alt Grubu Taşı")
                             : QStringLiteral("Grubu Yeniden Adlandır"),
            sonuc,
            sonuc.birlesti
                ? QStringLiteral("%1 → %2: %3 kayıt taşındı; iki grup birleştirildi.")
                      .arg(eski, yeni, sayi)
                : QStringLiteral("%1 → %2: %3 kayıt güncellendi.").arg(eski, yeni, sayi));
        accept();
        return;
    }
    case Durum::HedefVar:
        // Added by another program since it was looked for: Tamam again asks about merging.
        MesajKutusu::bilgi(this, QStringLiteral("Bu adda bir grup bu arada eklenmiş; hiçbir şey "
                                                "değiştirilmedi."));
        return;
    case Durum::HedefYok:
        MesajKutusu::bilgi(this,
                           QStringLiteral("Seçilen ana grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir. Hiçbir şey "
                                          "değiştirilmedi."));
        break;
    default:
        MesajKutusu::bilgi(this, grupYokMesaji);
        break;
    }
    emit grupDuzeltildi(QString(), sonuc, QString());
    reject();
}
