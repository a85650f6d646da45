#pragma once

#include "VeriHatasi.h"

#include <QSqlQuery>
#include <QVariant>
#include <QVariantList>

#include <optional>

// The result of one statement, a scoped object of the operation that runs it: prepared on the
// program's connection (Baglanti) in its engine's dialect with bound values, executed at once,
// and closed when the operation's scope ends, on every path. Every failure is thrown as a
// VeriHatasi. Outside a transaction, a statement that finds the link to the server lost is run
// once more after connecting again.
class SorguSonucu
{
public:
    explicit SorguSonucu(const QString& sql, const QVariantList& degerler = {});
    ~SorguSonucu();
    SorguSonucu(const SorguSonucu&) = delete;
    SorguSonucu& operator=(const SorguSonucu&) = delete;

    bool sonraki() { return sorgu.next(); }
    QVariant alan(int sira) const { return sorgu.value(sira); }
    int etkilenenSatirlar() const { return sorgu.numRowsAffected(); }
    qint64 eklenenKimlik() const { return sorgu.lastInsertId().toLongLong(); }

private:
    // The failure, when the statement failed.
    std::optional<VeriHatasi> calistir(const QString& sql, const QVariantList& degerler);

    QSqlQuery sorgu;
};
