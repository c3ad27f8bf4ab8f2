#include "ui/toolchain/TextFileDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lt {

TextFileDialog::TextFileDialog(const QString& title, const QStringList& lines, const std::vector<ErrorLink>& links,
                               QWidget* parent)
    : QDialog(parent), links_(links) {
    setObjectName("TextFileDialog");
    setWindowTitle(title);
    txtView = new QTextBrowser(this);
    txtView->setObjectName("txtView");
    txtView->setOpenLinks(false);
    txtView->setLineWrapMode(QTextEdit::WidgetWidth);
    txtView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // One paragraph per line, its blanks kept; a linked line is an anchor named by its index.
    QString html = QStringLiteral("<div style=\"white-space: pre-wrap\">");
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i].toHtmlEscaped();
        for (size_t k = 0; k < links_.size(); ++k)
            if (links_[k].errorLine == i) line = QStringLiteral("<a href=\"%1\">%2</a>").arg(k).arg(line);
        html += QStringLiteral("<p style=\"margin: 0\">") + line + QStringLiteral("</p>");
    }
    txtView->setHtml(html + QStringLiteral("</div>"));
    connect(txtView, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        bool ok = false;
        const size_t k = url.toString().toULong(&ok);
        if (!ok || k >= links_.size()) return;
        chosen_ = links_[k];
        accept();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtView);
    layout->addWidget(buttons);
    resize(640, 400);
}

} // namespace lt
