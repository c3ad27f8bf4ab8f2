#include "ui/widgets/LineRtfCodec.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <cctype>

namespace lt {

QTextCharFormat FormatForMark(int mark, const QTextCharFormat& base) {
    QTextCharFormat f = base;
    f.setProperty(kMarkProperty, mark);
    f.setForeground(IsVariableMark(mark) ? QColor(200, 0, 0) : QColor(Qt::black));
    if (IsBlinkingMark(mark)) {
        f.setBackground(QColor(255, 214, 102));
        f.setFontWeight(QFont::Bold);
    } else {
        f.clearBackground();
        f.setFontWeight(QFont::Normal);
    }
    return f;
}

int MarkOf(const QTextCharFormat& format) {
    return format.hasProperty(kMarkProperty) ? format.intProperty(kMarkProperty) : 0;
}

void LoadLineRtf(QTextDocument& document, const std::string& rtf, const QTextCharFormat& base) {
    document.clear();
    QTextCursor cursor(&document);
    int mark = 0;
    bool centred = false;
    QString pending;
    auto flush = [&] {
        if (pending.isEmpty()) return;
        cursor.insertText(pending, FormatForMark(mark, base));
        pending.clear();
    };
    auto applyAlignment = [&] {
        QTextBlockFormat bf = cursor.blockFormat();
        bf.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
        cursor.setBlockFormat(bf);
    };
    applyAlignment();
    for (size_t i = 0; i < rtf.size();) {
        char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size() && rtf[i + 1] == '\\') {
            pending += QLatin1Char('\\');
            i += 2;
            continue;
        }
        if (c == '\\') {
            size_t j = i + 1;
            std::string word;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) word += rtf[j++];
            std::string number;
            if (j < rtf.size() && rtf[j] == '-') number += rtf[j++];
            while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) number += rtf[j++];
            if (j < rtf.size() && rtf[j] == ' ') ++j;
            i = j;
            if (word == "f" && !number.empty() && number != "-") {
                flush();
                int n = std::atoi(number.c_str());
                mark = n >= 0 && n <= 65 ? n : 0;
            } else if (word == "qc" || word == "ql") {
                flush();
                centred = word == "qc";
                applyAlignment();
            } else if (word == "par") {
                flush();
                cursor.insertBlock();
                applyAlignment();
            }
            continue;
        }
        ++i;
        auto u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127) continue; // line breaks after "\par" and other control characters
        pending += QChar::fromLatin1(c);
    }
    flush();
}

std::string SaveLineRtf(const QTextDocument& document) {
    return SaveLineRtf(document, 0, document.characterCount() - 1);
}

std::string SaveLineRtf(const QTextDocument& document, int from, int to) {
    std::string out = "\\sb90\\sa90 ";
    bool centredState = false;
    bool firstBlock = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        int blockStart = block.position();
        int blockEnd = blockStart + block.length() - 1; // without the paragraph separator
        if (blockEnd < from || blockStart > to) continue;
        if (!firstBlock) out += "\\par\r\n";
        firstBlock = false;
        bool centred = block.blockFormat().alignment() & Qt::AlignHCenter;
        if (centred && !centredState) out += "\\qc ";
        if (!centred && centredState) out += "\\ql ";
        centredState = centred;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            int fStart = std::max(fragment.position(), from);
            int fEnd = std::min(fragment.position() + fragment.length(), to);
            if (fEnd <= fStart) continue;
            QString text = fragment.text().mid(fStart - fragment.position(), fEnd - fStart);
            int mark = MarkOf(fragment.charFormat());
            out += "\\f" + std::to_string(mark) + (IsVariableMark(mark) ? " \\cf4 " : " \\cf0 ");
            for (QChar ch : text) {
                ushort u = ch.unicode();
                if (u == '\\') out += "\\\\";
                else if (u >= 32 && u < 256 && u != 127) out += static_cast<char>(u);
            }
        }
    }
    return out;
}

} // namespace lt
