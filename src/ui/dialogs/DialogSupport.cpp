#include "ui/dialogs/DialogSupport.h"

#include <QDialog>
#include <QEvent>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <exception>

#include "Session.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/frmSelect.h"

namespace lt {

void PrepareDialog(QDialog& dialog, DialogContext& ctx) {
    dialog.setModal(true);
    dialog.adjustSize();
    // Wrapped labels: the height that fits the width the dialog really has.
    if (QLayout* layout = dialog.layout(); layout && layout->hasHeightForWidth())
        dialog.resize(dialog.width(), layout->totalHeightForWidth(dialog.width()));
    if (ctx.parent) {
        QRect outer = ctx.parent->frameGeometry();
        dialog.move(outer.center() - dialog.rect().center());
    }
    ctx.session.ui.setBusy(false);
}

std::string UnexpectedErrorText(const std::string& title) {
    return "Unexpected error in module " + title + ". Try to restart the program or Windows operating system.";
}

bool RunGuarded(DialogContext& ctx, const std::string& failureText, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        ctx.session.ui.messageBox(Box(failureText, Buttons::Ok, Icon::Exclamation));
        return false;
    }
}

void AcceptAndRefresh(QDialog& dialog, DialogContext& ctx) {
    dialog.accept();
    if (ctx.showEdit) ctx.showEdit();
    if (ctx.updateSimulation) ctx.updateSimulation();
}

void AskLongMessage(QDialog& dialog, DialogContext& ctx) {
    dialog.hide();
    frmSelect select(ctx);
    select.exec();
}

QSlider* MakeSpeedSlider(QWidget* parent, const char* name) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(1, 7);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(200);
    return slider;
}

QLabel* MakeHeading(QWidget* parent, const char* caption) {
    auto* label = Named(new QLabel(QString::fromLatin1(caption), parent), "Label1");
    QFont heading = label->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    label->setFont(heading);
    return label;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> right, QWidget* left) {
    auto* row = new QHBoxLayout;
    if (left) row->addWidget(left);
    row->addStretch();
    for (QWidget* button : right) row->addWidget(button);
    return row;
}

RepeatOptions MakeRepeatOptions(QWidget* dialog, const char* nonstopCaption, const char* repeatCaption) {
    RepeatOptions o;
    o.frame = Named(new QGroupBox(QStringLiteral("Options"), dialog), "Frame1");
    o.nonstop = Named(new QRadioButton(QString::fromLatin1(nonstopCaption), o.frame), "optNonstop");
    o.repeat = Named(new QRadioButton(QString::fromLatin1(repeatCaption), o.frame), "optRepeat");
    o.count = Named(new QLineEdit(o.frame), "txtRepeat");
    o.count->setMaxLength(3);
    o.count->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), o.count));
    o.count->setFixedWidth(o.count->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    o.times = Named(new QLabel(QStringLiteral("times."), o.frame), "lblRepeat");
    o.lock = Named(new QCheckBox(QStringLiteral("Scroll line completely"), o.frame), "chkLock");
    auto* grid = new QGridLayout(o.frame);
    grid->addWidget(o.nonstop, 0, 0, 1, 3);
    grid->addWidget(o.repeat, 1, 0);
    grid->addWidget(o.count, 1, 1);
    grid->addWidget(o.times, 1, 2);
    grid->addWidget(o.lock, 2, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return o;
}

HoverHelp::HoverHelp(QWidget* dialog, std::function<void(const QString&)> show)
    : QObject(dialog), dialog_(dialog), show_(std::move(show)) {
    dialog_->installEventFilter(this);
}

void HoverHelp::watch(QWidget* control) { control->installEventFilter(this); }

bool HoverHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) show_(watched == dialog_ ? QString() : watched->objectName());
    return false;
}

} // namespace lt
