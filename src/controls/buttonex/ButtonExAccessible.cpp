// What a screen reader hears of a button: its caption, that it is a push button,
// its state as drawn, its access key, and "Press", which clicks it as its access
// key does.
#include <oleacc.h>

#include "controls/buttonex/ButtonEx.h"
#include "resource.h"
#include "ui/Language.h"

namespace buttonex {

ui::AccessibleFacts ButtonEx::DescribeForReaders() const {
    ui::AccessibleFacts facts;
    facts.name = layout::MeasuredCaption(m_Caption);
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    long state = m_Enabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (IsCreated() && GetFocus() == hWnd()) state |= STATE_SYSTEM_FOCUSED;
    if (m_State == Down) state |= STATE_SYSTEM_PRESSED;
    if (container_.AmbientDisplayAsDefault(*this)) state |= STATE_SYSTEM_DEFAULT;
    facts.state = state;
    facts.shortcut = ui::AccessKeyShortcut(accessKey_);
    facts.defaultAction = ui::Text(IDS_ACTION_PRESS);
    return facts;
}

void ButtonEx::PressForReader() {
    // As the access key: only a button a person could press.
    if (!IsCreated() || !m_Enabled || !IsWindowVisible(hWnd())) return;
    const wchar_t key = accessKey_.size() == 1 ? accessKey_[0] : L'\0';
    OnAccessKeyPress(static_cast<int16_t>(key));
}

}  // namespace buttonex
