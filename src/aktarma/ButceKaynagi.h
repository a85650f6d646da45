#pragma once

#include <QStringList>
#include <QVariantList>

#include <functional>

// Where an import reads the budget tables from: an old Access file, or rows that a test or a
// measurement makes. Tables are read one after another, each whole in one call.
class ButceKaynagi
{
public:
    using SatirAlici = std::function<void(const QVariantList&)>;

    virtual ~ButceKaynagi() = default;

    // Names as the source spells them.
    virtual QStringList tablolar() = 0;
    virtual QStringList alanlar(const QString& tablo) = 0;
    // The number of rows the table says it holds.
    virtual qint64 satirSayisi(const QString& tablo) = 0;
    // Hands each row to `alici` with the values of the named fields in their order: text as
    // QString, whole numbers as qint64, amounts as double, NULL as a null QVariant. Throws a
    // VeriHatasi when the table cannot be read whole.
    virtual void oku(const QString& tablo, const QStringList& alanlar, const SatirAlici& alici) = 0;
};
