// View > Fit Grade Line through the window: criteria typed into its boxes,
// the ground from a file chosen through the platform, the fit's result shown,
// refusals as messages, and Use loading the fitted profile undoably.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "core/profile/elevation.h"
#include "support/landxml_samples.h"
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

    // The ground file chosen through the platform's file dialog.
    void ChooseGround(const QByteArray& csv)
    {
        const QString path = Write("ground.csv", csv);
        platform.files.push_back(FileChoice{path, "ground.csv"});
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
    QStringList view;
    for (const QAction* item : window->findChild<QMenu*>("mnuView")->actions())
        view << item->objectName() + " " + item->text();
    EXPECT_EQ(view, QStringList({"mnuVOut &Output File", "mnuVProfile &Profile",
                                 "mnuFitGrade &Fit Grade Line..."}));
    platform.chosenItems = {0};  // alignment "Main", from 1000 to 2000 feet
    Choose("mnuLoad", Write("main.xml", QByteArray::fromStdString(samples::LandXml)));
    ASSERT_GE(state.NumVC, 1) << platform.Last().toStdString();
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(fit->isVisible());
    EXPECT_EQ(QStringList({FitBox("txtFrom")->text(), FitBox("txtTo")->text()}),
              QStringList({"1000", "2000"}));
    EXPECT_EQ(fit->findChild<QComboBox*>("cboUnits")->currentText(), "mph, feet");
}

// Each refusal is a message through the platform, and no fit is shown; a fit
// that meets its criteria is shown, with no design to compare it with.
TEST_F(FitWindowTest, RefusalsAreMessagesAndAFitMeetingItsCriteriaIsShown)
{
    Open();
    QTest::mouseClick(Button("cmdFit"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_TRUE(platform.messages.back().text.contains("needs the ground"));

    ChooseGround("not a ground\n");
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_TRUE(platform.messages.back().text.contains("could not be read"));
    EXPECT_EQ(fit->findChild<QLabel*>("lblGround")->text(), "No ground");

    ChooseGround("station,elevation\n0,100\n200,100\n");  // its stations are the range
    EXPECT_EQ(QStringList({FitBox("txtFrom")->text(), FitBox("txtTo")->text()}),
              QStringList({"0", "200"}));
    FitBox("txtMaxGrade")->setText("six");
    QTest::mouseClick(Button("cmdFit"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 3U);
    EXPECT_EQ(platform.messages.back().text, "The maximum grade is not a number: \"six\".");

    FitBox("txtMaxGrade")->setText("2");
    AddRow("tblFixed", "cmdAddFixed", {"0", "100"});
    AddRow("tblFixed", "cmdAddFixed", {"200", "120"});
    RunFit();
    ASSERT_EQ(platform.messages.size(), 4U);
    EXPECT_EQ(platform.messages.back().title, "Fit Grade Line");
    EXPECT_TRUE(platform.messages.back().text.contains("fixed point"))
        << platform.Last().toStdString();
    EXPECT_FALSE(fit->Result().has_value());
    EXPECT_FALSE(Button("cmdUse")->isEnabled());
    EXPECT_TRUE(fit->ResultText().startsWith("No grade line was fitted."));
    EXPECT_FALSE(window->ProfileWindow().Plot().HasFittedLine());
    EXPECT_FALSE(window->ProfileWindow().isVisible());

    // Without the second fixed point the flat line fits, drawn in the profile window.
    QTest::mouseClick(Button("cmdRemoveFixed"), Qt::LeftButton);
    RunFit();
    const QString text = fit->ResultText();
    EXPECT_TRUE(text.contains("Fitted: cut 0.0, fill 0.0, cost 0.0")) << text.toStdString();
    EXPECT_TRUE(text.contains("meets every criterion"));
    EXPECT_TRUE(text.contains("Current design: no vertical curves"));
    EXPECT_TRUE(Button("cmdUse")->isEnabled());
    EXPECT_TRUE(window->ProfileWindow().Plot().HasFittedLine());
    EXPECT_EQ(platform.messages.size(), 4U);
}

// The rows of the lists bind the fit; Use loads the fitted curves beside the
// superelevation, and Ctrl+Z brings the design back.
TEST_F(FitWindowTest, AFitHeldByTheListsIsUsedAndCtrlZBringsTheDesignBack)
{
    TypeOver("txtNVC", "1");
    TypeRow({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"}, {"120", "0", "0", "0", "200"});
    TypeOver("txtNSUP", "1");
    TypeRow({"txtS1", "txtSG1", "txtSG2", "txtSSta1", "txtSSta2"},
            {"-0.02", ".0004", ".0004", "0", "100"});
    const ProfileState before = state;
    Open();
    ChooseGround("station,elevation\n0,110\n100,100\n200,110\n");
    AddRow("tblFixed", "cmdAddFixed", {"0", "110"});
    AddRow("tblWindows", "cmdAddWindow", {"90", "110", "106", "107"});
    RunFit();
    ASSERT_TRUE(fit->Result().has_value()) << fit->ResultText().toStdString();
    EXPECT_TRUE(fit->ResultText().contains("Current design: cut 0.0, fill "));
    EXPECT_NEAR(fit->Result()->pvis.front().elevation, 110, 0.01);
    ProfileState fitted = FittedProfile(*fit->Result());
    fitted.CalcStation = 100;
    CalculateElevation(fitted);
    EXPECT_GE(fitted.CalcElevation, 106 - 1e-3);
    EXPECT_LE(fitted.CalcElevation, 107 + 1e-3);

    QTest::mouseClick(Button("cmdUse"), Qt::LeftButton);
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
    EXPECT_EQ(Text("txtE1").trimmed(), "120");
}

}  // namespace
}  // namespace ravo
