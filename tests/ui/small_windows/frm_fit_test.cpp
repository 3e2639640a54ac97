// View > Fit Grade Line through the window: criteria typed into its boxes,
// the ground from a file chosen through the platform, the fit's result shown,
// refusals as messages, and Use loading the fitted profile undoably.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "core/profile/elevation.h"
#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"
#include "ui/small_windows/frm_fit.h"

namespace ravo {
namespace {

class FitWindowTest : public WindowTest {
protected:
    frmFit* Open()
    {
        Item("mnuFitGrade")->trigger();
        fit = window->findChild<frmFit*>("frmFit");
        return fit;
    }

    QLineEdit* FitBox(const char* name) const { return fit->findChild<QLineEdit*>(name); }
    QPushButton* Button(const char* name) const { return fit->findChild<QPushButton*>(name); }

    void Set(const char* name, const QString& text) const { FitBox(name)->setText(text); }

    // The ground file chosen through the platform's file dialog.
    void ChooseGround(const QByteArray& csv)
    {
        const QString path = Write(QStringLiteral("ground.csv"), csv);
        platform.files.push_back(FileChoice{path, QStringLiteral("ground.csv")});
        QTest::mouseClick(Button("cmdGround"), Qt::LeftButton);
    }

    void AddRow(const char* table, const char* add, const QStringList& cells) const
    {
        QTest::mouseClick(Button(add), Qt::LeftButton);
        auto* list = fit->findChild<QTableWidget*>(table);
        for (int c = 0; c < cells.size(); ++c)
            list->setItem(list->rowCount() - 1, c, new QTableWidgetItem(cells[c]));
    }

    // Clicks Fit and waits for the worker to hand its outcome back.
    void RunFit() const
    {
        QTest::mouseClick(Button("cmdFit"), Qt::LeftButton);
        EXPECT_FALSE(Button("cmdFit")->isEnabled());  // until the worker's outcome is shown
        ASSERT_TRUE(QTest::qWaitFor([this] { return Button("cmdFit")->isEnabled(); }, 30000));
    }

