#pragma once

#include <cstdint>

namespace windlecroft {

/**
 * The Windows virtual-key code for a Qt key (a Qt::Key value), or 0 when the key has none.
 * keypad says the key came from the numeric keypad (Qt::KeypadModifier): digits and operators
 * there have codes of their own. Shifted punctuation gives the code of its unshifted key on the
 * US layout ('!' is the '1' key, '?' the '/' key), as Windows reports keys, not characters.
 * Needs no display: it only compares numbers.
 */
std::uint16_t virtualKeyForQtKey(int qtKey, bool keypad);

/**
 * The Windows mouse key-state word for Qt's buttons and keyboard modifiers (Qt::MouseButtons
 * and Qt::KeyboardModifiers as plain numbers): left 1, right 2, Shift 4, Ctrl 8, middle 16,
 * the two extra buttons 32 and 64.
 */
std::uint16_t mouseKeyState(unsigned buttons, unsigned modifiers);

} // namespace windlecroft
