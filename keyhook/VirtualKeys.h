#pragma once
#include <cstdint>

// The virtual-key codes the hook's window-free logic tells apart, with the values of
// windows.h's VK_ names, which that logic must not include. The library checks them
// against windows.h where it includes both.
namespace vk {

inline constexpr std::uint8_t kShift = 0x10;
inline constexpr std::uint8_t kControl = 0x11;
inline constexpr std::uint8_t kMenu = 0x12;  // ALT
inline constexpr std::uint8_t kLeftShift = 0xA0;
inline constexpr std::uint8_t kRightShift = 0xA1;
inline constexpr std::uint8_t kLeftControl = 0xA2;
inline constexpr std::uint8_t kRightControl = 0xA3;
inline constexpr std::uint8_t kLeftMenu = 0xA4;
inline constexpr std::uint8_t kRightMenu = 0xA5;

}  // namespace vk
