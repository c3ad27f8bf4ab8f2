#include "ui/widgets/ScriptHighlighter.h"

#include <QTextBlock>
#include <QTextLayout>

namespace lt {

namespace {
constexpr int kKindProperty = QTextFormat::UserProperty + 40;

QTextCharFormat Format(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold) f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    return f;
}
} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      header_(Format(QColor(0x00, 0x00, 0x80), true)),
      label_(Format(QColor(0x80, 0x00, 0x80), true)),
      keyword_(Format(QColor(0x00, 0x00, 0xC0), true)),
      call_(Format(QColor(0x00, 0x60, 0x90))),
      string_(Format(QColor(0xA0, 0x30, 0x00))),
      number_(Format(QColor(0x00, 0x70, 0x00))),
      comment_(Format(QColor(0x60, 0x60, 0x60), false, true)),
      directive_(Format(QColor(0x70, 0x50, 0x00))),
      keywords_(QStringLiteral("\\b(CALL|PRINT|USING|LET|VAR|CLS|EOT|GOTO|IF|THEN|ELSE|END|SUB|DO|LOOP|FOR|NEXT|TO)\\b"),
                QRegularExpression::CaseInsensitiveOption),
      calls_(QStringLiteral("\\b(BLINK|CURSOR|DROP_SCRIPT|ERASE_TO_EOL|FONT_SET|GOTO_SCRIPT|LOCK_BUFFER|OUTPUT_DEVICE|"
                            "RELAY|SCROLL\\w*|START_SCRIPT|WAIT|CURRENT|ON|OFF|HOST|SERIAL|DISPLAY)\\b"),
             QRegularExpression::CaseInsensitiveOption),
      numbers_(QStringLiteral("(?<![\\w])-?\\d+\\b")) {}

void ScriptHighlighter::mark(int start, int length, const QTextCharFormat& format, const char* kind) {
    QTextCharFormat f = format;
    f.setProperty(kKindProperty, QString::fromLatin1(kind));
    setFormat(start, length, f);
}

void ScriptHighlighter::highlightBlock(const QString& text) {
    // Quoted texts and the start of a comment, with "\"" as a quote inside a text.
    int commentAt = -1;
    QList<QPair<int, int>> strings;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            int j = i + 1;
            while (j < text.size() && text.at(j) != QLatin1Char('"')) j += text.at(j) == QLatin1Char('\\') ? 2 : 1;
            strings.append({i, qMin(j, int(text.size()) - 1) - i + 1});
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('/')) {
            commentAt = i;
            break;
        }
    }
    const int codeEnd = commentAt < 0 ? int(text.size()) : commentAt;
    const QString code = text.left(codeEnd);
    auto inString = [&](int pos) {
        for (const auto& s : strings)
            if (pos >= s.first && pos < s.first + s.second) return true;
        return false;
    };
    if (code.startsWith(QLatin1Char('#'))) {
        mark(0, codeEnd, directive_, "directive");
    } else if (code.startsWith(QStringLiteral("SUB ")) || code.startsWith(QStringLiteral("END SUB"))) {
        mark(0, codeEnd, header_, "header");
    } else if (QRegularExpression(QStringLiteral("^\\w+:")).match(code).hasMatch()) {
        mark(0, code.indexOf(QLatin1Char(':')) + 1, label_, "label");
    } else {
        for (const auto& [re, format, kind] :
             {std::tuple{&numbers_, &number_, "number"}, {&calls_, &call_, "call"}, {&keywords_, &keyword_, "keyword"}}) {
            for (auto it = re->globalMatch(code); it.hasNext();) {
                auto m = it.next();
                if (!inString(int(m.capturedStart()))) mark(int(m.capturedStart()), int(m.capturedLength()), *format, kind);
            }
        }
        for (const auto& s : strings) mark(s.first, s.second, string_, "string");
    }
    if (commentAt >= 0) mark(commentAt, int(text.size()) - commentAt, comment_, "comment");
}

QString ScriptHighlighter::kindAt(const QTextBlock& block, int column) {
    const QTextLayout* layout = block.layout();
    if (!layout) return QString();
    for (const QTextLayout::FormatRange& r : layout->formats())
        if (column >= r.start && column < r.start + r.length) return r.format.property(kKindProperty).toString();
    return QString();
}

} // namespace lt