    frmFit* fit = nullptr;
};

// The window opens over the loaded profile: its stations and its unit.
TEST_F(FitWindowTest, TheItemIsLastInViewAndOpensOnTheProfilesRangeAndUnit)
{
    const QList<QAction*> view = window->findChild<QMenu*>("mnuView")->actions();
    ASSERT_EQ(view.size(), 3);
    EXPECT_EQ(view[0]->objectName(), QStringLiteral("mnuVOut"));
    EXPECT_EQ(view[1]->objectName(), QStringLiteral("mnuVProfile"));
    EXPECT_EQ(view.back()->objectName(), QStringLiteral("mnuFitGrade"));
    EXPECT_EQ(view.back()->text(), QStringLiteral("&Fit Grade Line..."));
    Choose("mnuLoad", Write(QStringLiteral("feet.xml"),
                            "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/"
                            "schema/LandXML-1.2\"><Units><Imperial linearUnit=\"foot\"/></Units>"
                            "<Alignments><Alignment name=\"A\"><Profile><ProfAlign name=\"D\">"
                            "<PVI>100 50</PVI><PVI>900 60</PVI></ProfAlign></Profile></Alignment>"
                            "</Alignments></LandXML>"));
    ASSERT_EQ(state.NumVC, 1) << platform.Last().toStdString();
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(fit->isVisible());
    EXPECT_EQ(FitBox("txtFrom")->text(), QStringLiteral("100"));
    EXPECT_EQ(FitBox("txtTo")->text(), QStringLiteral("900"));
    EXPECT_EQ(fit->findChild<QComboBox*>("cboUnits")->currentText(), QStringLiteral("mph, feet"));
}

TEST_F(FitWindowTest, AFlatGroundGivesTheFlatLineShownBesideTheDesign)
{
    Open();
    ChooseGround("station,elevation\n0,100\n200,100\n");
    EXPECT_EQ(FitBox("txtFrom")->text(), QStringLiteral("0"));
    EXPECT_EQ(FitBox("txtTo")->text(), QStringLiteral("200"));
    Set("txtSpeed", QStringLiteral("60"));
    RunFit();
    const QString text = fit->ResultText();
    EXPECT_TRUE(text.contains(QStringLiteral("Fitted: cut 0.0, fill 0.0, cost 0.0")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("meets every criterion"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Current design: no vertical curves")));
    ASSERT_TRUE(fit->Result().has_value());
    for (const PviPoint& p : fit->Result()->pvis)
        EXPECT_NEAR(p.elevation, 100, 1e-6);
    EXPECT_TRUE(Button("cmdUse")->isEnabled());
    EXPECT_TRUE(window->ProfileWindow().Plot().HasFittedLine());
    EXPECT_TRUE(platform.messages.empty()) << platform.Last().toStdString();
}

TEST_F(FitWindowTest, AValleyWithAFixedPointAndAWindowCostsLessThanTheDesign)
{
    TypeOver("txtNVC", QStringLiteral("1"));
    TypeRow({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"}, {"120", "0", "0", "0", "200"});
    Open();
    ChooseGround("station,elevation\n0,110\n100,100\n200,110\n");
    AddRow("tblFixed", "cmdAddFixed", {QStringLiteral("0"), QStringLiteral("110")});
    AddRow("tblWindows", "cmdAddWindow",
           {QStringLiteral("90"), QStringLiteral("110"), QStringLiteral("106"),
            QStringLiteral("107")});
    RunFit();
    const QString text = fit->ResultText();
    ASSERT_TRUE(fit->Result().has_value()) << text.toStdString();
    EXPECT_NEAR(fit->Result()->pvis.front().elevation, 110, 0.01);
    int covering = 0;  // rows that hold station 100
    ForEachRow(FittedProfile(*fit->Result()), SegmentKind::VerticalCurve,
               [&covering](std::int32_t, const SegmentRow& row) {
                   if (row.station1 <= 100 && row.station2 >= 100) {
                       ++covering;
                       EXPECT_GE(RowValue(row, 100), 106 - 1e-3);
                       EXPECT_LE(RowValue(row, 100), 107 + 1e-3);
                   }
               });
    EXPECT_GT(covering, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("Current design: cut 0.0, fill ")))
        << text.toStdString();
    EXPECT_LT(fit->Result()->fitted.cost, 30000);  // the design at 120 fills about 120000
}

// Each refusal is a message through the platform, and no fit is shown.
TEST_F(FitWindowTest, CriteriaThatCannotBeUsedOrMetAreRefusedWithAMessage)
{
    Open();
    QTest::mouseClick(Button("cmdFit"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("needs the ground")));

    ChooseGround("not a ground\n");
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("could not be read")));
    EXPECT_EQ(fit->findChild<QLabel*>("lblGround")->text(), QStringLiteral("No ground"));

    ChooseGround("station,elevation\n0,100\n200,100\n");
    Set("txtMaxGrade", QStringLiteral("six"));
    QTest::mouseClick(Button("cmdFit"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 3U);
    EXPECT_EQ(platform.messages.back().text,
              QStringLiteral("The maximum grade is not a number: \"six\"."));

    Set("txtMaxGrade", QStringLiteral("2"));
    AddRow("tblFixed", "cmdAddFixed", {QStringLiteral("0"), QStringLiteral("100")});
    AddRow("tblFixed", "cmdAddFixed", {QStringLiteral("200"), QStringLiteral("120")});
    RunFit();
    ASSERT_EQ(platform.messages.size(), 4U);
    EXPECT_EQ(platform.messages.back().title, QStringLiteral("Fit Grade Line"));
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("fixed point")))
        << platform.Last().toStdString();
    EXPECT_FALSE(fit->Result().has_value());
    EXPECT_FALSE(Button("cmdUse")->isEnabled());
    EXPECT_TRUE(fit->ResultText().startsWith(QStringLiteral("No grade line was fitted.")));
    EXPECT_FALSE(window->ProfileWindow().Plot().HasFittedLine());
    EXPECT_FALSE(window->ProfileWindow().isVisible());
}

TEST_F(FitWindowTest, UseLoadsTheFittedProfileAndCtrlZBringsTheOldOneBack)
{
    TypeWorkedExample();
    const ProfileState before = state;
    Open();
    ChooseGround("station,elevation\n1000,100\n1200,100\n");
    RunFit();
    ASSERT_TRUE(fit->Result().has_value()) << fit->ResultText().toStdString();
    QTest::mouseClick(Button("cmdUse"), Qt::LeftButton);
    const ProfileState fitted = FittedProfile(*fit->Result());
    EXPECT_EQ(state.NumVC, fitted.NumVC);
    EXPECT_EQ(state.VcElevation1, fitted.VcElevation1);
    EXPECT_EQ(state.VcSta2, fitted.VcSta2);
    EXPECT_EQ(state.SupSuper1, before.SupSuper1);  // the superelevation is no part of the fit
    EXPECT_EQ(Text("txtNVC"), QString::number(fitted.NumVC));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.NumVC, before.NumVC);
    EXPECT_EQ(state.VcElevation1, before.VcElevation1);
    EXPECT_EQ(state.VcGrade1, before.VcGrade1);
    EXPECT_EQ(Text("txtE1").trimmed(), QStringLiteral("100"));
}

}  // namespace
}  // namespace ravo
