#pragma once

inline constexpr const char* kGarvelVersion = "3.63 Beta";
inline constexpr const char* kGarvelCaption = "Garvel 3.63 Beta";
