// The mouse message record that TImgBtn hands to its four mouse events, and
// the message numbers it carries.
#pragma once

#include <cstdint>
#include <functional>

namespace folivex::controls {

// Message numbers.
inline constexpr std::uint32_t CM_MOUSEENTER = 0xB013; // the pointer moved onto a control
inline constexpr std::uint32_t CM_MOUSELEAVE = 0xB014; // the pointer moved off a control
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;

// Key flags of a button message: the buttons held and the modifier keys
// down after the event (so WM_LBUTTONUP does not carry MK_LBUTTON).
inline constexpr std::uint32_t MK_LBUTTON = 0x0001;
inline constexpr std::uint32_t MK_RBUTTON = 0x0002;
inline constexpr std::uint32_t MK_SHIFT = 0x0004;
inline constexpr std::uint32_t MK_CONTROL = 0x0008;
inline constexpr std::uint32_t MK_MBUTTON = 0x0010;
inline constexpr std::uint32_t MK_XBUTTON1 = 0x0020;
inline constexpr std::uint32_t MK_XBUTTON2 = 0x0040;

// One mouse message as the control handled it. For a button message XPos
// and YPos are the pointer's position in the control's own coordinates; the
// enter and leave notifications carry no position, so Keys, XPos and YPos
// are 0 for them. Result is always 0 when the event is called.
struct TWMMouse {
    std::uint32_t Msg = 0;
    std::uint32_t Keys = 0;
    std::int16_t XPos = 0;
    std::int16_t YPos = 0;
    std::intptr_t Result = 0;
};

// A mouse event of TImgBtn. It is called from the control's Qt event
// handlers, so it must not throw.
using TOnMouseEvent = std::function<void(const TWMMouse &Msg)>;

} // namespace folivex::controls
