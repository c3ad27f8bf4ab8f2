#include "ui/dialogs/frmVar.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "attributes/BlinkSettings.h"
#include "attributes/VariableFields.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/help/HelpViewer.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/LineRtfCodec.h"

namespace lt {

namespace {

constexpr int kRows = 2;
constexpr int kColumns = 8;

int markVariable(int mark) { return (mark - 1) % 16 + 1; }

} // namespace

frmVar::frmVar(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), line_(ctx.currentLine()) {
    const QuickMessage& m = ctx.session.msg;
    setObjectName(QStringLiteral("frmVar"));
    setWindowTitle("Variable on line " + QString::fromStdString(std::to_string(line_)).prepend(' '));

    Label1 = MakeHeading(this, "Variable");
    optOn = Named(new QRadioButton("On", this), "optOn");
    optOff = Named(new QRadioButton("Off", this), "optOff");
    txtEdit = Named(new LineEditor(this), "txtEdit");
    grdSend = Named(new QTableWidget(kRows, kColumns, this), "grdSend");
    Frame1 = Named(new QGroupBox("Variable status", this), "Frame1");
    optZero = Named(new QRadioButton("Leading zeros", Frame1), "optZero");
    optSpace = Named(new QRadioButton("Leading spaces", Frame1), "optSpace");
    lblStatus = Named(new QLabel(this), "lblStatus");
    lblStatusLine = Named(new QLabel(this), "lblStatusLine");
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdClear = Named(new QPushButton("Clea&r", this), "cmdClear");
    cmdHelp = Named(new QPushButton("&Help", this), "cmdHelp");
    imgGraphic = Named(new QLabel(this), "imgGraphic");
    imgGraphic->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(16, 16));
    imgGraphic->hide();
    cmdOk->setDefault(true);
    optSpace->setChecked(true);

    txtEdit->setLineRtf(m.LineRtf[line_]);
    // The copy is for marking: its characters are selected, never typed over.
    txtEdit->setReadOnly(true);
    txtEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const int lineHeight = txtEdit->fontMetrics().lineSpacing();
    txtEdit->setFixedHeight(txtEdit->blockCount() > 1 ? lineHeight * 5 : lineHeight + 14);
    txtEdit->setMinimumWidth(txtEdit->fontMetrics().horizontalAdvance(QString(22, QLatin1Char('W'))));
    txtEdit->viewport()->setMouseTracking(true);
    txtEdit->viewport()->installEventFilter(this);

    grdSend->horizontalHeader()->hide();
    grdSend->verticalHeader()->hide();
    grdSend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSend->setSelectionMode(QAbstractItemView::SingleSelection);
    const int cellWidth = grdSend->fontMetrics().horizontalAdvance("16V") + 36;
    const int cellHeight = grdSend->fontMetrics().height() + 8;
    for (int r = 0; r < kRows; ++r) {
        grdSend->setRowHeight(r, cellHeight);
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(VariableCellText(VariableOfCell(r, c))));
            item->setTextAlignment(Qt::AlignCenter);
            grdSend->setItem(r, c, item);
        }
    }
    for (int c = 0; c < kColumns; ++c) grdSend->setColumnWidth(c, cellWidth);
    grdSend->setFixedSize(cellWidth * kColumns + 2 * grdSend->frameWidth(), cellHeight * kRows + 2 * grdSend->frameWidth());
    grdSend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdSend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblStatusLine->setWordWrap(true);
    lblStatusLine->setMinimumHeight(lblStatusLine->fontMetrics().lineSpacing() * 3);
    lblStatusLine->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblStatusLine->setFrameShape(QFrame::StyledPanel);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(optOn);
    top->addWidget(optOff);
    auto* fill = new QHBoxLayout(Frame1);
    fill->addWidget(optZero);
    fill->addWidget(optSpace);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp}, cmdClear);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(txtEdit);
    layout->addWidget(grdSend, 0, Qt::AlignHCenter);
    layout->addWidget(Frame1);
    layout->addWidget(lblStatus);
    layout->addWidget(lblStatusLine);
    layout->addLayout(buttons);

    auto* hover = new HoverHelp(this, [this](const QString& control) { showHelp(control); });
    for (QWidget* w : {static_cast<QWidget*>(cmdCancel), static_cast<QWidget*>(cmdClear),
                       static_cast<QWidget*>(cmdHelp), static_cast<QWidget*>(cmdOk), static_cast<QWidget*>(grdSend),
                       static_cast<QWidget*>(optOff), static_cast<QWidget*>(optOn), static_cast<QWidget*>(optSpace),
                       static_cast<QWidget*>(optZero)})
        hover->watch(w);

    connect(grdSend, &QTableWidget::cellDoubleClicked, this,
            [this](int r, int c) { assignVariable(VariableOfCell(r, c)); });
    connect(grdSend, &QTableWidget::currentCellChanged, this,
            [this](int r, int c) { if (r >= 0 && c >= 0) showCellStatus(VariableOfCell(r, c)); });
    connect(optZero, &QRadioButton::clicked, this, [this] { changeFill(true); });
    connect(optSpace, &QRadioButton::clicked, this, [this] { changeFill(false); });
    connect(optOn, &QRadioButton::toggled, this, [this] { applyOnOff(); });
    connect(txtEdit, &QTextEdit::selectionChanged, this, [this] {
        if (txtEdit->textCursor().hasSelection()) lblStatus->setText(kAssignHint);
    });
    connect(cmdClear, &QPushButton::clicked, this, &frmVar::removeAll);
    connect(cmdOk, &QPushButton::clicked, this, &frmVar::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 3100); });

    (CheckMark() ? optOn : optOff)->setChecked(true);
    applyOnOff();
    PrepareDialog(*this, ctx);
}

