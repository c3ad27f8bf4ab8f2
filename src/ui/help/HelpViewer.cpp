#include "ui/help/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>

namespace lt {

namespace {

QString Anchor(int context) { return QStringLiteral("ctx%1").arg(context); }

QString PlainText(const QString& html) { return QTextDocumentFragment::fromHtml(html).toPlainText(); }

} // namespace

HelpViewer::HelpViewer(const QString& helpFile, QWidget* parent) : QWidget(parent, Qt::Window), file_(helpFile) {
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Lumatext 7700 Help"));
    auto* contentsButton = new QPushButton(QStringLiteral("&Contents"), this);
    backButton = new QPushButton(QStringLiteral("&Back"), this);
    forwardButton = new QPushButton(QStringLiteral("&Forward"), this);
    searchBox = new QLineEdit(this);
    searchBox->setObjectName(QStringLiteral("searchBox"));
    searchBox->setPlaceholderText(QStringLiteral("Search for..."));
    auto* findButton = new QPushButton(QStringLiteral("&Search"), this);
    contents = new QListWidget(this);
    contents->setObjectName(QStringLiteral("contents"));
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(contentsButton);
    bar->addWidget(backButton);
    bar->addWidget(forwardButton);
    bar->addSpacing(16);
    bar->addWidget(searchBox, 1);
    bar->addWidget(findButton);
    auto* split = new QSplitter(this);
    split->addWidget(contents);
    split->addWidget(browser);
    split->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    resize(860, 600);

    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QWidget::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QWidget::setEnabled);
    connect(backButton, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(contentsButton, &QPushButton::clicked, this, [this] {
        listTopics(order_);
        showTopic(kHelpContentsTopic);
    });
    connect(findButton, &QPushButton::clicked, this, [this] { search(searchBox->text()); });
    connect(searchBox, &QLineEdit::returnPressed, this, [this] { search(searchBox->text()); });
    connect(contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toInt()); });
    connect(contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toInt()); });
}

void HelpViewer::setHelpFile(const QString& helpFile) {
    if (helpFile == file_) return;
    file_ = helpFile;
    loaded_ = false;
    titles_.clear();
    texts_.clear();
    order_.clear();
    browser->clearHistory();
}

void HelpViewer::load() {
    if (loaded_) return;
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly)) {
        browser->setPlainText(QStringLiteral("The help file ") + QDir::toNativeSeparators(file_) +
                              QStringLiteral(" could not be opened. Reinstall the program to get it back."));
        return;
    }
    const QString html = QString::fromUtf8(f.readAll());
    loaded_ = true;
    // Each topic starts at its anchor and runs to the next one.
    static const QRegularExpression topicStart(QStringLiteral("<a name=\"ctx(\\d+)\"></a>\\s*<h[12][^>]*>(.*?)</h[12]>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    QList<QPair<int, qsizetype>> starts;
    for (auto it = topicStart.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        const int n = m.captured(1).toInt();
        titles_.insert(n, PlainText(m.captured(2)).simplified());
        starts.append({n, m.capturedStart()});
        order_.append(n);
    }
    for (int i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1].second : html.size();
        texts_.insert(starts[i].first, PlainText(html.mid(starts[i].second, end - starts[i].second)));
    }
    browser->setSource(QUrl::fromLocalFile(file_));
    listTopics(order_);
}

void HelpViewer::listTopics(const QList<int>& numbers) {
    contents->clear();
    // The order of the help file, not of the numbers.
    QList<int> ordered = numbers;
    std::sort(ordered.begin(), ordered.end(), [this](int a, int b) { return order_.indexOf(a) < order_.indexOf(b); });
    for (int n : ordered) {
        auto* item = new QListWidgetItem(titles_.value(n), contents);
        item->setData(Qt::UserRole, n);
    }
}

void HelpViewer::showTopic(int context) {
    load();
    if (!loaded_) {
        show();
        return;
    }
    if (!titles_.contains(context)) context = kHelpContentsTopic;
    QUrl url = QUrl::fromLocalFile(file_);
    url.setFragment(Anchor(context));
    browser->setSource(url);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showSearch() {
    showTopic(kHelpContentsTopic);
    searchBox->setFocus();
    searchBox->selectAll();
}

void HelpViewer::search(const QString& word) {
    load();
    const QString w = word.trimmed();
    if (w.isEmpty()) {
        listTopics(order_);
        return;
    }
    QList<int> hits;
    for (int n : order_)
        if (texts_.value(n).contains(w, Qt::CaseInsensitive)) hits.append(n);
    listTopics(hits);
    if (hits.isEmpty()) {
        new QListWidgetItem(QStringLiteral("No topic contains \"") + w + QStringLiteral("\"."), contents);
        return;
    }
    showTopic(hits.first());
    QTextCursor from = browser->textCursor();
    QTextCursor found = browser->document()->find(w, from);
    if (found.isNull()) found = browser->document()->find(w);
    if (!found.isNull()) browser->setTextCursor(found);
}

int HelpViewer::currentTopic() const {
    const QString fragment = browser->source().fragment();
    if (!fragment.startsWith(QStringLiteral("ctx"))) return loaded_ ? kHelpContentsTopic : 0;
    return fragment.mid(3).toInt();
}

void ShowHelp(QWidget* from, int context) {
    HelpViewer* main = nullptr;
    for (QWidget* w = from; w && !main; w = w->parentWidget())
        if (auto* host = dynamic_cast<HelpHost*>(w)) main = host->helpViewer();
    QWidget* top = from ? from->window() : nullptr;
    const bool modal = top && top->isModal();
    if (main && !modal) {
        main->showTopic(context);
        return;
    }
    // A modal dialog blocks every other window: its help gets a viewer of its own, closed
    // with the dialog at the latest.
    const QString file = main ? main->helpFile()
                              : QCoreApplication::applicationDirPath() + QStringLiteral("/Lumatext7700.hlp");
    if (top) {
        if (auto* own = top->findChild<HelpViewer*>(QStringLiteral("dialogHelpViewer"), Qt::FindDirectChildrenOnly)) {
            own->showTopic(context);
            return;
        }
    }
    auto* viewer = new HelpViewer(file, top);
    viewer->setObjectName(QStringLiteral("dialogHelpViewer"));
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->showTopic(context);
}

} // namespace lt
