#include "platform/qt/QtInputCodes.h"

#include <QtCore/qnamespace.h>

namespace windlecroft {

namespace {

// Keys of the numeric keypad, which Windows tells apart from the main block's digits and
// operators. With Num Lock off the keypad sends navigation keys, which keep their usual codes.
std::uint16_t keypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<std::uint16_t>(0x60 + (qtKey - Qt::Key_0)); // VK_NUMPAD0..9
    switch (qtKey) {
    case Qt::Key_Asterisk: return 0x6A; // VK_MULTIPLY
    case Qt::Key_Plus: return 0x6B;     // VK_ADD
    case Qt::Key_Minus: return 0x6D;    // VK_SUBTRACT
    case Qt::Key_Period:
    case Qt::Key_Comma: return 0x6E;    // VK_DECIMAL, whatever character the locale puts on it
    case Qt::Key_Slash: return 0x6F;    // VK_DIVIDE
    default: return 0;
    }
}

// Characters of the main block on the US layout: a shifted character names the key it is on.
std::uint16_t characterKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space: return 0x20;
    case Qt::Key_ParenRight: return 0x30;
    case Qt::Key_Exclam: return 0x31;
    case Qt::Key_At: return 0x32;
    case Qt::Key_NumberSign: return 0x33;
    case Qt::Key_Dollar: return 0x34;
    case Qt::Key_Percent: return 0x35;
    case Qt::Key_AsciiCircum: return 0x36;
    case Qt::Key_Ampersand: return 0x37;
    case Qt::Key_Asterisk: return 0x38;
    case Qt::Key_ParenLeft: return 0x39;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 0xBA; // VK_OEM_1
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 0xBB; // VK_OEM_PLUS
    case Qt::Key_Comma:
    case Qt::Key_Less: return 0xBC; // VK_OEM_COMMA
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 0xBD; // VK_OEM_MINUS
    case Qt::Key_Period:
    case Qt::Key_Greater: return 0xBE; // VK_OEM_PERIOD
    case Qt::Key_Slash:
    case Qt::Key_Question: return 0xBF; // VK_OEM_2
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 0xC0; // VK_OEM_3
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 0xDB; // VK_OEM_4
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 0xDC; // VK_OEM_5
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 0xDD; // VK_OEM_6
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 0xDE; // VK_OEM_7
    default: return 0;
    }
}

std::uint16_t functionKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09; // Shift+Tab is the Tab key with Shift held
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 0x12; // VK_MENU
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Select: return 0x29;
    case Qt::Key_Execute: return 0x2B;
    case Qt::Key_Print:
    case Qt::Key_SysReq: return 0x2C; // VK_SNAPSHOT
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Help: return 0x2F;
    case Qt::Key_Meta: return 0x5B;    // VK_LWIN
    case Qt::Key_Menu: return 0x5D;    // VK_APPS
    case Qt::Key_Sleep: return 0x5F;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    case Qt::Key_Back: return 0xA6;    // VK_BROWSER_BACK
    case Qt::Key_Forward: return 0xA7;
    case Qt::Key_Refresh: return 0xA8;
    case Qt::Key_Stop: return 0xA9;
    case Qt::Key_Search: return 0xAA;
    case Qt::Key_Favorites: return 0xAB;
    case Qt::Key_HomePage: return 0xAC;
    case Qt::Key_VolumeMute: return 0xAD;
    case Qt::Key_VolumeDown: return 0xAE;
    case Qt::Key_VolumeUp: return 0xAF;
    case Qt::Key_MediaNext: return 0xB0;
    case Qt::Key_MediaPrevious: return 0xB1;
    case Qt::Key_MediaStop: return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return 0xB3; // VK_MEDIA_PLAY_PAUSE
    case Qt::Key_LaunchMail: return 0xB4;
    case Qt::Key_LaunchMedia: return 0xB5;
    case Qt::Key_Launch0: return 0xB6;
    case Qt::Key_Launch1: return 0xB7;
    default: return 0;
    }
}

} // namespace

std::uint16_t virtualKeyForQtKey(int qtKey, bool keypad)
{
    if (keypad) {
        if (const std::uint16_t key = keypadKey(qtKey))
            return key;
    }
    // Letters and digits share their codes with Qt (upper-case ASCII); F1..F24 are consecutive in both.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(0x70 + (qtKey - Qt::Key_F1));
    if (const std::uint16_t key = characterKey(qtKey))
        return key;
    return functionKey(qtKey);
}

std::uint16_t mouseKeyState(unsigned buttons, unsigned modifiers)
{
    std::uint16_t state = 0;
    if (buttons & Qt::LeftButton)
        state |= 0x01;
    if (buttons & Qt::RightButton)
        state |= 0x02;
    if (modifiers & Qt::ShiftModifier)
        state |= 0x04;
    if (modifiers & Qt::ControlModifier)
        state |= 0x08;
    if (buttons & Qt::MiddleButton)
        state |= 0x10;
    if (buttons & Qt::BackButton)
        state |= 0x20;
    if (buttons & Qt::ForwardButton)
        state |= 0x40;
    return state;
}

} // namespace windlecroft
