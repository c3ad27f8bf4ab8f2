#include "ui/toolchain/ToolWaitDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lt {

ToolWaitDialog::ToolWaitDialog(const QString& program, std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent), program_(program) {
    setObjectName("frmToolWait");
    setWindowTitle("Lumatext 7700");
    setWindowModality(Qt::ApplicationModal);
    // The window that waits keeps the focus, and with it its status text.
    setAttribute(Qt::WA_ShowWithoutActivating);
    lblWait = new QLabel(QStringLiteral("Waiting for %1 to finish...").arg(program), this);
    lblWait->setObjectName("lblWait");
    cmdEnd = new QPushButton(QStringLiteral("&End Program"), this);
    cmdEnd->setObjectName("cmdEnd");
    // Only a deliberate click ends the program: keys typed meanwhile cannot press it.
    cmdEnd->setAutoDefault(false);
    cmdEnd->setFocusPolicy(Qt::NoFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEnd);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWait);
    layout->addLayout(buttons);
    connect(cmdEnd, &QPushButton::clicked, this, [this, endProgram] {
        cmdEnd->setEnabled(false);
        lblWait->setText(QStringLiteral("Ending %1...").arg(program_));
        endProgram();
    });
}

} // namespace lt
