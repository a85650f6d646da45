#include "ButceVerisi.h"
#include "KayitEklemeFormu.h"
#include "LedgerTest.h"
#include "Sema.h"
#include "Yedekleme.h"

#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStatusBar>
#include <QThread>

#include <csignal>
#include <unistd.h>

// The file survives the program being killed, and a full disk.
class TestDayaniklilik : public LedgerTest
{
    Q_OBJECT

    // Opens a file as the program does; true when it passes the engine's check.
    static bool butun(const QString& dosya)
    {
        return !DegiskenModulu::ac(dosya) && !ButceVerisi::butunlukSorunu();
    }

private slots:
    // A process saving entries through the program's own commands is killed with SIGKILL at a
    // random moment, 50 times: each time the file passes the engine's check and holds every entry
    // whose command had returned. Every backup taken meanwhile is whole.
    void killedWhileSaving()
    {
        const quint32 tohum = QRandomGenerator::global()->generate();
        QRandomGenerator uretec(tohum);
        QStringList onaylanan;
        int yazarkenOldurulen = 0;
        for (int tur = 0; tur < 50; ++tur) {
            DegiskenModulu::kapat();
            QProcess surec;
            surec.start(KESINTI_DENETIMI, {ortam->dosya()});
            QVERIFY(surec.waitForStarted());
            QThread::msleep(uretec.bounded(120));
            ::kill(pid_t(surec.processId()), SIGKILL);
            QVERIFY(surec.waitForFinished() && surec.exitStatus() == QProcess::CrashExit);
            const QString cikti = QString::fromLatin1(surec.readAllStandardOutput());
            const QStringList satirlar = cikti.left(cikti.lastIndexOf('\n')).split('\n');
            onaylanan << satirlar.filter(QRegularExpression("^\\d+$"));
            yazarkenOldurulen += !satirlar.value(0).isEmpty();

            QVERIFY2(butun(ortam->dosya()), qPrintable(QString("seed %1").arg(tohum)));
            const QStringList okunan = ortam->sutunu("SELECT Kimlik FROM GelirlerTablosu");
            const QSet<QString> kalan(okunan.begin(), okunan.end());
            for (const QString& kimlik : onaylanan)
                QVERIFY2(kalan.contains(kimlik),
                         qPrintable(kimlik + " lost, seed " + QString::number(tohum)));
        }
        qInfo("%d of 50 kills after an entry was saved; %lld entries acknowledged",
              yazarkenOldurulen, qint64(onaylanan.size()));
        QVERIFY(yazarkenOldurulen >= 10);
        for (const Yedekleme::Yedek& yedek : Yedekleme::yedekler(ortam->klasor() + "/Yedekler"))
            QVERIFY2(butun(yedek.yol), qPrintable(yedek.yol));
    }

    // On a small file system: a backup that does not fit is told in the status bar while the
    // entry is still saved; with no room left, saving is refused with the engine's message and the
    // file stays whole; once there is room again, saving works.
    void fullDisk()
    {
        QTemporaryDir bolge;
        if (::geteuid() != 0 ||
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=512k", "tmpfs", bolge.path()}))
            QSKIP("Mounting a small tmpfs needs root and a machine that allows it; the full-disk "
                  "test was not run.");
        const auto cikar = qScopeGuard([&] {
            form.reset();
            DegiskenModulu::kapat();
            QProcess::execute("umount", {bolge.path()});
        });
        const QString dosya = DegiskenModulu::veriTabaniYolu(bolge.path());
        QVERIFY(!Sema::dosyaOlustur(dosya) && !DegiskenModulu::ac(dosya));
        ortam->anaGrupYaz(gelirDefteri(), "EV");
        ortam->altGrupYaz(gelirDefteri(), "EV", "KİRA");
        for (int i = 0; i < 30; ++i)
            ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", i, i);
        QFile dolgu(bolge.path() + "/dolgu");
        QVERIFY(dolgu.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        dolgu.write(QByteArray((512 - 32) * 1024 - QFileInfo(dosya).size(), 'x'));

        form = ortam->anaForm();
        grupSec(*form, gelirDefteri(), "EV", "KİRA");
        auto pencere = form->kayitEklemeFormu(gelirDefteri());
        const auto kaydet = [&](int sonra) {
            MesajKutusu::gosterilenleriSil();
            pencere->VazgecDugmesi_Click();
            pencere->EkleKaydetDugmesi_Click();
            pencere->findChild<QLineEdit*>("TahminKutusu")->setText("100");
            pencere->findChild<QLineEdit*>("GerçekleşenKutusu")->setText("90");
            pencere->EkleKaydetDugmesi_Click();
            QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), sonra);
            QCOMPARE(ButceVerisi::butunlukSorunu(), std::nullopt);
        };
        kaydet(31);
        QCOMPARE(mesajlar(), QStringList());
        QVERIFY2(form->statusBar()->currentMessage().startsWith("Otomatik yedek alınamadı: "),
                 qPrintable(form->statusBar()->currentMessage()));

        while (dolgu.write(QByteArray(4096, 'x')) > 0) {
        }
        kaydet(31);
        QVERIFY(tekHata("Hata 13"));

        QVERIFY(dolgu.remove());
        kaydet(32);
        QCOMPARE(mesajlar(), QStringList());
    }
};

QTEST_MAIN(TestDayaniklilik)
#include "tst_dayaniklilik.moc"
