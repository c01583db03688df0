#pragma once

namespace app {

// How the shipped program ends when it fails within itself: with an exit
// code of its own (6), never with one that names an ordinary outcome.

// Makes abort(), wherever it is called, end the program so as well.
void EndAbortsAsInternalFailures();

}  // namespace app
