#pragma once
// Starts the whole program in the test process, in a temporary program folder of its own
// (database from the shipped schema, report projects, settings), with scripted boxes.
#include "support/scripted_dialogs.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <gtest/gtest.h>
#include <memory>

class TApplication;

// One application object per test process; it ends, with the browser engine, after the last test.
TApplication* test_application();

// A first base for fixtures whose members need the application object (a server, a window).
struct WithTestApplication {
    WithTestApplication() { test_application(); }
};

// A fresh program folder: the shipped files of the build's program folder, the database
// created anew from the schema.
class ProgramFolder {
public:
    ProgramFolder();
    QString path() const { return dir_.path() + "/"; }
    QString file(const QString& name) const { return path() + name; }
    // Puts the built executable in the folder, with the browser engine's library that it loads
    // from beside itself, as an installation has them.
    void install_program() const;
    // Runs SQL on the folder's database (before or while the program runs).
    void sql(const QString& statements) const;

private:
    QTemporaryDir dir_;
};

// A statement's bound values as texts, for comparing with what a test expects.
QStringList value_texts(const QVariantList& values);

// Starts the program in this process on the folder, as a real start would (the folder is the current
// directory, the executable's folder and the program folder): creates the ten windows, then shows
// the main window (its first activation runs) unless told not to.
void start_program(const ProgramFolder& folder, bool show = true);

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // start_program on the test's folder.
    void start(bool show = true);
    // Lets queued window-system events run.
    static void pump();

    ProgramFolder folder;
    // The user's runtime folder while the test runs, where the single-instance record goes.
    QTemporaryDir runtime;
    QByteArray previousRuntime;
    ScriptedDialogs dialogs;
    bool started = false;
    QString previousDir;
};
