#pragma once

#include "DosyaMotoru.h"
#include "Motor.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Lehce;
struct SunucuAdresi;

// The program's one connection to the open budget, on one of the two engines (Motor): the file
// or a shared budget on a server. Every statement of the program runs through it (SorguSonucu,
// SatirYazici, Islem); what must run before a write is registered on it by its owners
// (YazmaOncesi), and what must stop when the budget closes likewise (kapaninca).
class Baglanti
{
public:
    // The program's connection; closed until a budget is opened.
    static Baglanti& program();

    // Opens an existing file read-write and checks that it is a database with every table and
    // field the program uses. Nothing on disk is created or changed when it fails; the result then
    // tells why, with the text to show the user.
    std::optional<Acilamama> dosyayiAc(const QString& yol);
    // The same, the text alone.
    std::optional<QString> ac(const QString& yol);
    // Opens a file without checking its tables (for creating them).
    std::optional<QString> semasizAc(const QString& yol);
    // Opens the shared budget on its server (SunucuMotoru::ac); the text to show on failure, when
    // nothing is open.
    std::optional<QString> sunucuyaBaglan(const SunucuAdresi& adres);
    // Copies the open file's budget into the shared budget on the server, which must hold no rows,
    // in one transaction, and opens that; on failure the file stays open and the text tells why.
    std::optional<QString> sunucuyaTasi(const SunucuAdresi& adres);
    // Closes the budget; no SorguSonucu may be alive.
    void kapat();

    bool acik() const { return motor_ != nullptr; }
    // The open engine; a VeriHatasi when no budget is open.
    Motor& motor() const;
    QSqlDatabase db() const;
    const Lehce& lehce() const { return motor().lehce(); }
    // What the connection tells the windows; the same object through every budget opened.
    BaglantiOlaylari& olaylar() { return olaylar_; }

    // Before a statement: throws a VeriHatasi when what was opened is gone or cannot be reached.
    void deyimdenOnce() { motor().deyimdenOnce(islemDerinligi > 0); }
    // A failed statement as the user reads it.
    VeriHatasi hatasi(const QSqlError& hata, bool onaylanirken = false)
    {
        return motor().hatasi(hata, onaylanirken);
    }
    // Whether a failure of a statement outside a transaction is worth one more try: the link was
    // lost, and connecting again may find the server back.
    bool yenidenDenenir(const VeriHatasi& hata) const
    {
        return hata.baglantiKoptu() && islemDerinligi == 0;
    }
    // Connects again at once ("Yeniden Bağlan"); a VeriHatasi when the server still cannot be
    // reached.
    void yenidenBaglan() { motor().yenidenBaglan(); }
    // Whether another program wrote to the file since this was last asked; false on a server,
    // which tells by itself (BaglantiOlaylari::baskasiYazdi), and when nothing is open.
    bool baskasiDegistirdi() { return motor_ && motor_->baskasiDegistirdi(); }
    // Before every writing command, outside its transaction: the engine's check, then the work
    // registered, in its order.
    void yazmadanOnce();
    // Runs `is` when the budget closes (once).
    void kapaninca(std::function<void()> is) { kapanirken.push_back(std::move(is)); }

    // "Veri dosyası: …" or "Ortak bütçe: …".
    QString tanim() const { return motor().tanim(); }
    // The open file's path; empty when the budget is on a server.
    QString dosyaYolu() const { return motor_ ? motor_->dosyaYolu() : QString(); }
    // The version of the SQLite library the program runs on.
    static QString sqliteSurumu();

private:
    friend class Islem;
    friend class YazmaOncesi;

    Baglanti() = default;
    void tak(std::unique_ptr<Motor> motor);

    std::unique_ptr<Motor> motor_;
    BaglantiOlaylari olaylar_;
    std::array<class YazmaOncesi*, 2> kancalar{};
    std::vector<std::function<void()>> kapanirken;
    int islemDerinligi = 0;
};

// Work that runs before every writing command (Islem), outside its transaction, while this lives:
// the start-up check of the file (which throws a VeriHatasi when it found damage) first, then the
// automatic backup (which must not throw). Each kind has one place: the newest one of a kind is in
// force, and when it goes none of that kind is, even if an older one still lives.
class YazmaOncesi
{
public:
    enum class Sira { AcilisDenetimi, OtomatikYedek };

    YazmaOncesi(Sira yeri, std::function<void()> yapilacak);
    ~YazmaOncesi();
    YazmaOncesi(const YazmaOncesi&) = delete;
    YazmaOncesi& operator=(const YazmaOncesi&) = delete;

private:
    friend class Baglanti;
    const Sira sira;
    const std::function<void()> is;
};
