// The main window's menus, each item connected to its handler through the
// command guard, so that a failing command ends in its own message.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/main_window/command_guard.h"
#include "ui/main_window/frm_ravo.h"

namespace ravo {

QAction* frmRavo::AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void frmRavo::BuildMenus()
{
    QMenuBar* bar = menuBar();
    // A menu added at the end of the menu bar or of another menu.
    auto addMenu = [](auto* parent, const char* name, const QString& caption) {
        auto* menu = new QMenu(caption, parent);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name) + QLatin1String("Item"));
        parent->addMenu(menu);
        return menu;
    };

    QMenu* mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    mnuLoad = AddItem(mnuFile, "mnuLoad", QStringLiteral("&Load Input"));
    QMenu* mnuSave = addMenu(mnuFile, "mnuSave", QStringLiteral("&Save"));
    mnuInput = AddItem(mnuSave, "mnuInput", QStringLiteral("&Input As"));
    mnuOutput = AddItem(mnuSave, "mnuOutput", QStringLiteral("&Output As"));
    mnuLandXML = AddItem(mnuSave, "mnuLandXML", QStringLiteral("&LandXML As"));
    QMenu* mnuDefine = addMenu(mnuFile, "mnuDefine", QStringLiteral("&Define"));
    mnuDOutT = AddItem(mnuDefine, "mnuDOutT", QStringLiteral("&Output Title (optional)"));
    mnuExit = AddItem(mnuFile, "mnuExit", QStringLiteral("&Exit"));
    mnuGround = AddItem(mnuFile, "mnuGround", QStringLiteral("Load &Ground"));
    BuildRecentMenu(mnuFile);

    QMenu* mnuReset = addMenu(bar, "mnuReset", QStringLiteral("&Reset"));
    mnuResetVcurves = AddItem(mnuReset, "mnuResetVcurves", QStringLiteral("&Vertical curves"));
    mnuResetSuper = AddItem(mnuReset, "mnuResetSuper", QStringLiteral("&Superelevations"));
    mnuResetAll = AddItem(mnuReset, "mnuResetAll", QStringLiteral("&All"));
    mnuUndo = AddItem(mnuReset, "mnuUndo", QStringLiteral("&Undo"));

    QMenu* mnuView = addMenu(bar, "mnuView", QStringLiteral("&View"));
    mnuVOut = AddItem(mnuView, "mnuVOut", QStringLiteral("&Output File"));
    mnuVProfile = AddItem(mnuView, "mnuVProfile", QStringLiteral("&Profile"));
    mnuFitGrade = AddItem(mnuView, "mnuFitGrade", QStringLiteral("&Fit Grade Line..."));

    QMenu* mnuPrint = addMenu(bar, "mnuPrint", QStringLiteral("&Print"));
    mnuPrintCS = AddItem(mnuPrint, "mnuPrintCS", QStringLiteral("&Input Data Echo"));
    mnuStartPrint =
        AddItem(mnuPrint, "mnuStartPrint", QStringLiteral("St&art Printing Elevations"));
    mnuStopPrint = AddItem(mnuPrint, "mnuStopPrint", QStringLiteral("St&op Printing Elevations"));

    QMenu* mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuContents = AddItem(mnuHelp, "mnuContents", QStringLiteral("&Contents"));
    mnuAbout = AddItem(mnuHelp, "mnuAbout", QStringLiteral("&About Program RAVO"));

    // The standard keys, shown beside the captions.
    mnuLoad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuInput->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuContents->setShortcut(QKeySequence(Qt::Key_F1));

    connect(mnuExit, &QAction::triggered, this, Guarded(&frmRavo::mnuExit_Click, QString()));
    connect(mnuResetVcurves, &QAction::triggered, this,
            Guarded(&frmRavo::mnuResetVcurves_Click, CommandFailedText()));
    connect(mnuResetSuper, &QAction::triggered, this,
            Guarded(&frmRavo::mnuResetSuper_Click, CommandFailedText()));
    connect(mnuResetAll, &QAction::triggered, this,
            Guarded(&frmRavo::mnuResetAll_Click, CommandFailedText()));
    connect(mnuUndo, &QAction::triggered, this,
            Guarded(&frmRavo::mnuUndo_Click, CommandFailedText()));
    connect(mnuLoad, &QAction::triggered, this,
            Guarded(&frmRavo::mnuLoad_Click, LoadFailureText()));
    connect(mnuGround, &QAction::triggered, this,
            Guarded(&frmRavo::mnuGround_Click, QStringLiteral("Error loading ground file")));
    connect(mnuInput, &QAction::triggered, this,
            Guarded(&frmRavo::mnuInput_Click, QStringLiteral("Error saving input file")));
    connect(mnuDOutT, &QAction::triggered, this,
            Guarded(&frmRavo::mnuDOutT_Click, CommandFailedText()));
    connect(mnuOutput, &QAction::triggered, this, Guarded(&frmRavo::mnuOutput_Click, QString()));
    connect(mnuLandXML, &QAction::triggered, this,
            Guarded(&frmRavo::mnuLandXML_Click, QStringLiteral("Error saving LandXML file")));
    connect(mnuVOut, &QAction::triggered, this,
            Guarded(&frmRavo::mnuVOut_Click, QStringLiteral("Unable to view output file")));
    connect(mnuPrintCS, &QAction::triggered, this,
            Guarded(&frmRavo::mnuPrintCS_Click, WriteFailureText()));
    connect(mnuStartPrint, &QAction::triggered, this,
            Guarded(&frmRavo::mnuStartPrint_Click, WriteFailureText()));
    connect(mnuStopPrint, &QAction::triggered, this,
            Guarded(&frmRavo::mnuStopPrint_Click, WriteFailureText()));
    connect(mnuVProfile, &QAction::triggered, this,
            Guarded(&frmRavo::mnuVProfile_Click, CommandFailedText()));
    connect(mnuFitGrade, &QAction::triggered, this,
            Guarded(&frmRavo::mnuFitGrade_Click, CommandFailedText()));
    connect(mnuContents, &QAction::triggered, this,
            Guarded(&frmRavo::mnuContents_Click, CommandFailedText()));
    connect(mnuAbout, &QAction::triggered, this,
            Guarded(&frmRavo::mnuAbout_Click, CommandFailedText()));
}

std::function<void()> frmRavo::Guarded(void (frmRavo::*handler)(), const QString& failureText)
{
    return [this, handler, failureText] {
        RunCommand(platform_, this, failureText, [this, handler] { (this->*handler)(); });
    };
}

}  // namespace ravo
