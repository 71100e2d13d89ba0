#pragma once

// Result and button codes kept from the console's original message boxes and
// dialogs, so handlers and tests speak the same numbers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The application title that most message boxes carry as their caption.
inline constexpr const char* kAppTitle = "vyn8_rk47";
