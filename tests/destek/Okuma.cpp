#include "Okuma.h"

#include "AnaForm.h"
#include "MesajKutusu.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

void defterSatırları()
{
    QTest::addColumn<QString>("defterAdı");
    QTest::newRow("gelir") << QStringLiteral("Gelir");
    QTest::newRow("gider") << QStringLiteral("Gider");
}

const DefterTanımı& satırınDefteri()
{
    QFETCH(QString, defterAdı);
    return defterAdıyla(defterAdı);
}

const DefterTanımı& defterAdıyla(const QString& ad)
{
    return ad == u"Gelir" ? gelirDefteri() : giderDefteri();
}

const DefterTanımı& öteki(const DefterTanımı& defter)
{
    return &defter == &gelirDefteri() ? giderDefteri() : gelirDefteri();
}

QStringList yıllar()
{
    QStringList sonuç;
    for (int yıl = 2006; yıl <= 2030; ++yıl)
        sonuç << QString::number(yıl);
    return sonuç;
}

QStringList aylar()
{
    return {"Ocak",   "Şubat",   "Mart",  "Nisan", "Mayıs", "Haziran",
            "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
}

QStringList öğeler(const QComboBox* kutu)
{
    QStringList sonuç;
    for (int i = 0; i < kutu->count(); ++i)
        sonuç << kutu->itemText(i);
    return sonuç;
}

QStringList öğeler(const QListWidget* liste)
{
    QStringList sonuç;
    for (int i = 0; i < liste->count(); ++i)
        sonuç << liste->item(i)->text();
    return sonuç;
}

QStringList başlıklar(const QTreeWidget* liste)
{
    QStringList sonuç;
    for (int i = 0; i < liste->columnCount(); ++i)
        sonuç << liste->headerItem()->text(i);
    return sonuç;
}

QStringList satırlar(const QTreeWidget* liste)
{
    QStringList sonuç;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        QStringList hücreler;
        for (int s = 0; s < liste->columnCount(); ++s)
            hücreler << liste->topLevelItem(i)->text(s);
        sonuç << hücreler.join(u'|');
    }
    return sonuç;
}

QStringList sütun(const QTreeWidget* liste, int sıra)
{
    QStringList sonuç;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        sonuç << liste->topLevelItem(i)->text(sıra);
    return sonuç;
}

QTreeWidget* kayıtListesi(const QWidget& pencere, const DefterTanımı& defter)
{
    return pencere.findChild<QTreeWidget*>(defter.adıyla("%1lerListesi"));
}

QString toplam(const QWidget& pencere, const DefterTanımı& defter)
{
    return pencere.findChild<QLineEdit*>(defter.adıyla("%1ToplamıKutusu"))->text();
}

void grupSeç(AnaForm& form, const DefterTanımı& defter, const QString& anaGrup,
             const QString& altGrup)
{
    QComboBox* anaGruplar = form.anaGrupListesi(defter);
    anaGruplar->setCurrentIndex(anaGruplar->findText(anaGrup));
    QVERIFY2(anaGruplar->currentIndex() >= 0, qPrintable(anaGrup));
    form.anaGrupTıklandı(defter);
    if (altGrup.isEmpty())
        return;
    const auto bulunan = form.altGrupListesi(defter)->findItems(altGrup, Qt::MatchExactly);
    QVERIFY2(!bulunan.isEmpty(), qPrintable(altGrup));
    form.altGrupListesi(defter)->setCurrentItem(bulunan.first());
}

QStringList mesajlar()
{
    QStringList sonuç;
    for (const MesajKutusu::Gösterilen& g : MesajKutusu::gösterilenler())
        sonuç << (g.simge == MesajKutusu::Simge::Bilgi  ? QStringLiteral("bilgi: ")
                  : g.simge == MesajKutusu::Simge::Soru ? QStringLiteral("soru: ")
                                                        : QStringLiteral("hata: ")) +
                     g.metin;
    return sonuç;
}

bool tekHata(const QString& parça)
{
    const QStringList gösterilen = mesajlar();
    if (gösterilen.size() == 1 && gösterilen.first().startsWith(u"hata: ") &&
        gösterilen.first().contains(parça))
        return true;
    qWarning("expected one error containing \"%s\", shown: %s", qPrintable(parça),
             qPrintable(gösterilen.join(QStringLiteral(" / "))));
    return false;
}

bool açılanıİncele(const std::function<void()>& tıklama, const std::function<void(QWidget*)>& bak)
{
    bool açıldı = false;
    QTimer bekçi;
    bekçi.setInterval(5);
    QObject::connect(&bekçi, &QTimer::timeout, [&] {
        if (QWidget* pencere = QApplication::activeModalWidget()) {
            bekçi.stop();
            açıldı = true;
            if (bak)
                bak(pencere);
            pencere->close();
        }
    });
    bekçi.start();
    tıklama();
    bekçi.stop();
    return açıldı;
}
