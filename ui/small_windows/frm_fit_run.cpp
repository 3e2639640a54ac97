// The Fit Grade Line window at work: the criteria read from its boxes, the
// fit on a worker thread so that the window stays alive, the result shown,
// and the ground chosen from a file.
#include <QCheckBox>
#include <QComboBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "core/ground/ground_read.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "ui/small_windows/frm_fit.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

const QString Title = QStringLiteral("Fit Grade Line");

// Runs on the worker thread, on copies of the ground, criteria and design.
FitOutcome RunFit(const GroundProfile& ground, const FitCriteria& criteria,
                  const ProfileState& design)
{
    FitOutcome outcome;
    try {
        outcome.result = FitGradeLine(ground, criteria);
        outcome.fitted = FittedProfile(*outcome.result);
        outcome.faults = CriteriaFaults(outcome.fitted, criteria);
    } catch (const FitError& e) {
        outcome.result.reset();
        outcome.error = e.what();
        return outcome;
    } catch (const std::exception& e) {
        outcome.result.reset();
        outcome.error = std::string("The grade line could not be fitted: ") + e.what();
        return outcome;
    }
    if (design.NumVC < 1) {
        outcome.designNote = "no vertical curves to compare";
        return outcome;
    }
    try {
        outcome.design = EarthworkOf(design, ground, criteria);
    } catch (const std::exception& e) {
        outcome.designNote = e.what();
    }
    return outcome;
}

QString Volumes(const Earthwork& e)
{
    return QStringLiteral("cut %1, fill %2, cost %3")
        .arg(Text(FixedText(e.cut, 1)), Text(FixedText(e.fill, 1)), Text(FixedText(e.cost, 1)));
}

// A cell or box as a number: empty for a blank text, or a refusal naming it.
struct Reader {
    QString fault;

    std::optional<double> Read(const QString& text, const QString& name, bool station = false)
    {
        if (!fault.isEmpty())
            return std::nullopt;
        try {
            const std::string plain = text.trimmed().toStdString();
            return station ? ParseStation(plain) : ParsePlainNumber(plain);
        } catch (const NotationError&) {
            fault = QStringLiteral("The %1 is not a number: \"%2\".").arg(name, text);
            return std::nullopt;
        }
    }

    double Required(const QLineEdit* box, const QString& name, bool station = false)
    {
        return Read(box->text(), name, station).value_or(0);
    }

    double Optional(const QLineEdit* box, const QString& name)
    {
        return box->text().trimmed().isEmpty() ? 0 : Read(box->text(), name).value_or(0);
    }
};

QString Cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item == nullptr ? QString() : item->text().trimmed();
}

// The rows of a list as numbers; a row left wholly blank is skipped.
std::vector<std::vector<double>> ListRows(const QTableWidget* table, Reader& reader,
                                          const QString& name, int stations)
{
    std::vector<std::vector<double>> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        std::vector<double> values;
        bool blank = true;
        for (int c = 0; c < table->columnCount(); ++c)
            blank = blank && Cell(table, r, c).isEmpty();
        if (blank)
            continue;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString what = QStringLiteral("%1 in row %2 of the %3")
                                     .arg(table->horizontalHeaderItem(c)->text().toLower())
                                     .arg(r + 1)
                                     .arg(name);
            values.push_back(reader.Read(Cell(table, r, c), what, c < stations).value_or(0));
        }
        rows.push_back(values);
    }
    return rows;
}

}  // namespace

void frmFit::SetGround(GroundProfile ground, const QString& name)
{
    ground_ = std::move(ground);
    const std::vector<GroundPoint>& points = ground_->Points();
    QString text = QStringLiteral("%1: %2 points").arg(name).arg(points.size());
    if (!points.empty()) {
        text += QStringLiteral(", %1 to %2")
                    .arg(Text(ShortestText(points.front().station)),
                         Text(ShortestText(points.back().station)));
        txtFrom->setText(Text(ShortestText(points.front().station)));
        txtTo->setText(Text(ShortestText(points.back().station)));
    }
    lblGround->setText(text);
}

void frmFit::FillRange()
{
    if (!txtFrom->text().isEmpty() || !txtTo->text().isEmpty())
        return;
    if (ground_ && !ground_->Empty()) {
        txtFrom->setText(Text(ShortestText(ground_->Points().front().station)));
        txtTo->setText(Text(ShortestText(ground_->Points().back().station)));
    } else if (const std::optional<SegmentRow> first =
                   RowOf(state_, SegmentKind::VerticalCurve, 1)) {
        const SegmentRow last = *RowOf(state_, SegmentKind::VerticalCurve, state_.NumVC);
        txtFrom->setText(Text(ShortestText(first->station1)));
        txtTo->setText(Text(ShortestText(last.station2)));
    }
}

void frmFit::Refuse(const QString& text)
{
    platform_.ShowMessage(this,
                          Message{.text = text, .title = Title, .icon = MessageIcon::Warning});
}

