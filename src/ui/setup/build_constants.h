#pragma once
// Values fixed when the program is built.

// Product version: major * 10000 + minor * 100 + patch.
constexpr int g_nProductVersion = 20250301;

// Bitness of the AutoCAD releases this build serves, as the dialog shows it;
// 32 also withdraws the releases 2017 to 2025 from the dialog.
constexpr int g_nAcadBitness = 32;
