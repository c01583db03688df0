#pragma once
// Whether the test program runs under Wine rather than Windows, for the few
// behaviours Wine does not reproduce.

bool RunningUnderWine();
