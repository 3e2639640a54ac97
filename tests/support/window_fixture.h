// A main window on a fresh record with a scripted platform, and the few
// helpers that the window tests share.
#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <initializer_list>
#include <memory>

#include "core/profile/profile_state.h"
#include "support/scripted_platform.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/profile_window/frm_profile.h"

namespace ravo {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<frmRavo>(state, platform);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QLineEdit* Box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    QGroupBox* Frame(const char* name) const { return window->findChild<QGroupBox*>(name); }
    QAction* Item(const char* name) const { return window->findChild<QAction*>(name); }
    QString Text(const char* name) const { return Box(name)->text(); }
    QString Panel(int panel) const { return window->PanelText(panel); }

    QStringList Texts(std::initializer_list<const char*> names) const
    {
        QStringList texts;
        for (const char* name : names)
            texts << Text(name);
        return texts;
    }

    void Click(const char* button) const
    {
        QTest::mouseClick(window->findChild<QToolButton*>(button), Qt::LeftButton);
    }

    // Selects the box's text and types over it, key by key, as a user would.
    void TypeOver(const char* name, const QString& text) const
    {
        QLineEdit* box = Box(name);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }

    // Pastes a whole text over the box's text with Ctrl+V, as a user would.
    void Paste(const char* name, const QString& text) const
    {
        QLineEdit* box = Box(name);
        box->setFocus();
        box->selectAll();
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

    // Types the five values of the row shown in an editor frame.
    void TypeRow(const std::array<const char*, 5>& boxes,
                 const std::array<const char*, 5>& values) const
    {
        for (std::size_t i = 0; i < boxes.size(); ++i)
            TypeOver(boxes[i], QLatin1String(values[i]));
    }

    void TypeWorkedExample() const
    {
        TypeOver("txtNVC", QStringLiteral("1"));
        TypeRow({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"},
                {"100", "0.02", "-0.01", "1000", "1200"});
        TypeOver("txtNSUP", QStringLiteral("1"));
        TypeRow({"txtS1", "txtSG1", "txtSG2", "txtSSta1", "txtSSta2"},
                {"-0.02", ".0004", ".0004", "1000", "1100"});
        TypeOver("txtOffset", QStringLiteral("12"));
    }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // View > Profile, and the window it shows.
    frmProfile* OpenProfile() const
    {
        Item("mnuVProfile")->trigger();
        return window->findChild<frmProfile*>(QStringLiteral("frmProfile"));
    }

    // The example Ridge Road loaded, and the profile window showing it.
    frmProfile& OpenRidgeRoad()
    {
        Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
        return *OpenProfile();
    }

    // Triggers the item with the file dialog answered by the path.
    void Choose(const char* item, const QString& path)
    {
        platform.files.push_back(FileChoice{path, QFileInfo(path).fileName()});
        Item(item)->trigger();
    }

    ProfileState state;
    ScriptedPlatform platform;
    std::unique_ptr<frmRavo> window;
    QTemporaryDir folder;
};

}  // namespace ravo
