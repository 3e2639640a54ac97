// Each kind of file dialog opens in the folder of its own last choice.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "ui/platform/dialog_folders.h"

namespace ravo {
namespace {

TEST(DialogFolders, EachKindKeepsItsOwnFolderWhileItExists)
{
    const QString input = "All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt";
    const QString output = "All Files (*.*)|*.*|Output Files (*.out)|*.out";
    struct Case {
        FileDialogRequest request;
        QString key;
    };
    const Case cases[] = {
        {{FileDialogKind::Open, input + "|LandXML Files (*.xml)|*.xml", 2}, "FileDialogs/in"},
        {{FileDialogKind::Save, input, 2}, "FileDialogs/in"},  // loads and saves share
        {{FileDialogKind::Save, output, 2}, "FileDialogs/out"},
        {{FileDialogKind::Save, output, 9}, "FileDialogs/all"},  // no such entry: the first
        {{FileDialogKind::Open, "", 1}, "FileDialogs/all"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogFolderKey(c.request), c.key) << c.request.filterList.toStdString();

    QTemporaryDir top;
    ASSERT_TRUE(QDir(top.path()).mkpath("reports"));
    const FileDialogRequest load = cases[0].request, report = cases[2].request;
    EXPECT_EQ(LastDialogFolder(load), "");
    RememberDialogFolder(load, top.filePath("road.in"));
    RememberDialogFolder(report, top.filePath("reports/road.out"));
    EXPECT_EQ(LastDialogFolder(cases[1].request), top.path());
    EXPECT_EQ(LastDialogFolder(report), top.filePath("reports"));
    ASSERT_TRUE(QDir(top.filePath("reports")).removeRecursively());
    EXPECT_EQ(LastDialogFolder(report), "");  // gone: the dialog's own choice
}

}  // namespace
}  // namespace ravo
