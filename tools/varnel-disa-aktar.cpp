// varnel-disa-aktar [--klasor KLASÖR] [--bicim xlsx|csv] [--hareketler] DOSYA: writes every entry
// of both ledgers of the "Varnel.mdb" in KLASÖR (by default where Morvane looks for it from this
// tool's folder, as VeriYeri finds it) to DOSYA, as the program's "Tüm Kayıtları Kaydet…" does: a
// workbook or CSV by DOSYA's extension, or as --bicim says; --hareketler adds the bank movements'
// sheet "Hareketler" to a workbook. The file is replaced whole or left as it was.
#include "AracSurumu.h"
#include "Baglanti.h"
#include "CYereli.h"
#include "DisaAktarma.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace
{

const QString klasorSecenegi = QStringLiteral("--klasor");
const QString bicimSecenegi = QStringLiteral("--bicim");

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    CYereli::sabitle();
    if (AracSurumu::yazildi(uygulama.arguments()))
        return 0;
    QTextStream hata(stderr);
    QStringList argumanlar = uygulama.arguments().mid(1);
    QString kaynak = VeriYeri::bul(QCoreApplication::applicationDirPath()).yol;
    std::optional<DisaAktarma::Bicim> bicim;
    const bool hareketlerle = argumanlar.removeAll(QStringLiteral("--hareketler")) > 0;
    bool gecerli = true;
    while (gecerli && argumanlar.size() > 2 &&
           (argumanlar.first() == klasorSecenegi || argumanlar.first() == bicimSecenegi)) {
        if (argumanlar.first() == klasorSecenegi)
            kaynak = VeriYeri::veriTabaniYolu(argumanlar.at(1));
        else
            gecerli = bool(bicim = DisaAktarma::bicimi(QStringLiteral("x.") + argumanlar.at(1)));
        argumanlar = argumanlar.mid(2);
    }
    if (!gecerli || argumanlar.size() != 1 || argumanlar.first().startsWith(u'-')) {
        hata << "Kullanım: varnel-disa-aktar [--klasor KLASÖR] [--bicim xlsx|csv] [--hareketler] "
                "DOSYA\n";
        return 2;
    }
    const QString hedef = argumanlar.first();
    if (!bicim && !DisaAktarma::bicimi(hedef)) {
        hata << "Dosyanın uzantısı .xlsx ya da .csv olmalı; başka bir ad için biçimi --bicim "
                "xlsx|csv ile seçin.\n";
        return 2;
    }
    if (const auto sorun = Baglanti::program().ac(kaynak)) {
        hata << *sorun << '\n';
        return 1;
    }
    qint64 sayi = 0;
    try {
        sayi = DisaAktarma::tumKayitlariKaydet(hedef, bicim, hareketlerle);
    } catch (const VeriHatasi& h) {
        hata << "Dışa aktarma yapılamadı: " << h.aciklama() << '\n';
        Baglanti::program().kapat();
        return 1;
    }
    Baglanti::program().kapat();
    QTextStream(stdout) << sayi << " kayıt yazıldı: " << QDir::toNativeSeparators(hedef) << '\n';
    return 0;
}
