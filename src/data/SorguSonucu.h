#pragma once

#include <QSqlQuery>
#include <QVariant>
#include <QVariantList>

// The record set of one operation (each operation names its own `KayitKumesi`): prepared on the
// program's connection with bound values, executed at once, and closed when the operation's scope
// ends, on every path. Every failure is thrown as a VeriHatasi.
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
    QSqlQuery sorgu;
};