// A ground that cannot be read changes nothing; the message says why.
void frmFit::cmdGround_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(
        this, {FileDialogKind::Open,
               QStringLiteral("Ground Files (*.csv *.txt *.xml)|*.csv *.txt *.xml|All Files "
                              "(*.*)|*.*"),
               1});
    if (!choice)
        return;
    try {
        SetGround(ReadGroundFile(choice->fullPath.toStdString()), choice->fileName);
    } catch (const std::exception& e) {
        Refuse(QStringLiteral("The ground could not be read from %1:\n\n%2")
                   .arg(choice->fileName, Text(e.what())));
    }
}

std::optional<FitCriteria> frmFit::CriteriaFromBoxes()
{
    Reader reader;
    FitCriteria c;
    c.from = reader.Required(txtFrom, QStringLiteral("first station"), true);
    c.to = reader.Required(txtTo, QStringLiteral("last station"), true);
    c.pieceLength = reader.Optional(txtPiece, QStringLiteral("piece length"));
    c.speed = {reader.Required(txtSpeed, QStringLiteral("design speed")),
               cboUnits->currentIndex() == 1 ? LengthUnits::Feet : LengthUnits::Metres};
    c.maxGrade = reader.Required(txtMaxGrade, QStringLiteral("maximum grade"));
    const double most = reader.Optional(txtMaxPvis, QStringLiteral("most PVIs"));
    c.balance = chkBalance->isChecked();
    c.section.width = reader.Required(txtWidth, QStringLiteral("width"));
    c.section.fillSlope = reader.Required(txtFillSlope, QStringLiteral("fill slope"));
    c.section.cutSlope = reader.Required(txtCutSlope, QStringLiteral("cut slope"));
    for (const std::vector<double>& v :
         ListRows(tblFixed, reader, QStringLiteral("fixed points"), 1))
        c.fixedPoints.push_back({v[0], v[1]});
    for (const std::vector<double>& v :
         ListRows(tblWindows, reader, QStringLiteral("elevation windows"), 2))
        c.windows.push_back({v[0], v[1], v[2], v[3]});
    if (reader.fault.isEmpty() && (most < 0 || most != std::floor(most) || most > 1e6))
        reader.fault =
            QStringLiteral("The most PVIs is a whole number of 0 or more; 0 sets no limit.");
    if (!reader.fault.isEmpty()) {
        Refuse(reader.fault);
        return std::nullopt;
    }
    c.maxPvis = static_cast<int>(most);
    return c;
}

void frmFit::cmdFit_Click()
{
    if (Running())
        return;
    if (!ground_) {
        Refuse(
            QStringLiteral("The fit needs the ground under the road: choose a ground file "
                           "first."));
        return;
    }
    const std::optional<FitCriteria> criteria = CriteriaFromBoxes();
    if (!criteria)
        return;
    result_.reset();
    cmdFit->setEnabled(false);
    cmdUse->setEnabled(false);
    txtResult->setPlainText(QStringLiteral("Fitting the grade line..."));
    watcher_->setFuture(QtConcurrent::run(RunFit, *ground_, *criteria, state_));
}

void frmFit::FitFinished()
{
    cmdFit->setEnabled(true);
    ShowOutcome(watcher_->result());
}

void frmFit::ShowOutcome(const FitOutcome& outcome)
{
    if (!outcome.result) {
        txtResult->setPlainText(QStringLiteral("No grade line was fitted.\n") +
                                Text(outcome.error));
        if (hooks_.showFitted)
            hooks_.showFitted(std::nullopt);
        Refuse(Text(outcome.error));
        return;
    }
    const FitResult& r = *outcome.result;
    QStringList lines;
    lines << QStringLiteral("Fitted grade line: %1 PVIs, %2 pieces.")
                 .arg(r.pvis.size())
                 .arg(r.pieces);
    lines << QStringLiteral("Fitted: ") + Volumes(r.fitted);
    lines << QStringLiteral("Optimum of the pieces: ") + Volumes(r.optimum);
    lines << (outcome.design ? QStringLiteral("Current design: ") + Volumes(*outcome.design)
                             : QStringLiteral("Current design: ") + Text(outcome.designNote));
    if (outcome.faults.empty())
        lines << QStringLiteral("The fitted line meets every criterion.");
    for (const std::string& fault : outcome.faults)
        lines << QStringLiteral("Misses: ") + Text(fault);
    for (const std::string& note : r.notes)
        lines << Text(note);
    txtResult->setPlainText(lines.join(QLatin1Char('\n')));
    result_ = r;
    cmdUse->setEnabled(true);
    if (hooks_.showFitted)
        hooks_.showFitted(outcome.fitted);
}

void frmFit::cmdUse_Click()
{
    if (result_ && !Running() && hooks_.use)
        hooks_.use(*result_);
}

}  // namespace ravo
