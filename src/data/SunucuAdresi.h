#pragma once

#include <QString>

// Where a household's shared budget lives: a database on a PostgreSQL server. The password is
// never held here: libpq reads it from ~/.pgpass.
struct SunucuAdresi {
    QString sunucu; // a host name or address, or the folder of the server's socket
    int port = 5432;
    QString veritabani;
    QString kullanici;
    QString servis; // a libpq service name (pg_service.conf), in place of the four above
    bool sifreliZorunlu = false; // otherwise encrypted when the server offers it
    int beklemeSaniyesi = 10;    // how long to wait for the server to answer

    // "ev-sunucusu/butce", or the service's name.
    QString ad() const;
    // The server alone, as a message names it: "ev-sunucusu", or the service's name.
    QString sunucuAdi() const;
    // The options libpq takes besides the four fields.
    QString baglantiSecenekleri() const;
};
