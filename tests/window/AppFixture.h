#pragma once

// The whole application as the program runs it: theApp started as from the
// command line, with message boxes recorded instead of shown.

#include "FrameWnd.h"
#include "MessageBox.h"
#include "MyQuibApp.h"
#include "MyQuibDoc.h"
#include "Resources.h"
#include "TempDir.h"
#include "View.h"

#include <QAction>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

class AppFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program, with FILE as its command line argument if given,
    // and waits for FILE to be read.
    void Start(const QString& file = QString());
    // Waits for the reads under way to end.
    void WaitForReads();
    // File Import of a file, as the menu's command does, read to its end.
    void Import(const QString& file);
    // Ends it as the event loop's end does.
    void Stop();

    CFrameWnd* Frame() const { return theApp.m_pMainWnd; }
    CMyQuibDoc* Document() const;
    QAction* Action(UINT id) const { return Frame()->FindAction(id); }
    // A key on the view, the window made active again first (closing a
    // dialog need not give it back its focus); a read it starts is waited for.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The action's state as it stands: it is kept up to date.
    bool Enabled(UINT id) const;

    // A data file in the test's folder: DIM=dim, then `records` records.
    QString WriteDataFile(const std::string& name, int dim, int records) const;

    TempDir m_dir;
    QStringList m_messages;
};

// Clears the program's settings.
void ClearSettings();
