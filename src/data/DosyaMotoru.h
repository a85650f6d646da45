#pragma once

#include "Motor.h"

#include <QString>

#include <memory>
#include <optional>

#include <sys/types.h>

struct sqlite3;

// Why a file would not open, for start-up to choose what to offer: it is missing; the user may
// not read or write it (or it is no file); another program holds it locked; it is an old Access
// file; its contents are damaged or no budget; something else (the engine ran out of memory).
struct Acilamama {
    enum class Neden { Yok, Erisilemez, Kilitli, EskiBicim, Bozuk, Baska };
    Neden neden = Neden::Bozuk;
    QString metin; // the text to show the user, naming the file and the engine's number and text
};

// The budget in an SQLite file ("Varnel.mdb"). Its connection runs only the program's own code,
// compares texts by the Turkish letter rules (the collation TURKCE, registered here, so that the
// file stays readable by any SQLite tool) and waits on a file another program holds locked by
// KilitBeklemesi. It notices another program's writes by the file's data_version, and a file
// deleted, moved or replaced since it was opened by its device and inode.
class DosyaMotoru : public Motor
{
public:
    struct Acilis {
        std::unique_ptr<DosyaMotoru> motor; // none when it failed
        Acilamama hata;
    };
    // Opens an existing file read-write; `semayla`, it must be a budget, with every table and
    // field the program uses; without, it may be empty (its tables about to be made). Nothing on
    // disk is created or changed when it fails.
    static Acilis ac(const QString& yol, bool semayla);
    ~DosyaMotoru() override;

    QSqlDatabase db() const override;
    const Lehce& lehce() const override;
    void deyimdenOnce(bool islemde) override;
    VeriHatasi hatasi(const QSqlError& hata, bool onaylanirken) override;
    void yenidenBaglan() override {}
    bool baskasiDegistirdi() override;
    qint64 veriSurumu() override;
    bool aylikToplamlarHazir(const DefterTanimi& defter) override;
    QString tanim() const override;
    QString yedekYeri() const override { return yol; }
    void dosyayaYaz(const QString& bosDosya) override;
    void yedektenYukle(const QString& yedek, const QString& oncesi) override;

    QString dosyaYolu() const override { return yol; }
    sqlite3* tutamac() const;

private:
    explicit DosyaMotoru(const QString& yol);
    // The file's data_version; none while another program holds it locked.
    std::optional<qint64> dosyaSurumu() const;
    // Why it would not connect: the engine's result code and words; none when it did.
    std::optional<std::pair<int, QString>> baglan();

    const QString yol;
    const QString ad;
    dev_t aygit = 0;
    ino_t dugum = 0;
    // The file's data_version when the program last looked: it changes when another connection
    // writes.
    std::optional<qint64> bilinenSurum;
};
