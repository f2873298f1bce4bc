#include "platform/qt/QtInputCodes.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(QtInputCodes, LettersDigitsAndFunctionKeysKeepTheirWindowsNumbers)
{
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_A, false), 0x41);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Z, false), 0x5A);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_0, false), 0x30);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_9, false), 0x39);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_F1, false), 0x70);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_F12, false), 0x7B);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_F24, false), 0x87);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Space, false), 0x20);
}

TEST(QtInputCodes, ControlAndNavigationKeys)
{
    const std::pair<int, int> keys[] = {
        {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},  {Qt::Key_Escape, 0x1B}, {Qt::Key_Tab, 0x09},
        {Qt::Key_Backtab, 0x09}, {Qt::Key_Backspace, 0x08}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},  {Qt::Key_Down, 0x28},   {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
        {Qt::Key_Home, 0x24},   {Qt::Key_End, 0x23},    {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
        {Qt::Key_Shift, 0x10},  {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},  {Qt::Key_Pause, 0x13},
        {Qt::Key_MediaTogglePlayPause, 0xB3}, {Qt::Key_MediaNext, 0xB0}, {Qt::Key_VolumeUp, 0xAF},
    };
    for (auto [qt, vk] : keys)
        EXPECT_EQ(virtualKeyForQtKey(qt, false), vk) << std::hex << qt;
}

// Windows names keys, not characters: '!' is the '1' key and '?' the '/' key on the US layout.
TEST(QtInputCodes, ShiftedAndUnshiftedPunctuationShareTheirKey)
{
    const std::pair<int, int> pairs[] = {
        {Qt::Key_Exclam, Qt::Key_1},       {Qt::Key_At, Qt::Key_2},        {Qt::Key_ParenRight, Qt::Key_0},
        {Qt::Key_Asterisk, Qt::Key_8},     {Qt::Key_Colon, Qt::Key_Semicolon}, {Qt::Key_Plus, Qt::Key_Equal},
        {Qt::Key_Less, Qt::Key_Comma},     {Qt::Key_Underscore, Qt::Key_Minus}, {Qt::Key_Greater, Qt::Key_Period},
        {Qt::Key_Question, Qt::Key_Slash}, {Qt::Key_AsciiTilde, Qt::Key_QuoteLeft}, {Qt::Key_BraceLeft, Qt::Key_BracketLeft},
        {Qt::Key_Bar, Qt::Key_Backslash},  {Qt::Key_BraceRight, Qt::Key_BracketRight}, {Qt::Key_QuoteDbl, Qt::Key_Apostrophe},
    };
    for (auto [shifted, plain] : pairs)
        EXPECT_EQ(virtualKeyForQtKey(shifted, false), virtualKeyForQtKey(plain, false)) << std::hex << shifted;
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Semicolon, false), 0xBA);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Minus, false), 0xBD);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Slash, false), 0xBF);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_QuoteLeft, false), 0xC0);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_BracketLeft, false), 0xDB);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Apostrophe, false), 0xDE);
}

TEST(QtInputCodes, TheKeypadHasItsOwnDigitsAndOperatorsButSharesNavigation)
{
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_0, true), 0x60);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_7, true), 0x67);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Asterisk, true), 0x6A);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Plus, true), 0x6B);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Minus, true), 0x6D);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Period, true), 0x6E);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Slash, true), 0x6F);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Enter, true), 0x0D);
    // Num Lock off: the keypad sends navigation keys.
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Home, true), 0x24);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Clear, true), 0x0C);
}

TEST(QtInputCodes, KeysWithoutACodeGiveZero)
{
    for (int key : {0, int(Qt::Key_unknown), 0x105 /* a with ogonek */, int(Qt::Key_Odiaeresis), 0x20AC, int(Qt::Key_Dead_Grave)})
        EXPECT_EQ(virtualKeyForQtKey(key, false), 0) << std::hex << key;
}

TEST(QtInputCodes, KeyStateWordFromButtonsAndModifiers)
{
    EXPECT_EQ(mouseKeyState(0, 0), 0);
    EXPECT_EQ(mouseKeyState(Qt::LeftButton, 0), 1);
    EXPECT_EQ(mouseKeyState(Qt::RightButton, 0), 2);
    EXPECT_EQ(mouseKeyState(Qt::MiddleButton, 0), 16);
    EXPECT_EQ(mouseKeyState(0, Qt::ShiftModifier), 4);
    EXPECT_EQ(mouseKeyState(0, Qt::ControlModifier), 8);
    EXPECT_EQ(mouseKeyState(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton,
                            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier),
              31);
    EXPECT_EQ(mouseKeyState(Qt::BackButton | Qt::ForwardButton, 0), 0x60);
}
