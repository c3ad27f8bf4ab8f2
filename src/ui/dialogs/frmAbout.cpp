#include "ui/dialogs/frmAbout.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/UiVersion.h"

namespace lt {

QString ProductName() { return QStringLiteral("Lumatext") + QChar(0x00AE) + QStringLiteral(" 7700"); }

namespace {
QLabel* title(QWidget* parent, int points) {
    auto* label = new QLabel(ProductName(), parent);
    QFont f = label->font();
    f.setPointSize(points);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Lumatext 7700"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->addWidget(title(this, 20));
    auto* version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(ProductVersion()), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* about = new QLabel(QStringLiteral("Editor and programmer for the 7700 series of LED message display units."), this);
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignCenter);
    layout->addWidget(about);
    auto* maker = new QLabel(QString::fromLatin1(kMakerName), this);
    maker->setAlignment(Qt::AlignCenter);
    layout->addWidget(maker);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

frmSplsh::frmSplsh() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplsh"));
    // Dark plate, lit lettering, like the units themselves; set by palette, since a style
    // sheet would cost the start noticeably.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x1b, 0x12, 0x0c));
    colours.setColor(QPalette::WindowText, QColor(0xff, 0x8a, 0x1e));
    setPalette(colours);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 36, 48, 36);
    layout->addWidget(title(this, 26));
    auto* maker = new QLabel(QString::fromLatin1(kMakerName), this);
    maker->setAlignment(Qt::AlignCenter);
    layout->addWidget(maker);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}

QString frmInfo::text() {
    return QString::fromLatin1(kMakerName) + QStringLiteral("\n") + ProductName() +
           QStringLiteral(" is running already. Press Alt-Tab until program name and logo appear.");
}

frmInfo::frmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Lumatext 7700"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text(), this);
    label->setObjectName(QStringLiteral("lblInfo"));
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace lt
