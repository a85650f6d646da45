#pragma once

#include "KilitBeklemesi.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every message the program shows goes through here, titled "Morvane" with Turkish buttons.
// Tests switch to recording: nothing is shown, questions take the answers queued for them.
class MesajKutusu
{
public:
    enum class Simge { Bilgi, Soru, Hata };
    struct Gosterilen {
        Simge simge;
        QString metin;
        bool hayirVarsayilan = false; // a question whose default button is No
        QStringList dugmeler;         // buttons of its own
    };

    static void bilgi(QWidget* sahibi, const QString& metin);
    static void hata(QWidget* sahibi, const QString& metin);
    // Yes is the default button; true when the user answers Yes.
    static bool sor(QWidget* sahibi, const QString& metin);
    // The same with No the default, for a change that is hard to see through.
    static bool hayirVarsayilanlaSor(QWidget* sahibi, const QString& metin);
    // A message with buttons of its own, the first the default; the place of the one pressed, or
    // -1 when the box was closed.
    static int sec(QWidget* sahibi, Simge simge, const QString& metin, const QStringList& dugmeler);

    // Runs a command under the busy cursor, which stays while the engine waits on a locked file;
    // an engine failure is shown as an error and the command reports false. A lost link to the
    // shared budget's server is shown with "Yeniden Bağlan", which connects again at once.
    static bool hatalariGostererek(QWidget* sahibi, const std::function<void()>& komut);

    // One user command, however many statements and refreshes it runs: while one lives, only the
    // first engine failure is shown, and a locked file is waited for once (KilitBeklemesi).
    // Scopes may nest; the outermost one counts.
    class Komut
    {
    public:
        Komut();
        ~Komut();
        Komut(const Komut&) = delete;
        Komut& operator=(const Komut&) = delete;

    private:
        const KilitBeklemesi::Komut bekleme;
    };

    static void kaydetmeyeBasla();
    static void kaydetmeyiBirak();
    static void sonrakiYanit(bool evet);
    // The place of the button to press in the next message that has buttons of its own.
    static void sonrakiSecim(int sira);
    static const QList<Gosterilen>& gosterilenler();
    static void gosterilenleriSil();
};
