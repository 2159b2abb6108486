#pragma once

// The base of the window's test objects: every test function gets a fresh
// main window, shown and active (FormFixture). A test object that needs more
// before each function has its own init() slot, which calls this one first.

#include <QObject>
#include <QTest>

#include "form_fixture.h"

namespace kx14 {

class FormTest : public QObject {
  Q_OBJECT

 protected slots:
  void init() {
    fixture_.Create();
    QVERIFY(fixture_.Active());
  }
  void cleanup() { fixture_.Destroy(); }

 protected:
  FormFixture fixture_;
};

}  // namespace kx14
