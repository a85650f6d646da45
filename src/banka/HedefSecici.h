#pragma once

#include "Kurallar.h"

#include <QComboBox>
#include <QWidget>

#include <optional>

class QStringListModel;

// An editable box of group names whose offers, as the user types, are the names holding the typed
// text, Turkish letters folded ("mutfak" finds "MUTFAK", "ı" never finds "i"). A name typed that
// the box does not offer stays as typed: a new group.
class GrupKutusu : public QComboBox
{
    Q_OBJECT
public:
    explicit GrupKutusu(QWidget* ust);

    void secenekler(const QStringList& adlar);
    // The name as the offers spell it when one is the same in any letter case, else as typed.
    QString ad() const;

private:
    void suz(const QString& metin);

    QStringList adlar;
    QStringListModel* oneriler = nullptr;
};

// Where movements go: the ledger ("Gelir", "Gider" or "Yok say"), a main group and a sub-group of
// that ledger. Tells every change by degisti().
class HedefSecici : public QWidget
{
    Q_OBJECT
public:
    explicit HedefSecici(QWidget* ust);

    // The target shown; none while a group is missing.
    std::optional<Hedef> hedef() const;
    void goster(const Hedef& hedef);
    // Only the ledger chosen, the groups left empty.
    void defteriSec(const DefterTanimi* defter);

    QComboBox* defterKutusu() const { return DefterKutusu; }
    GrupKutusu* anaGrupKutusu() const { return AnaGrupKutusu; }
    GrupKutusu* altGrupKutusu() const { return AltGrupKutusu; }

signals:
    void degisti();

private:
    const DefterTanimi* defter() const;
    void defterDegisti();
    void anaGrupDegisti();

    QComboBox* DefterKutusu = nullptr;
    GrupKutusu* AnaGrupKutusu = nullptr;
    GrupKutusu* AltGrupKutusu = nullptr;
};
