#pragma once

// A main window with scripted boxes and dialogs. Modal windows are not run:
// the hook records them and lets a test act on them as the user would.

#include "tests/ui/ScriptedServices.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TKatalog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class KatalogFixture : public ::testing::Test {
protected:
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    std::unique_ptr<TKatalog> katalog;
    QStringList modalShown;                // object names, in order
    std::function<void(QWidget*)> onModal; // the user's part while a modal window is open

    void SetUp() override {
        katalog = std::make_unique<TKatalog>(messages, files, 4711);
        katalog->SetModalHook([this](QWidget* window) {
            modalShown << window->objectName();
            window->show();
            if (onModal)
                onModal(window);
            window->hide();
        });
        katalog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(katalog.get()));
    }

    void TearDown() override {
        katalog->hide();
        katalog.reset();
    }

    const Puzzle& P() const { return katalog->session().CurrentPuzzle(); }
    const SolvingSession& S() const { return katalog->session().Solving(); }
    const ViewFlags& V() const { return katalog->session().View(); }

    // Shows a puzzle made here, changed from the current one by the test.
    void Change(const std::function<void(Puzzle&, ViewFlags&)>& change) {
        Puzzle puzzle = P();
        ViewFlags view = V();
        change(puzzle, view);
        katalog->ShowPuzzle(puzzle, view);
    }

    // Types text as key presses carrying characters (QTest's key clicks know ASCII only).
    static void TypeText(QWidget* widget, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &release);
        }
    }
};
