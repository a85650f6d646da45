// hareket-bench: times a month of bank movements going into a large budget, with no window: the
// rules matched against 50,000 movements, and 5,000 movements assigned by the rules and written
// into a budget of 100,000 entries per ledger (ten years, 70 sub-groups each), each run taken
// back before the next. One untimed run, then five; prints Markdown for docs/hiz.md with the
// machine's load. Run it by hand on an optimised build; CTest does not.
#include "Baglanti.h"
#include "BesOlcum.h"
#include "CYereli.h"
#include "DefterTanimi.h"
#include "HareketAktarimi.h"
#include "Islem.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "Takvim.h"
#include "Tutar.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace
{

QTextStream cikti(stdout);

const QStringList dukkanlar{"MİGROS TİC. A.Ş.", "BİM BİRLEŞİK MAĞAZALAR", "A101 YENİ MAĞAZACILIK",
                            "ŞOK MARKETLER",    "SHELL PETROL A.Ş.",      "OPET PETROLCÜLÜK",
                            "TRENDYOL.COM",     "GETİR PERAKENDE",        "NETFLIX.COM",
                            "SPOTIFY AB",       "ECZANE GÜNEŞLİ",         "KAHVE DÜNYASI",
                            "İSKİ SU FATURASI", "İGDAŞ DOĞALGAZ",         "TÜRK TELEKOM FATURA",
                            "HEPSİBURADA.COM"};
const QStringList semtler{"KADIKÖY İSTANBUL", "ÇANKAYA ANKARA", "KARŞIYAKA İZMİR",
                          "ISPARTA",          "IĞDIR",          "ÜSKÜDAR İSTANBUL"};

QString ana(int i)
{
    return QStringLiteral("GRUP %1").arg(i / 10);
}
QString alt(int i)
{
    return QStringLiteral("ALT %1").arg(i);
}

// Ten years of entries, 2015 … 2024, spread over 70 sub-groups and the months.
void butceDoldur(int kayitSayisi)
{
    Islem islem;
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        SatirYazici anaGruplar(Sema::anaGrupTablosu(*d));
        SatirYazici altGruplar(Sema::altGrupTablosu(*d));
        SatirYazici kayitlar(Sema::kayitTablosu(*d));
        for (int g = 0; g < 70; ++g) {
            if (g % 10 == 0)
                anaGruplar.yaz({ana(g)});
            altGruplar.yaz({ana(g), alt(g)});
        }
        for (int i = 0; i < kayitSayisi; ++i)
            kayitlar.yaz({ana(i % 70), alt(i % 70), 2015 + i / (kayitSayisi / 10),
                          Takvim::ayAdlari()[(i / 70) % 12], Tutar::alanDegeri(100000),
                          i % 3 ? Tutar::alanDegeri(99000) : QVariant()});
    }
    islem.onayla();
}

QList<Hareket> hareketler(int sayi)
{
    QList<Hareket> sonuc;
    for (int i = 0; i < sayi; ++i) {
        Hareket h;
        h.tarih = QDate(2024, 1, 1).addDays(i % 366);
        h.aciklama = dukkanlar[i % dukkanlar.size()] + u' ' + semtler[(i / 7) % semtler.size()];
        h.tutar = i % 50 == 0 ? 4500000 : -(1000 + (i * 7919) % 250000);
        h.kaynakNo = i + 1;
        sonuc.push_back(h);
    }
    return sonuc;
}

// One rule per shop, a few more specific ones over them, and the salary.
std::vector<Kural> kurallar()
{
    std::vector<Kural> sonuc;
    qint64 kimlik = 0;
    for (int i = 0; i < dukkanlar.size(); ++i) {
        const QString metin = dukkanlar[i].section(u' ', 0, 0);
        sonuc.push_back({++kimlik,
                         Kural::Kosul::Icerir,
                         metin,
                         {},
                         {},
                         {&giderDefteri(), ana(i * 4), alt(i * 4)}});
        sonuc.push_back({++kimlik,
                         Kural::Kosul::Baslar,
                         dukkanlar[i],
                         0,
                         50000,
                         {&giderDefteri(), ana(i * 4 + 1), alt(i * 4 + 1)}});
    }
    sonuc.push_back({++kimlik,
                     Kural::Kosul::Esittir,
                     "MAAŞ ÖDEMESİ",
                     {},
                     {},
                     {&gelirDefteri(), ana(0), alt(0)}});
    return sonuc;
}

QString yuk()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(u' ', 0, 2)
                                       : QStringLiteral("?");
}

void olc(const QString& ad, const std::function<void()>& is, const std::function<void()>& sonra)
{
    const BesOlcum olcum = besKezOlc(is, sonra);
    cikti << "| " << ad << " | " << QString::number(olcum.sureler[2], 'f', 1) << " | "
          << QString::number(olcum.sureler.last(), 'f', 1) << " | "
          << QString::number(olcum.islemci[2], 'f', 1) << " | " << yuk() << " |\n";
    cikti.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    CYereli::sabitle();
    QTemporaryDir gecici;
    const QString yol = VeriYeri::veriTabaniYolu(gecici.path());
    auto sorun = Sema::dosyaOlustur(yol);
    if (!sorun)
        sorun = Baglanti::program().ac(yol);
    if (sorun) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    butceDoldur(100000);
    cikti << "| | median ms | worst ms | processor time, median ms | load (1, 5, 15 min) |\n"
             "|---|--:|--:|--:|---|\n";

    const QList<Hareket> elliBin = hareketler(50000);
    const std::vector<Kural> k = kurallar();
    olc(
        "rules matched against 50,000 movements", [&] { HareketAktarimi::ata(elliBin, k); }, [] {});

    const QList<Hareket> besBin = hareketler(5000);
    Degisiklik son;
    olc(
        "5,000 movements assigned and written (100,000 entries per ledger)",
        [&] {
            std::vector<HareketAktarimi::AtanmisHareket> atanmis;
            for (const HareketAktarimi::Atama& a : HareketAktarimi::ata(besBin, k))
                atanmis.push_back({a.hareket, a.eslesme.kazanan
                                                  ? std::optional(a.eslesme.kazanan->hedef)
                                                  : std::nullopt});
            son = HareketAktarimi::yaz(QStringLiteral("Hesap: TEST"), QStringLiteral("test.xlsx"),
                                       atanmis)
                      .degisiklik;
        },
        [&] { son.geriAl(); });
    return 0;
}
