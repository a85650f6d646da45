// varnel-ekstre [--harcamalar-arti] DOSYA: reads a bank statement (.xlsx, .xls, CSV, OFX, QIF) as
// the program's "Banka Hareketlerini İçe Aktar…" window does before anything is corrected, and
// prints each movement on a line of its own: the date (YYYY-MM-DD), a tab, the amount in kuruş
// (money out negative), a tab, the description. The summary goes to standard error. Exit status
// 0 when every row of the table was read, 3 when some could not be (each named on standard
// error), 1 when the file is refused (nothing printed; the reason on standard error), 2 for a
// wrong call. --harcamalar-arti reads spending as positive (a card statement whose layout does
// not say so). The program runs it with --surec to read an .xls workbook in a process of its own
// (EkstreSureci).
#include "AracSurumu.h"
#include "CYereli.h"
#include "EkstreOkuma.h"
#include "EkstreSureci.h"
#include "XlsKaynagi.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

namespace
{

const QString kartSecenegi = QStringLiteral("--harcamalar-arti");

// --surec DOSYA: the rows of an .xls workbook in the lines EkstreSureci reads.
int surecOlarak(const QStringList& argumanlar)
{
    if (argumanlar.size() != 1)
        return 2;
    return AltSurec::cocukOlarak([&](const AltSurec::Yazici& yaz) {
        const EkstreTablosu tablo = XlsKaynagi::oku(argumanlar.first());
        QByteArray satirlar;
        for (const TabloSatiri& s : tablo.satirlar) {
            satirlar += EkstreSureci::satirSatiri(s);
            if (satirlar.size() > 1 << 16)
                yaz(std::exchange(satirlar, {}));
        }
        yaz(satirlar);
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    CYereli::sabitle();
    if (AracSurumu::yazildi(uygulama.arguments()))
        return 0;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QStringList argumanlar = uygulama.arguments().mid(1);
    if (argumanlar.value(0) == EkstreSureci::secenek)
        return surecOlarak(argumanlar.mid(1));
    QTextStream hata(stderr);
    const bool harcamalarArti = argumanlar.removeAll(kartSecenegi) > 0;
    if (argumanlar.size() != 1 || argumanlar.first().startsWith(u'-')) {
        hata << "Kullanım: varnel-ekstre [--harcamalar-arti] DOSYA\n";
        return 2;
    }
    const QString yol = argumanlar.first();
    try {
        EkstreOkuma okuma = EkstreOkuma::oku(yol);
        if (harcamalarArti && !okuma.duzen.harcamalarArti) {
            EkstreDuzeni duzen = okuma.duzen;
            duzen.harcamalarArti = true;
            okuma.duzenle(duzen);
        }
        if (const auto sebep = okuma.bosSebebi())
            throw EkstreOkuyucu::hata(yol, *sebep);
        // An amount the balances do not prove may be misread: nothing of it is printed. A row
        // that could not be read is the likely cause.
        const QStringList sorunlar = okuma.cozum.sorunMetinleri(okuma.tablo);
        if (okuma.cozum.kirik) {
            for (const QString& sorun : sorunlar)
                hata << sorun << '\n';
            throw EkstreOkuyucu::hata(yol, okuma.cozum.kirikMetni() + u'.');
        }
        QTextStream cikti(stdout);
        for (const Hareket& h : std::as_const(okuma.cozum.hareketler)) {
            QString aciklama = h.aciklama;
            for (const QChar ayrac : {u'\t', u'\n', u'\r'})
                aciklama.replace(ayrac, u' ');
            cikti << h.tarih.toString(Qt::ISODate) << '\t' << QString::number(h.tutar) << '\t'
                  << aciklama << '\n';
        }
        cikti.flush();
        hata << okuma.cozum.ozetMetni().join(u'\n') << '\n';
        for (const QString& sorun : sorunlar)
            hata << sorun << '\n';
        return sorunlar.isEmpty() ? 0 : 3;
    } catch (const VeriHatasi& h) {
        hata << h.aciklama() << '\n';
        return 1;
    }
}
