#pragma once

#include "AnaForm.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "TestOrtami.h"

#include <QtTest>

#include <memory>

// Base of the test classes that work on a budget file: before each test function a fresh
// TestOrtami; after it, the main window the test built in `form` is closed, then the file.
class LedgerTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestOrtami> ortam;
    std::unique_ptr<AnaForm> form;

protected slots:
    void init() { ortam = std::make_unique<TestOrtami>(); }
    void cleanup()
    {
        form.reset();
        ortam.reset();
    }
};

// Base of the test classes that make their own files: for each test function the locale pinned,
// messages recorded and an empty folder `dizin`, with `yol` the budget file's place in it; the
// connection closed after it.
class DosyasizTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> dizin;
    QString yol;

protected slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        MesajKutusu::kaydetmeyeBasla();
        dizin = std::make_unique<QTemporaryDir>();
        yol = DegiskenModulu::veriTabaniYolu(dizin->path());
    }
    void cleanup()
    {
        DegiskenModulu::kapat();
        MesajKutusu::kaydetmeyiBirak();
        dizin.reset();
    }
};
