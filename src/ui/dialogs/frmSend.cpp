#include "ui/dialogs/frmSend.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "attributes/SendText.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/help/HelpViewer.h"

namespace lt {

namespace {

constexpr int kGridRows = 8;
constexpr int kGridColumns = 4;

// The box's text as single bytes, so positions in it are cursor positions.
std::string boxText(const QPlainTextEdit* box) { return box->toPlainText().toLatin1().toStdString(); }

} // namespace

frmSend::frmSend(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), openedText_(ctx.session.msg.SendText) {
    const Settings& settings = ctx.session.settings;
    setObjectName(QStringLiteral("frmSend"));
    setWindowTitle("Send");

    optOff = Named(new QRadioButton("Off", this), "optOff");
    optOn = Named(new QRadioButton("User defined text", this), "optOn");
    optSlave = Named(new QRadioButton("To 7700 Slave (7700 V2 units only)", this), "optSlave");
    lblText = Named(new QLabel("Send message out :", this), "lblText");
    txtSend = Named(new QPlainTextEdit(this), "txtSend");
    QFont courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    courier.setPointSize(12);
    txtSend->setFont(courier);
    txtSend->setFixedHeight(QFontMetrics(courier).lineSpacing() * 4 + 12);
    txtSend->installEventFilter(this);
    txtSend->viewport()->installEventFilter(this);
    lblTable = Named(new QLabel("Control characters selector table (double click to paste):", this), "lblTable");
    grdSend = Named(new QTableWidget(kGridRows, kGridColumns, this), "grdSend");
    grdSend->horizontalHeader()->hide();
    grdSend->verticalHeader()->hide();
    grdSend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSend->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSend->installEventFilter(this);
    const int cellWidth = grdSend->fontMetrics().horizontalAdvance("<NUL>") + 40;
    const int cellHeight = grdSend->fontMetrics().height() + 6;
    for (int c = 0; c < kGridColumns; ++c) {
        grdSend->setColumnWidth(c, cellWidth);
        for (int r = 0; r < kGridRows; ++r) {
            auto* item = new QTableWidgetItem(QString::fromStdString(
                DelimitedName(ControlCodeOfCell(c, r), settings.StartChar, settings.StopChar)));
            item->setTextAlignment(Qt::AlignCenter);
            grdSend->setItem(r, c, item);
        }
    }
    for (int r = 0; r < kGridRows; ++r) grdSend->setRowHeight(r, cellHeight);
    grdSend->setFixedSize(cellWidth * kGridColumns + 2 * grdSend->frameWidth(),
                          cellHeight * kGridRows + 2 * grdSend->frameWidth());
    grdSend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdSend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblSend = Named(new QLabel(this), "lblSend");
    lblSend->setFont(courier);
    lblSend->setFrameShape(QFrame::StyledPanel);
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdClear = Named(new QPushButton("C&lear", this), "cmdClear");
    cmdHelp = Named(new QPushButton("&Help", this), "cmdHelp");
    cmdOk->setDefault(true);

    auto* options = new QVBoxLayout;
    options->addWidget(optOff);
    options->addWidget(optOn);
    options->addWidget(optSlave);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp}, cmdClear);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(lblText);
    layout->addWidget(txtSend);
    layout->addWidget(lblTable);
    layout->addWidget(grdSend, 0, Qt::AlignHCenter);
    layout->addWidget(lblSend);
    layout->addLayout(buttons);

    switch (OpenSend(ctx.session.msg)) {
    case SendChoice::Slave: optSlave->setChecked(true); break;
    case SendChoice::Text:
        optOn->setChecked(true);
        txtSend->setPlainText(QString::fromStdString(
            DecodeSendText(ctx.session.msg.SendText, settings.StartChar, settings.StopChar)));
        break;
    case SendChoice::Off: optOff->setChecked(true); break;
    }

    for (QRadioButton* option : {optOff, optOn, optSlave})
        connect(option, &QRadioButton::toggled, this, &frmSend::applyOption);
    connect(grdSend, &QTableWidget::currentCellChanged, this, [this](int r, int c) {
        if (r < 0 || c < 0) return;
        const int code = ControlCodeOfCell(c, r);
        lblSend->setText(QString::fromStdString(
            DelimitedName(code, ctx_.session.settings.StartChar, ctx_.session.settings.StopChar) +
            ControlDescription(code)));
    });
    connect(grdSend, &QTableWidget::cellDoubleClicked, this, &frmSend::pasteCell);
    connect(cmdClear, &QPushButton::clicked, txtSend, &QPlainTextEdit::clear);
    connect(cmdOk, &QPushButton::clicked, this, &frmSend::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 4100); });
    applyOption();
    PrepareDialog(*this, ctx);
}

