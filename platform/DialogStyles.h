// Win32 style bits of dialog templates, under names of our own, so that code
// which reads the templates as data needs no windows.h (and may include both).
#pragma once

// Window styles (WS_*), for dialogs and controls alike.
inline constexpr unsigned long kStylePopup = 0x80000000UL;
inline constexpr unsigned long kStyleChild = 0x40000000UL;
inline constexpr unsigned long kStyleVisible = 0x10000000UL;
inline constexpr unsigned long kStyleDisabled = 0x08000000UL;
inline constexpr unsigned long kStyleCaption = 0x00C00000UL;
inline constexpr unsigned long kStyleBorder = 0x00800000UL;
inline constexpr unsigned long kStyleSysMenu = 0x00080000UL;
inline constexpr unsigned long kStyleThickFrame = 0x00040000UL;
// On a top-level window these two bits mean the minimise and maximise boxes.
inline constexpr unsigned long kStyleGroup = 0x00020000UL;
inline constexpr unsigned long kStyleTabStop = 0x00010000UL;

// Extended window styles (WS_EX_*).
inline constexpr unsigned long kExStyleAppWindow = 0x00040000UL;

// Dialog styles (DS_*).
inline constexpr unsigned long kDialogStyleSetFont = 0x00000040UL;
inline constexpr unsigned long kDialogStyleModalFrame = 0x00000080UL;
inline constexpr unsigned long kDialogStyleCenter = 0x00000800UL;

// Button styles (BS_*): the low four bits are the button's type.
inline constexpr unsigned long kButtonTypeMask = 0x0000000FUL;
inline constexpr unsigned long kButtonStylePushButton = 0x00000000UL;
inline constexpr unsigned long kButtonStyleDefPushButton = 0x00000001UL;
inline constexpr unsigned long kButtonStyleGroupBox = 0x00000007UL;

// Edit styles (ES_*).
inline constexpr unsigned long kEditStyleLeft = 0x00000000UL;
inline constexpr unsigned long kEditStyleMultiLine = 0x00000004UL;
inline constexpr unsigned long kEditStyleAutoHScroll = 0x00000080UL;
inline constexpr unsigned long kEditStyleReadOnly = 0x00000800UL;

// Static styles (SS_*): the low five bits are the static's type.
inline constexpr unsigned long kStaticTypeMask = 0x0000001FUL;
inline constexpr unsigned long kStaticStyleLeft = 0x00000000UL;
inline constexpr unsigned long kStaticStyleIcon = 0x00000003UL;
inline constexpr unsigned long kStaticStyleBitmap = 0x0000000EUL;
// Shows '&' as it is instead of underlining the next letter.
inline constexpr unsigned long kStaticStyleNoPrefix = 0x00000080UL;

