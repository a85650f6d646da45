#include "ButceVerisi.h"
#include "KayitEklemeFormu.h"
#include "LedgerTest.h"
#include "Sema.h"

#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QStatusBar>

#include <unistd.h>

// The file survives a full disk.
class TestDayaniklilik : public LedgerTest
{
    Q_OBJECT

private slots:
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
            Baglanti::program().kapat();
            QProcess::execute("umount", {bolge.path()});
        });
        const QString dosya = VeriYeri::veriTabaniYolu(bolge.path());
        QVERIFY(!Sema::dosyaOlustur(dosya) && !Baglanti::program().ac(dosya));
        ortam->anaGrupYaz(gelirDefteri(), "EV");
        ortam->altGrupYaz(gelirDefteri(), "EV", "KİRA");
        for (int i = 0; i < 30; ++i)
            ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", i, i);
        QFile dolgu(bolge.path() + "/dolgu");
        QVERIFY(dolgu.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        dolgu.write(QByteArray((512 - 64) * 1024 - QFileInfo(dosya).size(), 'x'));

        form = ortam->anaForm();
        grupSec(*form, gelirDefteri(), "EV", "KİRA");
        auto pencere = form->bolum(gelirDefteri()).kayitEklemeFormu();
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
