// Qt key codes and the platform's virtual-key codes.
#include "platform/framework/windows/QtBridge.h"

namespace
{
struct KeyPair
{
    int qt;
    UINT vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},         {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},        {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Menu, VK_APPS},       {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Clear, VK_CLEAR},     {Qt::Key_Semicolon, 0xBA},      {Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, 0xBC},         {Qt::Key_Minus, 0xBD},          {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},         {Qt::Key_QuoteLeft, 0xC0},      {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC},     {Qt::Key_BracketRight, 0xDD},   {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},
};
} // namespace

UINT VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier)
    {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + UINT(key - Qt::Key_0);
        if (key == Qt::Key_Minus) return VK_SUBTRACT;
        if (key == Qt::Key_Slash) return VK_DIVIDE;
        if (key == Qt::Key_Period || key == Qt::Key_Comma) return VK_DECIMAL;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return UINT(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + UINT(key - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == key) return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(UINT vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return int(vk);
    if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + int(vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return Qt::Key_0 + int(vk - VK_NUMPAD0);
    for (const KeyPair& k : kKeys)
        if (k.vk == vk) return k.qt;
    return 0;
}