void frmSend::applyOption() {
    const bool on = optOn->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(txtSend), static_cast<QWidget*>(grdSend),
                       static_cast<QWidget*>(lblTable), static_cast<QWidget*>(lblSend),
                       static_cast<QWidget*>(cmdClear)})
        w->setEnabled(on);
}

void frmSend::pasteCell(int row, int column) {
    const Settings& settings = ctx_.session.settings;
    QTextCursor c = txtSend->textCursor();
    c.insertText(QString::fromStdString(DelimitedName(ControlCodeOfCell(column, row), settings.StartChar,
                                                      settings.StopChar)));
    if (NeedsLineBreak(boxText(txtSend), c.position())) c.insertText("\n");
    txtSend->setTextCursor(c);
    txtSend->setFocus();
}

bool frmSend::eventFilter(QObject* watched, QEvent* event) {
    const Settings& settings = ctx_.session.settings;
    if (watched == txtSend && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QTextCursor c = txtSend->textCursor();
        // A delimited name is removed whole, by selecting it first.
        if (key->key() == Qt::Key_Backspace && !c.hasSelection() &&
            BackspaceBlocked(boxText(txtSend), c.position(), settings.StartChar, settings.StopChar))
            return true;
    } else if (watched == grdSend && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && grdSend->currentRow() >= 0) {
            pasteCell(grdSend->currentRow(), grdSend->currentColumn());
            return true;
        }
    } else if (watched == txtSend->viewport() && event->type() == QEvent::MouseButtonRelease) {
        QTextCursor c = txtSend->textCursor();
        if (!c.hasSelection()) {
            NameSpan span = NameAtCursor(boxText(txtSend), c.position(), settings.StartChar, settings.StopChar);
            if (span.start >= 0) {
                c.setPosition(span.start);
                c.setPosition(span.end, QTextCursor::KeepAnchor);
                txtSend->setTextCursor(c);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSend::ok() {
    SendChoice choice = optOn->isChecked() ? SendChoice::Text : optSlave->isChecked() ? SendChoice::Slave : SendChoice::Off;
    // The box's line breaks are carriage return and line feed pairs, as the text was typed.
    const std::string text = txtSend->toPlainText().replace("\n", "\r\n").toLatin1().toStdString();
    const Settings& settings = ctx_.session.settings;
    SendResult result;
    if (!RunGuarded(ctx_, UnexpectedErrorText("Send Message"), [&] {
            result = ApplySend(ctx_.session.msg, choice, text, settings.StartChar, settings.StopChar);
        }))
        return;
    sendCaption_ = result.caption;
    if (!result.close) {
        // The refused text emptied the message's send text: the main window says so.
        if (ctx_.showEdit) ctx_.showEdit();
        return;
    }
    AcceptAndRefresh(*this, ctx_);
}

void frmSend::reject() {
    if (ctx_.session.msg.SendText != openedText_) {
        ctx_.session.msg.SendText = openedText_;
        if (ctx_.showEdit) ctx_.showEdit();
    }
    QDialog::reject();
}

} // namespace lt
