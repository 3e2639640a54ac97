// Loading LandXML files and PVI tables through "Load Input", and "LandXML As".
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/landxml_read.h"
#include "frm_title.h"
#include "window_fixture.h"

namespace ravo {
namespace {

const QByteArray TwoAlignments = R"(<?xml version="1.0"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2">
<Units><Metric linearUnit="meter"/></Units>
<Alignments>
<Alignment name="North"><Profile><ProfAlign name="Design">
<PVI>0 100</PVI><ParaCurve length="100">200 104</ParaCurve><PVI>400 102</PVI>
</ProfAlign></Profile></Alignment>
<Alignment name="South"><Profile><ProfAlign name="Design"><PVI>0 50</PVI><PVI>10 51</PVI>
</ProfAlign></Profile></Alignment>
</Alignments></LandXML>
)";

class ProfileFiles : public WindowTest {
protected:
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    void Choose(QAction* item, const QString& path)
    {
        platform.files.push_back(FileChoice{path, QFileInfo(path).fileName()});
        item->trigger();
    }

    QStringList Curve() const
    {
        return {Text("txtE1"), Text("txtG1"), Text("txtG2"), Text("txtSta1"), Text("txtSta2")};
    }

    QTemporaryDir folder;
};

TEST_F(ProfileFiles, LandXmlWithSeveralProfilesAsksWhichToLoad)
{
    const QString path = Write(QStringLiteral("road.xml"), TwoAlignments);
    platform.chosenItems = {std::nullopt, 0};
    Choose(Item("mnuLoad"), path);  // cancelled: nothing changes, nothing is said
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(state.NumVC, 0);
    EXPECT_EQ(Panel(1), QStringLiteral("No input file specified"));

    Choose(Item("mnuLoad"), path);
    ASSERT_EQ(platform.choices.size(), 2u);
    EXPECT_EQ(platform.choices[1],
              QStringList({QStringLiteral("alignment \"North\", profile \"Design\""),
                           QStringLiteral("alignment \"South\", profile \"Design\"")}));
    EXPECT_EQ(Panel(1), QStringLiteral("Input file = road.xml"));
    EXPECT_EQ(Text("txtNVC"), QStringLiteral("3"));
    EXPECT_EQ(Frame("fraVCurve")->title(), QStringLiteral("VERTICAL CURVE NO. 1"));
    EXPECT_EQ(Curve(), QStringList({" 100", " .02", " .02", " 0", " 150"}));
    EXPECT_EQ(window->TitleWindow().findChild<QLineEdit*>("txtTitle")->text(),
              QStringLiteral("North - Design"));
    ASSERT_EQ(platform.messages.size(), 1u);  // the notes, in one message
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("Lengths are in meter")));
}

TEST_F(ProfileFiles, PviTablesLoadAndBadFilesSayWhy)
{
    Choose(Item("mnuLoad"), Write(QStringLiteral("pvi.txt"),
                                  "station,elevation,length\n0,100,\n200,104,100\n400,102,\n"));
    EXPECT_EQ(Text("txtNVC"), QStringLiteral("3"));
    EXPECT_TRUE(platform.messages.empty());
    TypeOver("txtStation", QStringLiteral("200"));
    EXPECT_EQ(Text("txtElevation"), QStringLiteral("103.625"));

    Choose(Item("mnuLoad"),
           Write(QStringLiteral("bad.xml"), "<LandXML>\n<Alignments>\n</LandXML>"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Error loading input file"));
    EXPECT_TRUE(
        platform.messages[0].detail.contains(QStringLiteral("line 3: the XML is malformed")))
        << platform.messages[0].detail.toStdString();
    EXPECT_EQ(Text("txtNVC"), QStringLiteral("3"));  // the loaded profile stays
    EXPECT_EQ(Panel(1), QStringLiteral("Input file = pvi.txt"));
}

TEST_F(ProfileFiles, LandXmlAsWritesTheCurvesOrSaysWhyNot)
{
    TypeWorkedExample();  // one curve and one segment
    const QString path = folder.filePath(QStringLiteral("main.xml"));
    Choose(Item("mnuLandXML"), path);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(platform.dialogs[0].filterList, QStringLiteral("LandXML Files (*.xml)|*.xml"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const ImportedProfile back = ImportLandXml(text.toStdString(), {});
    EXPECT_EQ(back.profile.numVC, 1);
    EXPECT_EQ(back.profile.curves[0][1], 100);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("superelevation segments")));
    EXPECT_EQ(Panel(1), QStringLiteral("No input file specified"));  // an export, not a save

    TypeOver("txtNVC", QStringLiteral("2"));  // two rows of zeros: zero length at station 0
    const QString refused = folder.filePath(QStringLiteral("refused.xml"));
    Choose(Item("mnuLandXML"), refused);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.contains(
        QStringLiteral("so no LandXML file was written:\n\ncurve 1: zero length at station 0.000")))
        << platform.messages[1].text.toStdString();
    EXPECT_FALSE(QFile::exists(refused));
}

}  // namespace
}  // namespace ravo
