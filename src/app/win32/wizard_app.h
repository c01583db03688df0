#pragma once
// The application object: finds the installed AutoCAD releases, then shows
// the setup dialog; the program ends when the dialog closes.

class CWizardApp {
 public:
  // Runs the program's one flow. Returns false: nothing is left to run after it.
  bool InitInstance();
};

extern CWizardApp theApp;
