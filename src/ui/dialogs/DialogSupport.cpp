#include "ui/dialogs/DialogSupport.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QLayout>
#include <QSlider>
#include <QUrl>
#include <exception>

#include "Session.h"
#include "ui/dialogs/DialogContext.h"

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

void OpenHelpTopic(DialogContext& ctx, int topic) {
    const std::string& dir = ctx.session.run.ProgramDir;
    QString path = QString::fromStdString(ctx.session.run.HelpFilePath.empty() ? dir + "Lumatext7700.hlp"
                                                                               : ctx.session.run.HelpFilePath);
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ctx.session.ui.messageBox(Box("Help topic " + std::to_string(topic) + " cannot be shown: the help file " +
                                      path.toStdString() + " is missing."));
    }
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

QSlider* MakeSpeedSlider(QWidget* parent, const char* name) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(1, 7);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(200);
    return slider;
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
