#include "ui/dialogs/frmSelect.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/dialogs/frmScroll.h"
#include "ui/dialogs/frmWait.h"

namespace lt {

frmSelect::frmSelect(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), line_(ctx.currentLine()) {
    situation_ = LongMessageSituation(ctx.session.msg, line_);
    const LongMessageTexts texts = LongMessageText(situation_);
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle("Select");

    lblPrompt = Named(new QLabel(QString::fromStdString(texts.prompt), this), "lblPrompt");
    lblPrompt->setWordWrap(true);
    QFont bold = lblPrompt->font();
    bold.setBold(true);
    lblPrompt->setFont(bold);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);
    static const char* const kOptionNames[4] = {"optSelect0", "optSelect1", "optSelect2", "optSelect3"};
    static const char* const kLabelNames[4] = {"lblSelect0", "lblSelect1", "lblSelect2", "lblSelect3"};
    for (int i = 0; i < 4; ++i) {
        optSelect[i] = Named(new QRadioButton(this), kOptionNames[i]);
        lblSelect[i] = Named(new QLabel(QString::fromStdString(texts.options[i]), this), kLabelNames[i]);
        lblSelect[i]->setWordWrap(true);
        lblSelect[i]->setBuddy(optSelect[i]);
        grid->addWidget(optSelect[i], i, 0, Qt::AlignTop);
        grid->addWidget(lblSelect[i], i, 1);
    }
    optSelect[3]->setVisible(texts.showThird);
    lblSelect[3]->setVisible(texts.showThird);
    optSelect[0]->setChecked(true);
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdOk->setDefault(true);

    auto* buttons = ButtonRow({cmdOk, cmdCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // Wrapped labels take their height from the width the dialog will have.
    setMinimumWidth(560);

    connect(cmdOk, &QPushButton::clicked, this, &frmSelect::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    PrepareDialog(*this, ctx);
}

void frmSelect::ok() {
    int option = 0;
    for (int i = 0; i < 4; ++i)
        if (optSelect[i]->isChecked() && optSelect[i]->isVisibleTo(this)) option = i;
    LongMessageResult result;
    RunGuarded(ctx_, UnexpectedErrorText("Select"),
               [&] { result = ApplyLongMessage(ctx_.session.msg, line_, option); });
    if (result.newCurrentLine && ctx_.setCurrentLine) ctx_.setCurrentLine(result.newCurrentLine);
    accept();
    if (result.followUp == FollowUp::HorizontalScroll) {
        frmScroll scroll(ctx_);
        scroll.exec();
    } else if (result.followUp == FollowUp::VerticalScroll) {
        frmWait wait(ctx_);
        wait.exec();
    }
}

} // namespace lt
