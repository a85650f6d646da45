#pragma once

#include "AnaForm.h"
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
