#pragma once

#include "DefterTanimi.h"
#include "GrupDuzeltme.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;

// "Grubu Yeniden Adlandır" for a main group or a sub-group of one ledger, and "Alt Grubu Taşı" for
// a sub-group. Takes the new name, with the add dialog's upper-casing, trimming and length rules,
// or the main group to move under; asks before merging into a group of that name (No the default)
// and writes the change in one step. It tells its opener through grupDuzeltildi() what it wrote,
// and also when it found the group gone, so that the opener lists again.
class GrupDuzeltmeFormu : public QDialog
{
    Q_OBJECT
public:
    enum class Is { Adlandir, Tasi };

    // Without `alt` the main group itself is renamed.
    GrupDuzeltmeFormu(const DefterTanimi& defterTanimi, Is yapilacak, const QString& ana,
                      const std::optional<QString>& alt, QWidget* sahibi);

    void TamamDugmesi_Click();

signals:
    // `komut` names the change on the undo stack, `bildirim` tells what was done; an empty change
    // with an empty `bildirim` when the group was gone.
    void grupDuzeltildi(const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                        const QString& bildirim);

private:
    // The new main group and sub-group names; none, after telling the user, when not usable.
    std::optional<std::pair<QString, QString>> hedef();
    // The names the group would merge with; none when there is no such group.
    std::optional<QString> varOlan(const std::pair<QString, QString>& hedef) const;
    GrupDuzeltme::Sonuc yaz(const std::pair<QString, QString>& hedef, bool birlestir) const;
    void sonucuBildir(const GrupDuzeltme::Sonuc& sonuc);
    QString eskiAd() const { return altGrup.value_or(anaGrup); }

    const DefterTanimi& defter;
    const Is is;
    const QString anaGrup;
    const std::optional<QString> altGrup;
    QLineEdit* adKutusu = nullptr;
    QComboBox* anaGrupKutusu = nullptr;
};
