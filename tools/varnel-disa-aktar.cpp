// varnel-disa-aktar [--klasor KLASÖR] DOSYA.csv: writes every entry of both ledgers of the
// "Varnel.mdb" in KLASÖR (by default where Morvane looks for it from this tool's folder, as
// VeriYeri finds it) to DOSYA.csv, as the program's
// "Tüm Kayıtları CSV Olarak Kaydet…" does. The file is replaced whole or left as it was.
#include "AracSurumu.h"
#include "CsvYazici.h"
#include "DegiskenModulu.h"
#include "DisaAktarma.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace
{

const QString klasorSecenegi = QStringLiteral("--klasor");

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    if (AracSurumu::yazildi(uygulama.arguments()))
        return 0;
    QTextStream hata(stderr);
    QStringList argumanlar = uygulama.arguments().mid(1);
    QString kaynak = VeriYeri::bul(QCoreApplication::applicationDirPath()).yol;
    if (argumanlar.size() == 3 && argumanlar.first() == klasorSecenegi) {
        kaynak = DegiskenModulu::veriTabaniYolu(argumanlar.at(1));
        argumanlar = argumanlar.mid(2);
    }
    if (argumanlar.size() != 1 || argumanlar.first().startsWith(u'-')) {
        hata << "Kullanım: varnel-disa-aktar [--klasor KLASÖR] DOSYA.csv\n";
        return 2;
    }
    const QString hedef = argumanlar.first();
    if (const auto sorun = DegiskenModulu::ac(kaynak)) {
        hata << *sorun << '\n';
        return 1;
    }
    qint64 sayi = 0;
    try {
        DisaAktarma::csvYaz(hedef,
                            [&](CsvYazici& csv) { sayi = DisaAktarma::tumKayitlariYaz(csv); });
    } catch (const VeriHatasi& h) {
        hata << "Dışa aktarma yapılamadı: " << h.aciklama() << '\n';
        DegiskenModulu::kapat();
        return 1;
    }
    DegiskenModulu::kapat();
    QTextStream(stdout) << sayi << " kayıt yazıldı: " << QDir::toNativeSeparators(hedef) << '\n';
    return 0;
}
