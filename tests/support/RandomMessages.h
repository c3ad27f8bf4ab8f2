// Seeded random Quick Edit messages of every attribute kind, for the round-trip property
// and for the check that everything the generator writes compiles.
#pragma once

#include <random>
#include <string>

#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"
#include "quickedit/RichText.h"

namespace lt::test {

struct Rng {
    std::mt19937 engine;
    explicit Rng(unsigned seed) : engine(seed) {}
    int upTo(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
    bool chance(int percent) { return upTo(1, 100) <= percent; }
};

inline std::string randomText(Rng& r, int length, bool firstNonBlank) {
    std::string text;
    for (int k = 0; k < length; ++k) {
        char c = r.chance(15) ? ' ' : static_cast<char>(r.upTo(33, 126));
        if (k == 0 && firstNonBlank && c == ' ') c = 'Q';
        text.push_back(c);
    }
    return text;
}

// One paragraph of runs; returns its plain length.
inline int randomParagraph(Rng& r, std::string& rtf, int maxLength, bool& hasBlink) {
    int runs = r.upTo(1, 4);
    int length = 0;
    for (int k = 0; k < runs && length < maxLength; ++k) {
        int kind = r.upTo(0, 9);
        if (kind <= 2) { // variable field
            int v = r.upTo(1, 16);
            int fill = r.upTo(0, 3);
            int mark = v + 16 * fill;
            std::string picture;
            if (r.chance(40)) {
                int whole = r.upTo(0, 5), decimals = r.upTo(whole == 0 ? 1 : 0, 4);
                picture = std::string(whole, '^') + "." + std::string(decimals, '^');
            } else {
                picture = std::string(r.upTo(1, 8), '^');
            }
            if (IsBlinkingMark(mark)) hasBlink = true;
            rtf += "\\f" + std::to_string(mark) + " \\cf4 " + picture;
            length += static_cast<int>(picture.size());
        } else {
            bool blink = kind >= 7;
            if (blink) hasBlink = true;
            std::string text = randomText(r, r.upTo(1, 8), length == 0);
            rtf += (blink ? "\\f65 \\cf0 " : "\\f0 \\cf0 ") + EscapeRich(text);
            length += static_cast<int>(text.size());
        }
    }
    return length;
}

inline QuickMessage randomMessage(Rng& r) {
    QuickMessage m;
    m.LineCount = r.chance(50) ? 2 : 4;
    m.CurrentMessage = r.upTo(0, 1023);
    m.MessageTask[m.CurrentMessage] = r.upTo(0, 3);
    if (r.chance(30)) m.ClearScreen = "CLS";
    const char* relays[] = {"", "ON", "OFF"};
    m.RelayMode = relays[r.upTo(0, 2)];
    auto startList = [&] {
        std::string list;
        int n = r.chance(60) ? 0 : r.upTo(1, 4);
        for (int k = 0; k < n; ++k) list += (k ? "," : "") + std::to_string(r.upTo(0, 1023));
        return list;
    };
    m.StartOtherTask = startList();
    m.StartSameTask = startList();
    int send = r.upTo(0, 9);
    if (send == 0) m.SendText = "HOST";
    if (send == 1) {
        m.SendText = randomText(r, r.upTo(1, 20), true);
        for (char& c : m.SendText)
            if (c == '"') c = '\'';
        m.SendText = TrimRight(m.SendText) + (r.chance(30) ? "  " : "");
        if (Trim(m.SendText).empty() || m.SendText == "HOST") m.SendText = "OUT";
    }
    if (r.chance(20)) m.LockBuffer = "ON";
    // At most one line scrolls or repeats.
    int animated = r.chance(50) ? r.upTo(1, m.LineCount) : 0;
    int animation = r.upTo(0, 2); // 0 continuous scroll, 1 horizontal blocks, 2 vertical blocks
    const char* fonts[] = {"", "", "ENGLISH", "KATAKANA", "SLAVIC", "CYRILLIC"};
    for (int i = 1; i <= m.LineCount; ++i) {
        if (r.chance(15)) continue; // an empty line, whatever its attributes
        m.LineFont[i] = fonts[r.upTo(0, 5)];
        std::string rtf = "\\sb90\\sa90 ";
        bool hasBlink = false;
        if (i == animated && animation > 0) {
            int paragraphs = r.upTo(1, 4);
            bool state = false;
            for (int p = 0; p < paragraphs; ++p) {
                if (p) rtf += "\\par\r\n";
                bool centred = r.chance(40);
                if (centred && (!state || r.chance(30))) rtf += "\\qc ";
                if (!centred && state) rtf += "\\ql ";
                state = centred;
                randomParagraph(r, rtf, r.chance(20) ? 30 : 19, hasBlink);
            }
            if (r.chance(20)) rtf += "\\par\r\n";
            m.LineRepeat[i] = std::to_string(r.upTo(0, 3)) + "," + std::to_string(r.upTo(0, 5));
            m.WaitTime = std::to_string(r.upTo(1, 99));
            m.HorizontalScrollMode = animation == 1;
            m.VerticalScrollMode = animation == 2;
        } else {
            bool scroll = i == animated;
            bool centred = !scroll && r.chance(40);
            if (centred) rtf += "\\qc ";
            randomParagraph(r, rtf, scroll ? 60 : (r.chance(20) ? 25 : 19), hasBlink);
            if (scroll) m.LineScroll[i] = std::to_string(r.upTo(1, 20)) + "," + std::to_string(r.upTo(0, 3));
        }
        if (r.chance(50)) rtf += "\\f0 ";
        m.LineRtf[i] = rtf;
        if (hasBlink) m.LineBlink[i] = r.chance(50) ? "25,ON" : "100,1";
        else if (r.chance(10)) m.LineBlink[i] = "25,ON"; // stale: no blinking text left
    }
    if (r.chance(10)) m.WaitTime = "7"; // a pause without a repeating line is not written
    return m;
}

} // namespace lt::test