bool frmVar::CheckMark() {
    const auto marks = lt::CheckMark(txtEdit->lineRtf());
    for (int v = 1; v <= kVariableCount; ++v) {
        QTableWidgetItem* item = grdSend->item((v - 1) / kColumns, (v - 1) % kColumns);
        item->setIcon(marks[v] ? QIcon(imgGraphic->pixmap(Qt::ReturnByValue)) : QIcon());
        item->setData(Qt::UserRole, marks[v]);
    }
    return HasAnyVariable(marks);
}

bool frmVar::cellChecked(int variable) const {
    return grdSend->item((variable - 1) / kColumns, (variable - 1) % kColumns)->data(Qt::UserRole).toBool();
}

void frmVar::assignVariable(int variable) {
    QTextCursor selection = txtEdit->textCursor();
    const std::string varChar = ctx_.session.settings.VarChar;
    const std::string selected = selection.selectedText().toStdString();
    if (!IsPlaceholderSelection(selected, varChar)) {
        if (!selected.empty()) ctx_.session.ui.messageBox(Box(PlaceholderMessage(varChar)));
        return;
    }
    const int start = selection.selectionStart();
    const bool blinking = IsBlinkingMark(txtEdit->markAtPosition(start));
    const int mark = VariableMark(variable, blinking, optZero->isChecked());
    QTextCursor c(txtEdit->document());
    c.setPosition(start);
    c.setPosition(selection.selectionEnd(), QTextCursor::KeepAnchor);
    c.setCharFormat(FormatForMark(mark, txtEdit->baseFormat()));
    CheckMark();
    showCellStatus(variable);
}

void frmVar::changeFill(bool leadingZeros) {
    const int row = grdSend->currentRow(), column = grdSend->currentColumn();
    if (row < 0 || column < 0) return;
    const int variable = VariableOfCell(row, column);
    QTextDocument* doc = txtEdit->document();
    QTextCursor c(doc);
    c.beginEditBlock();
    for (int p = 0; p < doc->characterCount() - 1; ++p) {
        int mark = txtEdit->markAtPosition(p);
        if (!IsVariableMark(mark) || markVariable(mark) != variable) continue;
        c.setPosition(p);
        c.setPosition(p + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(FormatForMark(WithFill(mark, leadingZeros), txtEdit->baseFormat()));
    }
    c.endEditBlock();
    showCellStatus(variable);
}

void frmVar::removeAll() {
    RunGuarded(ctx_, "Unexpected error in module Delete Variable.",
               [this] { txtEdit->setLineRtf(RemoveVariables(txtEdit->lineRtf())); });
    CheckMark();
}

void frmVar::showCellStatus(int variable) {
    // The fill options follow the variable that has the focus in the table.
    QTextDocument* doc = txtEdit->document();
    for (int p = 0; p < doc->characterCount() - 1; ++p) {
        int mark = txtEdit->markAtPosition(p);
        if (IsVariableMark(mark) && markVariable(mark) == variable) {
            (mark > 32 ? optZero : optSpace)->setChecked(true);
            lblStatus->setText(QString::fromStdString(VariableStatus(mark)));
            return;
        }
    }
    lblStatus->clear();
}

void frmVar::applyOnOff() {
    const bool on = optOn->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(txtEdit), static_cast<QWidget*>(grdSend), static_cast<QWidget*>(Frame1),
                       static_cast<QWidget*>(cmdClear)})
        w->setEnabled(on);
}

void frmVar::showHelp(const QString& control) {
    const bool chosen = control == "optOn" ? optOn->isChecked() : optOff->isChecked();
    lblStatusLine->setText(QString::fromStdString(VariableHelpLine(control.toStdString(), chosen)));
}

bool frmVar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtEdit->viewport() && event->type() == QEvent::MouseMove) {
        const int mark = txtEdit->markAtPoint(static_cast<QMouseEvent*>(event)->position().toPoint());
        const std::string status = VariableStatus(mark);
        if (status.empty())
            lblStatusLine->setText(QString::fromStdString(VariableHelpLine("txtEdit", false)));
        else
            lblStatus->setText(QString::fromStdString(status));
    }
    return QDialog::eventFilter(watched, event);
}

void frmVar::ok() {
    if (optOff->isChecked()) removeAll();
    RunGuarded(ctx_, "Unexpected error in module Variable Update.",
               [this] { ctx_.session.msg.LineRtf[line_] = StripEditorHeader(txtEdit->lineRtf()); });
    if (ctx_.showEdit) ctx_.showEdit();
    if (ctx_.updateSimulation) ctx_.updateSimulation();
    accept();
}

} // namespace lt
