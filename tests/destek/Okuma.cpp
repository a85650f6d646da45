#include "Okuma.h"

#include "AnaForm.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <sys/stat.h>
#include <unistd.h>

void defterSatirlari()
{
    QTest::addColumn<QString>("defterAdi");
    QTest::newRow("gelir") << QStringLiteral("Gelir");
    QTest::newRow("gider") << QStringLiteral("Gider");
}

const DefterTanimi& satirinDefteri()
{
    QFETCH(QString, defterAdi);
    return defterAdiyla(defterAdi);
}

const DefterTanimi& defterAdiyla(const QString& ad)
{
    return ad == u"Gelir" ? gelirDefteri() : giderDefteri();
}

const DefterTanimi& oteki(const DefterTanimi& defter)
{
    return &defter == &gelirDefteri() ? giderDefteri() : gelirDefteri();
}

QStringList yillar(int ilk, int son)
{
    QStringList sonuc;
    for (int yil = ilk; yil <= son; ++yil)
        sonuc << QString::number(yil);
    return sonuc;
}

QStringList aylar()
{
    return {"Ocak",   "Şubat",   "Mart",  "Nisan", "Mayıs", "Haziran",
            "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
}

QStringList ogeler(const QComboBox* kutu)
{
    QStringList sonuc;
    for (int i = 0; i < kutu->count(); ++i)
        sonuc << kutu->itemText(i);
    return sonuc;
}

QStringList ogeler(const QListWidget* liste)
{
    QStringList sonuc;
    for (int i = 0; i < liste->count(); ++i)
        sonuc << liste->item(i)->text();
    return sonuc;
}

QStringList basliklar(const QTreeView* liste)
{
    QStringList sonuc;
    for (int i = 0; i < liste->model()->columnCount(); ++i)
        sonuc << liste->model()->headerData(i, Qt::Horizontal).toString();
    return sonuc;
}

QStringList satirlar(const QTreeView* liste)
{
    QStringList sonuc;
    for (int i = 0; i < liste->model()->rowCount(); ++i) {
        QStringList hucreler;
        for (int s = 0; s < liste->model()->columnCount(); ++s)
            hucreler << liste->model()->index(i, s).data().toString();
        sonuc << hucreler.join(u'|');
    }
    return sonuc;
}

QStringList sutun(const QTreeView* liste, int sira)
{
    QStringList sonuc;
    for (int i = 0; i < liste->model()->rowCount(); ++i)
        sonuc << liste->model()->index(i, sira).data().toString();
    return sonuc;
}

QString toplam(const QWidget& pencere, const DefterTanimi& defter)
{
    return pencere.findChild<QLineEdit*>(defter.adiyla("%1ToplamıKutusu"))->text();
}

void grupSec(AnaForm& form, const DefterTanimi& defter, const QString& anaGrup,
             const QString& altGrup)
{
    DefterBolumu& bolum = form.bolum(defter);
    bolum.grubuGoster(anaGrup, altGrup);
    QCOMPARE(bolum.anaGrupListesi()->currentText() + '/' + bolum.seciliAltGrup().value_or(""),
             anaGrup + '/' + altGrup);
}

QStringList mesajlar()
{
    QStringList sonuc;
    for (const MesajKutusu::Gosterilen& g : MesajKutusu::gosterilenler())
        sonuc << (g.simge == MesajKutusu::Simge::Bilgi  ? QStringLiteral("bilgi: ")
                  : g.simge != MesajKutusu::Simge::Soru ? QStringLiteral("hata: ")
                  : g.hayirVarsayilan                   ? QStringLiteral("soru (Hayır): ")
                                                        : QStringLiteral("soru: ")) +
                     g.metin;
    return sonuc;
}

bool tekHata(const QString& parca)
{
    const QStringList gosterilen = mesajlar();
    if (gosterilen.size() == 1 && gosterilen.first().startsWith(u"hata: ") &&
        gosterilen.first().contains(parca))
        return true;
    qWarning("expected one error containing \"%s\", shown: %s", qPrintable(parca),
             qPrintable(gosterilen.join(QStringLiteral(" / "))));
    return false;
}

bool acilaniIncele(const std::function<void()>& tiklama, const std::function<void(QWidget*)>& bak)
{
    bool acildi = false;
    QTimer bekci;
    bekci.setInterval(5);
    QObject::connect(&bekci, &QTimer::timeout, [&] {
        if (QWidget* pencere = QApplication::activeModalWidget()) {
            bekci.stop();
            acildi = true;
            if (bak)
                bak(pencere);
            pencere->close();
        }
    });
    bekci.start();
    tiklama();
    bekci.stop();
    return acildi;
}

QAction* menuKomutu(const QWidget& pencere, const QString& metin)
{
    for (QAction* a : pencere.findChildren<QAction*>())
        if (a->text().startsWith(metin))
            return a;
    return nullptr;
}

void ikiDurum(const char* sutun, const char* yanlisSatiri, const char* dogruSatiri)
{
    QTest::addColumn<bool>(sutun);
    QTest::newRow(yanlisSatiri) << false;
    QTest::newRow(dogruSatiri) << true;
}

QString hataMetni(const std::function<void()>& komut)
{
    try {
        komut();
    } catch (const VeriHatasi& h) {
        return h.aciklama();
    }
    return {};
}

void dosyayaYaz(const QString& yol, const QByteArray& icerik)
{
    QFile dosya(yol);
    QVERIFY2(dosya.open(QIODevice::WriteOnly) && dosya.write(icerik) == icerik.size(),
             qPrintable(yol));
}

QByteArray dosyaIcerigi(const QString& yol)
{
    QFile dosya(yol);
    return dosya.open(QIODevice::ReadOnly) ? dosya.readAll() : QByteArray("(yok)");
}

QStringList klasorIcerigi(const QString& klasor)
{
    QStringList icerik;
    for (const QFileInfo& bilgi : QDir(klasor).entryInfoList(
             QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        QFile dosya(bilgi.filePath());
        dosya.open(QIODevice::ReadOnly);
        icerik << bilgi.fileName() + ' ' +
                      QCryptographicHash::hash(dosya.readAll(), QCryptographicHash::Sha1).toHex();
    }
    return icerik;
}

int izinleri(const QString& yol)
{
    struct stat bilgi {
    };
    return ::stat(QFile::encodeName(yol).constData(), &bilgi) == 0 ? int(bilgi.st_mode & 07777)
                                                                   : -1;
}

QString sqliteAraci(const QString& dosya, const QString& sql)
{
    QProcess surec;
    surec.start(QStringLiteral("sqlite3"), {dosya, sql});
    surec.waitForFinished();
    return QString::fromUtf8(surec.readAllStandardOutput()).trimmed();
}

std::pair<int, QString> yetkisizCalistir(const QString& program, const QString& klasor,
                                         const QStringList& argumanlar)
{
    const QString kopya = QDir(klasor).filePath(QFileInfo(program).fileName());
    QFile::copy(program, kopya);
    QProcess surec;
    surec.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0)
        surec.start("setpriv",
                    QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", kopya} +
                        argumanlar);
    else
        surec.start(kopya, argumanlar);
    surec.waitForFinished();
    QFile::remove(kopya);
    return {surec.exitCode(), QString::fromUtf8(surec.readAllStandardOutput())};
}

int pencereyeBak(const std::function<int()>& baslat, const std::function<void(QWidget*)>& bak)
{
    QTimer zamanlayici;
    zamanlayici.setSingleShot(true);
    QObject::connect(&zamanlayici, &QTimer::timeout, [&] {
        QWidget* gorunen = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<AnaForm*>(w) && w->isVisible())
                gorunen = w;
        bak(gorunen);
        QApplication::exit(7);
    });
    zamanlayici.start(0);
    return baslat();
}
