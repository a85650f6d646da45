#include "KuralDuzenleyici.h"

#include "Bicim.h"
#include "HedefSecici.h"
#include "MesajKutusu.h"
#include "Tutar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace
{
constexpr Kural::Kosul kosullar[] = {Kural::Kosul::Icerir, Kural::Kosul::Baslar,
                                     Kural::Kosul::Esittir};
}

KuralDuzenleyici::KuralDuzenleyici(QWidget* ust, bool hedefli) : QWidget(ust)
{
    auto* izgara = new QGridLayout(this);
    izgara->setContentsMargins(0, 0, 0, 0);
    const auto ekle = [&](const QString& etiket, QWidget* kutu, const QString& ad, int satir,
                          int sutun, int genislik = 1) {
        auto* yazi = new QLabel(etiket, this);
        yazi->setContentsMargins(2, 0, 2, 0); // the caption never touches its neighbour
        yazi->setBuddy(kutu);
        kutu->setObjectName(ad);
        kutu->setAccessibleName(etiket.chopped(1).remove(u'&'));
        izgara->addWidget(yazi, satir, sutun);
        izgara->addWidget(kutu, satir, sutun + 1, 1, genislik);
    };
    KosulKutusu = new QComboBox(this);
    for (const Kural::Kosul k : kosullar)
        KosulKutusu->addItem(QStringLiteral("açıklama ") + Kural::kosulAdi(k));
    MetinKutusu = new QLineEdit(this);
    EnAzKutusu = new QLineEdit(this);
    EnCokKutusu = new QLineEdit(this);
    for (QLineEdit* k : {EnAzKutusu, EnCokKutusu}) {
        k->setAlignment(Qt::AlignRight);
        k->setPlaceholderText(QStringLiteral("(sınırsız)"));
    }
    ekle(QStringLiteral("&Koşul:"), KosulKutusu, QStringLiteral("KoşulKutusu"), 0, 0);
    ekle(QStringLiteral("&Metin:"), MetinKutusu, QStringLiteral("MetinKutusu"), 0, 2, 3);
    ekle(QStringLiteral("Tutar en &az:"), EnAzKutusu, QStringLiteral("EnAzKutusu"), 1, 0);
    ekle(QStringLiteral("en ç&ok:"), EnCokKutusu, QStringLiteral("EnÇokKutusu"), 1, 2);
    izgara->setColumnStretch(3, 1);
    if (hedefli) {
        hedefKutusu = new HedefSecici(this);
        izgara->addWidget(hedefKutusu, 2, 0, 1, 6);
    }
}

void KuralDuzenleyici::goster(const Kural& k)
{
    gosterilen = k;
    KosulKutusu->setCurrentIndex(
        int(std::find(std::begin(kosullar), std::end(kosullar), k.kosul) - std::begin(kosullar)));
    MetinKutusu->setText(k.metin);
    EnAzKutusu->setText(k.enAzKurus ? Bicim::tutar(*k.enAzKurus) : QString());
    EnCokKutusu->setText(k.enCokKurus ? Bicim::tutar(*k.enCokKurus) : QString());
    if (hedefKutusu)
        hedefKutusu->goster(k.hedef);
}

std::optional<std::optional<qint64>> KuralDuzenleyici::tutar(QLineEdit* kutu)
{
    if (kutu->text().trimmed().isEmpty())
        return std::optional<qint64>();
    const std::optional<qint64> kurus = Bicim::tutarOku(kutu->text());
    if (!kurus || *kurus < 0 || *kurus > Tutar::enBuyukKurus) {
        MesajKutusu::hata(this, QStringLiteral("Tutar sınırı okunamadı: %1").arg(kutu->text()));
        kutu->setFocus();
        return std::nullopt;
    }
    return kurus;
}

std::optional<Kural> KuralDuzenleyici::kural()
{
    Kural k = gosterilen;
    k.kosul = kosullar[std::max(KosulKutusu->currentIndex(), 0)];
    k.metin = MetinKutusu->text().trimmed();
    if (k.metin.isEmpty()) {
        MesajKutusu::hata(this, QStringLiteral("Kuralın metnini yazın."));
        MetinKutusu->setFocus();
        return std::nullopt;
    }
    const auto enAz = tutar(EnAzKutusu);
    if (!enAz)
        return std::nullopt;
    const auto enCok = tutar(EnCokKutusu);
    if (!enCok)
        return std::nullopt;
    if (*enAz && *enCok && **enAz > **enCok) {
        MesajKutusu::hata(this, QStringLiteral("Tutar aralığının en azı en çoğundan büyük."));
        EnAzKutusu->setFocus();
        return std::nullopt;
    }
    k.enAzKurus = *enAz;
    k.enCokKurus = *enCok;
    if (hedefKutusu) {
        const std::optional<Hedef> h = hedefKutusu->hedef();
        if (!h) {
            MesajKutusu::hata(this, QStringLiteral("Kuralın ana grubunu ve alt grubunu seçin."));
            return std::nullopt;
        }
        k.hedef = *h;
    }
    return k;
}
