#pragma once

#include "Aktarma.h"
#include "AltSurec.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The old Access file is read only by varnel-aktar in a process of its own (AltSurec): libmdb
// crashes or loops forever on some damaged files, and neither may take the program down. The
// child reports in lines written by the functions below. When it fails, the old file is put back
// as it was and the child's temporary files are removed.
namespace AktarmaSureci
{

enum class Is {
    Denetle,  // whether the file is a budget that can be imported (its tables and fields)
    Donustur, // Aktarma::eskiDosyayiDonustur on it
    Oku,      // Aktarma::oku on it, for varnel-aktar --yalnizca-denetle
    Aktar,    // Aktarma::dosyayaAktar from it to a new file, for varnel-aktar
};

using Sinirlar = AltSurec::Sinirlar;

// The varnel-aktar to run (by default the one beside the program, else the one on PATH), and its
// limits; both are set by the tests.
void programiAyarla(const QString& program);
void sinirlariAyarla(const Sinirlar& sinirlar);

// Called with the rows done and all rows as the child reports them, and every tenth of a second
// meanwhile; false cancels the work.
using Izleyici = std::function<bool(qint64 yapilan, qint64 toplam)>;

// Runs the work on the old file at `yol` (into the new file `hedef` for Is::Aktar), waiting for
// its end. None when cancelled (nothing is then left changed). Throws a VeriHatasi with the
// child's reason or, when it crashed, hung or ran out of memory, with `cokmeMesaji`.
std::optional<Aktarma::Rapor> calistir(Is is, const QString& yol, const Izleyici& izleyici = {},
                                       const QString& hedef = {});

inline const QString cokmeMesaji =
    QStringLiteral("Eski Access dosyası okunamadı: dosya bozuk (okuyucu çöktü).");

// The child's side: its command-line option and the lines it writes to its standard output.
inline const QString secenek = QStringLiteral("--surec");
QString isAdi(Is is);
std::optional<Is> isi(const QString& ad);
QByteArray ilerlemeSatiri(qint64 yapilan, qint64 toplam);
QByteArray raporSatirlari(const Aktarma::Rapor& rapor);

} // namespace AktarmaSureci
