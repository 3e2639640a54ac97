// The Fit Grade Line window's controls and their layout; the fit itself is
// in frm_fit_run.cpp.
#include "ui/small_windows/frm_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ravo {
namespace {

QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QTableWidget* List(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* table = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(columns);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setVisible(false);
    table->setMinimumHeight(90);
    return table;
}

// A list with Add and Remove beneath it; Add gives an empty row to type into.
QWidget* ListWithButtons(QWidget* parent, QTableWidget* table, const char* add, const char* remove)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    auto* buttons = new QHBoxLayout;
    QPushButton* cmdAdd = Button(box, add, QStringLiteral("Add"));
    QPushButton* cmdRemove = Button(box, remove, QStringLiteral("Remove"));
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdRemove);
    buttons->addStretch();
    layout->addLayout(buttons);
    QObject::connect(cmdAdd, &QPushButton::clicked, table, [table] {
        table->insertRow(table->rowCount());
        table->setCurrentCell(table->rowCount() - 1, 0);
    });
    QObject::connect(cmdRemove, &QPushButton::clicked, table, [table] {
        const int row = table->currentRow() >= 0 ? table->currentRow() : table->rowCount() - 1;
        if (row >= 0)
            table->removeRow(row);
    });
    return box;
}

}  // namespace

frmFit::frmFit(const ProfileState& state, Platform& platform, FitHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("frmFit"));
    setWindowTitle(QStringLiteral("Fit Grade Line"));
    auto* layout = new QVBoxLayout(this);
    BuildCriteria();
    BuildLists();
    BuildButtons();
    watcher_ = new QFutureWatcher<FitOutcome>(this);
    connect(watcher_, &QFutureWatcher<FitOutcome>::finished, this, &frmFit::FitFinished);
    (void)layout;
}

frmFit::~frmFit() = default;

void frmFit::BuildCriteria()
{
    auto* grid = new QGridLayout;
    lblGround = new QLabel(QStringLiteral("No ground"), this);
    lblGround->setObjectName(QStringLiteral("lblGround"));
    cmdGround = Button(this, "cmdGround", QStringLiteral("&Ground file..."));
    txtFrom = NumberBox(this, "txtFrom");
    txtTo = NumberBox(this, "txtTo");
    txtPiece = NumberBox(this, "txtPiece");
    txtPiece->setPlaceholderText(QStringLiteral("20 m or 50 ft"));
    txtSpeed = NumberBox(this, "txtSpeed", QStringLiteral("80"));
    cboUnits = new QComboBox(this);
    cboUnits->setObjectName(QStringLiteral("cboUnits"));
    cboUnits->addItems({QStringLiteral("km/h, metres"), QStringLiteral("mph, feet")});
    txtMaxGrade = NumberBox(this, "txtMaxGrade", QStringLiteral("6"));
    txtMaxPvis = NumberBox(this, "txtMaxPvis", QStringLiteral("0"));
    txtMaxPvis->setToolTip(QStringLiteral("Most grade breaks between the ends; 0: no limit"));
    chkBalance = new QCheckBox(QStringLiteral("&Balance cut and fill"), this);
    chkBalance->setObjectName(QStringLiteral("chkBalance"));
    txtWidth = NumberBox(this, "txtWidth", QStringLiteral("10"));
    txtFillSlope = NumberBox(this, "txtFillSlope", QStringLiteral("2"));
    txtCutSlope = NumberBox(this, "txtCutSlope", QStringLiteral("2"));

    const auto row = [grid, this](int at, const QString& caption, QWidget* a, QWidget* b) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(a);
        grid->addWidget(label, at, 0);
        grid->addWidget(a, at, 1);
        if (b != nullptr)
            grid->addWidget(b, at, 2);
    };
    grid->addWidget(cmdGround, 0, 0);
    grid->addWidget(lblGround, 0, 1, 1, 2);
    row(1, QStringLiteral("S&tations from, to"), txtFrom, txtTo);
    row(2, QStringLiteral("&Piece length"), txtPiece, nullptr);
    row(3, QStringLiteral("Design &speed"), txtSpeed, cboUnits);
    row(4, QStringLiteral("&Maximum grade %"), txtMaxGrade, nullptr);
    row(5, QStringLiteral("Most P&VIs"), txtMaxPvis, chkBalance);
    row(6, QStringLiteral("&Width, fill slope 1:n"), txtWidth, txtFillSlope);
    row(7, QStringLiteral("&Cut slope 1:n"), txtCutSlope, nullptr);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
    connect(cmdGround, &QPushButton::clicked, this, &frmFit::cmdGround_Click);
}

void frmFit::BuildLists()
{
    tblFixed = List(this, "tblFixed", {QStringLiteral("Station"), QStringLiteral("Elevation")});
    tblWindows = List(this, "tblWindows",
                      {QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Lowest"),
                       QStringLiteral("Highest")});
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Fixed points"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Elevation windows"), this), 0, 1);
    lists->addWidget(ListWithButtons(this, tblFixed, "cmdAddFixed", "cmdRemoveFixed"), 1, 0);
    lists->addWidget(ListWithButtons(this, tblWindows, "cmdAddWindow", "cmdRemoveWindow"), 1, 1);
    lists->setColumnStretch(1, 2);
    static_cast<QVBoxLayout*>(layout())->addLayout(lists);
}

void frmFit::BuildButtons()
{
    txtResult = new QPlainTextEdit(this);
    txtResult->setObjectName(QStringLiteral("txtResult"));
    txtResult->setReadOnly(true);
    txtResult->setMinimumHeight(110);
    cmdFit = Button(this, "cmdFit", QStringLiteral("&Fit"));
    cmdUse = Button(this, "cmdUse", QStringLiteral("&Use"));
    cmdUse->setEnabled(false);
    cmdUse->setToolTip(QStringLiteral("Load the fitted profile; Reset > Undo goes back"));
    cmdClose = Button(this, "cmdClose", QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdFit);
    buttons->addWidget(cmdUse);
    buttons->addWidget(cmdClose);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(txtResult);
    layout->addLayout(buttons);
    connect(cmdFit, &QPushButton::clicked, this, &frmFit::cmdFit_Click);
    connect(cmdUse, &QPushButton::clicked, this, &frmFit::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
}

void frmFit::SetProfileUnit(LengthUnits units)
{
    cboUnits->setCurrentIndex(units == LengthUnits::Feet ? 1 : 0);
}

bool frmFit::Running() const { return watcher_->isRunning(); }

QString frmFit::ResultText() const { return txtResult->toPlainText(); }

}  // namespace ravo
