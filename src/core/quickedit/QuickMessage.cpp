#include "quickedit/QuickMessage.h"

namespace lt {

void ClearMessageAttributes(QuickMessage& m) {
    for (int i = 0; i <= kMaxLines; ++i) {
        m.LineRtf[i].clear();
        m.LineFont[i].clear();
        m.LineBlink[i].clear();
        m.LineScroll[i].clear();
        m.LineRepeat[i].clear();
        m.LineScript[i].clear();
    }
    m.ClearScreen.clear();
    m.RelayMode.clear();
    m.StartOtherTask.clear();
    m.StartSameTask.clear();
    m.SendText.clear();
    m.LockBuffer.clear();
    m.WaitTime.clear();
    m.HorizontalScrollMode = false;
    m.VerticalScrollMode = false;
}

void ClearQuickMessage(QuickMessage& m) {
    ClearMessageAttributes(m);
    m.UnlockBuffer.clear();
    m.CenterMode = false;
    m.ScriptOnly = false;
    m.BlockText.clear();
    m.WorkText.clear();
}

} // namespace lt
